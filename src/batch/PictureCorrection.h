// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"

namespace quorvel::batch {

// The picture the window's "Modified" panel holds after opening a file and moving the exposure
// slider to `slider` (0..40), with the "D" button pressed for `dynamicRange`: the loaded picture
// through the tone curve of its level histogram, which is scaled by the size the file declares
// (`fileWidth` x `fileHeight`, both above 0). Where no curve can be built the picture stays as
// loaded, as in the window.
imaging::Bitmap correctedPicture(const imaging::Bitmap& loaded, int fileWidth, int fileHeight,
                                 int slider, bool dynamicRange);

}  // namespace quorvel::batch
