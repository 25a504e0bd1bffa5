// SPDX-License-Identifier: GPL-3.0-or-later
#include "PixelBudget.h"

#include "ErrorCodes.h"
#include "ImagingError.h"

namespace quorvel::imaging {

void checkPixelBudget(std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1) {
        throw ImagingError(errc::InvalidSize, kImageControlSource);
    }
    // Each side is checked first so that the product cannot overflow.
    if (width > kPixelBudget || height > kPixelBudget || width * height > kPixelBudget) {
        throw ImagingError(errc::NoMemory, kImageControlSource);
    }
}

}  // namespace quorvel::imaging
