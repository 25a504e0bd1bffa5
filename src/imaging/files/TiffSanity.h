// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace quorvel::imaging {

// Whether every strip and tile that a TIFF's (or BigTIFF's) directories declare lies within the
// file: a reader allocates a whole picture before it finds its data missing. Directories that
// cannot be followed are left to the reader. False means truncated or corrupt.
bool tiffHoldsItsData(QByteArrayView bytes);

}  // namespace quorvel::imaging
