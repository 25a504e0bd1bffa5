// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace quorvel::imaging {

// Whether a GIF's bytes can hold what it declares: every block fits in the file and each
// frame's compressed data is large enough for the frame's pixels at LZW's highest ratio. A file
// that ends between blocks, without its trailer, still holds every frame. False means truncated
// or corrupt.
bool gifHoldsItsPicture(QByteArrayView bytes);

}  // namespace quorvel::imaging
