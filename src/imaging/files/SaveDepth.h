// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileFormats.h"

namespace quorvel::imaging {

// The depth the save dialog preselects: 48 bits for a picture with 16 bits per channel (64 with
// alpha); for an 8-bit picture the depth chosen last, unless that one stores 16 bits per channel
// (16, 48, 64), where 24 takes its place.
short PreselectedBitsPerPixel(short lastChosen, bool sixteenBit, bool alpha);

// `wanted` where the format offers it; otherwise 24, or the format's first depth when it has no 24.
short OfferedBitsPerPixel(const FileFormat& format, short wanted);

}  // namespace quorvel::imaging
