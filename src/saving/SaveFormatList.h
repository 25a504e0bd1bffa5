// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SaveDepth.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace quorvel::saving {

// One entry of the format list sent to the save dialog: the dialog component's format identifier
// and, for some entries, its format flags.
struct SaveFormatListEntry {
    std::int32_t FormatId;
    std::optional<std::int32_t> FormatFlags;
};

// The nine entries by entry index: JPEG, BMP, WebP, TIFF, PNG, WMF, PCX, RAW, TGA.
extern const std::array<SaveFormatListEntry, 9> kSaveFormatList;

// The list position (from 1) that LastExtension preselects: the exact lower-case, upper-case or
// capitalised extension of one of the formats (e.g. "jpg", "JPG", "Jpg"); none for anything
// else, "jPg" and "jpeg" included.
std::optional<int> PreselectedPosition(const QString& lastExtension);

// The proposed name when nothing is preselected: the text before its first "." (even one in a
// folder name) with ".jpg"; an empty name stays empty.
QString ProposedJpegName(const QString& fileName);

// The extension that completes a path for the image control's format code; "bmp" for a code
// without one of its own.
QString FormatExtension(short formatCode);

// `path` with "." and the format's extension appended when it holds no "." anywhere.
QString CompletedPath(const QString& path, short formatCode);

// What LastExtension becomes after saving to `path`: the text between its first and second "."
// (or the end); empty when it holds no ".".
QString ExtensionOfPath(const QString& path);

using imaging::PreselectedBitsPerPixel;

}  // namespace quorvel::saving
