// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace quorvel::imaging {

// Whether a JPEG's bytes can hold what it declares: every segment fits in the file, the file
// reaches its end-of-image marker, and each Huffman-coded scan has at least one bit for every
// block it codes. False means truncated or corrupt, and is known before a decoder allocates the
// picture (a progressive decoder holds every coefficient of the declared size).
bool jpegHoldsItsPicture(QByteArrayView bytes);

}  // namespace quorvel::imaging
