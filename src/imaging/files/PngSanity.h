// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace quorvel::imaging {

// Whether a PNG's bytes can hold what it declares: every chunk fits in the file (a reader
// allocates a chunk's declared length before reading it) and the compressed image data is large
// enough for the declared picture at deflate's highest ratio. False means truncated or corrupt.
bool pngHoldsItsPicture(QByteArrayView bytes);

// Whether the chunks before the image data, which a reader takes in while reading the header,
// fit in the file.
bool pngHeaderFits(QByteArrayView bytes);

}  // namespace quorvel::imaging
