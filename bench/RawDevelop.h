// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace quorvel::bench {

// Develops the camera RAW file at `path` with LibRaw's own calls (open, unpack, dcraw_process,
// dcraw_make_mem_image) and the settings the program develops with: the baseline for loading a
// RAW file. Returns the byte size of the developed picture. Throws std::runtime_error with
// LibRaw's message when the file cannot be developed.
std::size_t developRaw(const char* path);

}  // namespace quorvel::bench
