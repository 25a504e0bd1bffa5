// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

#include <string_view>

namespace quorvel::imaging {

// Whether the loader named `loader` (e.g. "jpegload") has a check below.
bool hasSanityCheck(std::string_view loader);
bool hasHeaderSanityCheck(std::string_view loader);

// Refuses a file whose header a reader cannot take in without trusting a length that the file's
// byte count contradicts. Throws ImagingError 20007.
void checkHeaderSanity(std::string_view loader, QByteArrayView bytes);

// Refuses, before anything is decoded, a file whose bytes cannot hold the picture it declares
// (truncated, or a length or size that the file's byte count contradicts), so that a few hostile
// bytes never cost the memory of a whole picture. Formats without a check pass. Throws
// ImagingError 20007.
void checkFileSanity(std::string_view loader, QByteArrayView bytes);

}  // namespace quorvel::imaging
