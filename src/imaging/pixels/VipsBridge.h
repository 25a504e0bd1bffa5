// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Private to the imaging layer: the one place where libvips images and Bitmaps meet.
// Only the pixels and files rooms of the imaging layer include this header.

#include "Bitmap.h"

#include <vips/vips8>

#include <functional>

namespace quorvel::imaging {

// Starts libvips once per process (idempotent).
void ensureVipsStarted();

// A libvips view of the Bitmap's pixels without copying them: uchar B_W or sRGB, or ushort
// GREY16 or RGB16 for a sixteen-bit picture. The Bitmap must outlive every image
// derived from the view until that image has been materialised (fromVips does that).
vips::VImage toVips(const Bitmap& bitmap);

// Runs the pipeline that ends in `image` and stores the result as a Bitmap. The image must be
// 8-bit (uchar) or 16-bit (ushort) with 1, 3 or 4 bands. Throws ImagingError 20001 over the pixel
// budget.
Bitmap fromVips(const vips::VImage& image, Metadata metadata);

// Runs `work`, turning a libvips failure into ImagingError(`failureCode`). ImagingErrors pass.
template <typename Work>
auto guardVips(int failureCode, Work&& work) -> decltype(work());

// Implementation detail of guardVips.
[[noreturn]] void throwVipsFailure(int failureCode, const vips::VError& error);

template <typename Work>
auto guardVips(int failureCode, Work&& work) -> decltype(work()) {
    ensureVipsStarted();
    try {
        return work();
    } catch (const vips::VError& error) {
        throwVipsFailure(failureCode, error);
    }
}

}  // namespace quorvel::imaging
