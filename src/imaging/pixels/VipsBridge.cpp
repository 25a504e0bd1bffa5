// SPDX-License-Identifier: GPL-3.0-or-later
#include "VipsBridge.h"

#include "ErrorCodes.h"
#include "ImagingError.h"
#include "PixelBudget.h"

#include <glib.h>

#include <mutex>

namespace quorvel::imaging {

void ensureVipsStarted() {
    static std::once_flag started;
    std::call_once(started, [] {
        if (VIPS_INIT("quorvel") != 0) {
            throw ImagingError(errc::GeneralFailure, kImageControlSource);
        }
        // The operation cache would keep pictures alive after use and could hand back the old
        // contents of a file that changed on disk.
        vips_cache_set_max(0);
    });
}

vips::VImage toVips(const Bitmap& bitmap) {
    ensureVipsStarted();
    if (bitmap.isNull()) {
        throw ImagingError(errc::InvalidBitmap, kImageControlSource);
    }
    auto* pixels = const_cast<std::uint8_t*>(bitmap.pixels());  // libvips only reads them
    const bool wide = bitmap.isSixteenBit();
    vips::VImage view = vips::VImage::new_from_memory(
        pixels, bitmap.byteCount(), bitmap.width(), bitmap.height(), bitmap.channels(),
        wide ? VIPS_FORMAT_USHORT : VIPS_FORMAT_UCHAR);
    VipsInterpretation interpretation =
        bitmap.channels() == 1 ? VIPS_INTERPRETATION_B_W : VIPS_INTERPRETATION_sRGB;
    if (wide) {
        interpretation =
            bitmap.channels() == 1 ? VIPS_INTERPRETATION_GREY16 : VIPS_INTERPRETATION_RGB16;
    }
    return view.copy(vips::VImage::option()->set("interpretation", interpretation));
}

Bitmap fromVips(const vips::VImage& image, Metadata metadata) {
    checkPixelBudget(image.width(), image.height());
    const int bands = image.bands();
    const VipsBandFormat format = image.format();
    if ((format != VIPS_FORMAT_UCHAR && format != VIPS_FORMAT_USHORT) ||
        (bands != 1 && bands != 3 && bands != 4)) {
        throw ImagingError(errc::GeneralFailure, kImageControlSource);
    }
    const SampleDepth depth =
        format == VIPS_FORMAT_USHORT ? SampleDepth::Sixteen : SampleDepth::Eight;
    std::size_t size = 0;
    auto* pixels = static_cast<std::uint8_t*>(image.write_to_memory(&size));
    PixelBuffer buffer(image.width(), image.height(), static_cast<PixelLayout>(bands), depth,
                       pixels, g_free);
    if (size != buffer.byteCount()) {
        throw ImagingError(errc::GeneralFailure, kImageControlSource);
    }
    return Bitmap(std::move(buffer), std::move(metadata));
}

void throwVipsFailure(int failureCode, const vips::VError&) {
    // The library's own text is not for users; the error number says what went wrong.
    vips_error_clear();
    throw ImagingError(failureCode, kImageControlSource);
}

}  // namespace quorvel::imaging
