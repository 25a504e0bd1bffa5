#include "Geometry.h"

#include "ErrorCodes.h"
#include "ImagingError.h"
#include "PixelBudget.h"
#include "VipsBridge.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace quorvel::imaging {

namespace {

using vips::VImage;
using vips::VInterpolate;

void requirePicture(const Bitmap& source) {
    if (source.isNull()) {
        throw ImagingError(errc::InvalidBitmap, kImageControlSource);
    }
}

// Maps output pixel centres onto input pixel centres, so that scaling does not shift the picture
// by half a pixel. The nearest interpolator of libvips takes the pixel whose top-left corner
// precedes the sample point rather than the closest centre, so it samples half a pixel further on.
VImage scaledUp(const VImage& image, int width, int height, const VInterpolate& interpolator,
                bool cornerSampling) {
    const std::vector<double> matrix{double(width) / image.width(), 0.0, 0.0,
                                     double(height) / image.height()};
    const double inputShift = cornerSampling ? 0.0 : 0.5;
    return image.affine(matrix, VImage::option()
                                    ->set("interpolate", interpolator)
                                    ->set("idx", inputShift)
                                    ->set("idy", inputShift)
                                    ->set("odx", -0.5)
                                    ->set("ody", -0.5)
                                    ->set("oarea", std::vector<int>{0, 0, width, height})
                                    ->set("extend", VIPS_EXTEND_COPY)
                                    // alpha is premultiplied already, or not mixed (nearest)
                                    ->set("premultiplied", true));
}

VImage enlarged(const VImage& image, int width, int height, Resampling resampling) {
    switch (resampling) {
        case Resampling::Nearest:
            return scaledUp(image, width, height, VInterpolate::new_from_name("nearest"), true);
        case Resampling::Bilinear:
            return scaledUp(image, width, height, VInterpolate::new_from_name("bilinear"), false);
        case Resampling::HighQuality:
            break;
    }
    return scaledUp(image, width, height, VInterpolate::new_from_name("bicubic"), false);
}

VipsKernel kernelFor(Resampling resampling) {
    switch (resampling) {
        case Resampling::Nearest:
            return VIPS_KERNEL_NEAREST;
        case Resampling::Bilinear:
            return VIPS_KERNEL_LINEAR;
        case Resampling::HighQuality:
            break;
    }
    return VIPS_KERNEL_LANCZOS3;
}

VImage reduced(const VImage& image, int width, int height, Resampling resampling) {
    const double hscale = double(width) / image.width();
    const double vscale = double(height) / image.height();
    // The default gap of 2 box-shrinks first, which in libvips 8.14 is many times slower than
    // reducing in one go. Only beyond a factor of 64 does a box shrink come first, to keep the
    // reduce mask within its limits.
    VImage result = image.resize(hscale, VImage::option()
                                             ->set("kernel", kernelFor(resampling))
                                             ->set("vscale", vscale)
                                             ->set("gap", 32.0));
    if (result.width() == width && result.height() == height) {
        return result;
    }
    // resize derives the size from the factors; should it round the other way, a pixel is
    // trimmed or repeated at the edge rather than handing back a wrong size.
    return result.gravity(VIPS_COMPASS_DIRECTION_CENTRE, width, height,
                          VImage::option()->set("extend", VIPS_EXTEND_COPY));
}

int normalisedAngle(int hundredths) {
    const int angle = hundredths % 36000;  // no overflow, even for INT_MIN
    return angle < 0 ? angle + 36000 : angle;
}

VipsAngle quarterTurn(int angle) {
    switch (angle) {
        case 9000:
            return VIPS_ANGLE_D90;
        case 18000:
            return VIPS_ANGLE_D180;
        default:
            return VIPS_ANGLE_D270;
    }
}

// Rounds up so that no corner of the rotated picture is cut, but ignores the rounding noise of
// sin and cos.
std::int64_t coveringSize(double extent) {
    return std::int64_t(std::ceil(extent - 1e-6));
}

std::vector<double> background(const Bitmap& source, const QColor& fill) {
    switch (source.layout()) {
        case PixelLayout::Grey:
            // Rec. 601 luma, as the histogram counts intensity.
            return {
                double((299 * fill.red() + 587 * fill.green() + 114 * fill.blue() + 500) / 1000)};
        case PixelLayout::Rgb:
            return {double(fill.red()), double(fill.green()), double(fill.blue())};
        case PixelLayout::Rgba:
            break;
    }
    // Opaque, so its premultiplied form is the colour itself.
    return {double(fill.red()), double(fill.green()), double(fill.blue()), 255.0};
}

// Pixels are mixed in float: libvips 8.14 reduces 8-bit pictures in fixed point, and a flat area
// can come out a level off once the factor passes about 3. Colour with alpha is weighted by alpha
// (premultiplied), or transparent pixels would bleed their (usually black) colour into the
// visible ones.
VImage toMixable(const VImage& image, bool alpha) {
    return alpha ? image.premultiply() : image.cast(VIPS_FORMAT_FLOAT);
}

// Rounded, not truncated: a cast alone turns 76.9999 into 76.
VImage fromMixable(const VImage& image, bool alpha) {
    return (alpha ? image.unpremultiply() : image).rint().cast(VIPS_FORMAT_UCHAR);
}

}  // namespace

Bitmap resized(const Bitmap& source, int width, int height, Resampling resampling) {
    requirePicture(source);
    checkPixelBudget(width, height);
    if (width == source.width() && height == source.height()) {
        return source;
    }
    return guardVips(errc::GeneralFailure, [&] {
        // Nearest neighbour only picks pixels, so it can stay in 8 bits.
        const bool mixes = resampling != Resampling::Nearest;
        const bool alpha = source.hasAlpha();
        VImage image = toVips(source);
        if (mixes) {
            image = toMixable(image, alpha);
        }
        const int reducedWidth = std::min(width, source.width());
        const int reducedHeight = std::min(height, source.height());
        if (reducedWidth < source.width() || reducedHeight < source.height()) {
            image = reduced(image, reducedWidth, reducedHeight, resampling);
        }
        if (width > reducedWidth || height > reducedHeight) {
            image = enlarged(image, width, height, resampling);
        }
        return fromVips(mixes ? fromMixable(image, alpha) : image, source.metadata());
    });
}

Bitmap rotated(const Bitmap& source, int hundredths, bool growCanvas, QColor fill) {
    requirePicture(source);
    const int angle = normalisedAngle(hundredths);
    if (angle == 0) {
        return source;
    }
    if (angle % 9000 == 0) {
        return guardVips(errc::GeneralFailure, [&] {
            return fromVips(toVips(source).rot(quarterTurn(angle)), source.metadata());
        });
    }

    const double radians = angle / 100.0 * std::numbers::pi / 180.0;
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    const int width = source.width();
    const int height = source.height();
    std::int64_t canvasWidth = width;
    std::int64_t canvasHeight = height;
    if (growCanvas) {
        canvasWidth = coveringSize(width * std::abs(cosine) + height * std::abs(sine));
        canvasHeight = coveringSize(width * std::abs(sine) + height * std::abs(cosine));
    }
    checkPixelBudget(canvasWidth, canvasHeight);

    return guardVips(errc::GeneralFailure, [&] {
        // Bilinear interpolation of 8-bit pixels is exact on flat areas, so only alpha needs the
        // float detour.
        const bool alpha = source.hasAlpha();
        VImage image = toVips(source);
        if (alpha) {
            image = toMixable(image, true);
        }
        // With y pointing down, this matrix turns clockwise on screen. The offsets put the
        // centre of the source on the centre of the canvas (pixel centres at whole numbers).
        const std::vector<double> matrix{cosine, -sine, sine, cosine};
        const std::vector<int> canvas{0, 0, int(canvasWidth), int(canvasHeight)};
        image =
            image.affine(matrix, VImage::option()
                                     ->set("interpolate", VInterpolate::new_from_name("bilinear"))
                                     ->set("idx", -(width - 1) / 2.0)
                                     ->set("idy", -(height - 1) / 2.0)
                                     ->set("odx", double(canvasWidth - 1) / 2.0)
                                     ->set("ody", double(canvasHeight - 1) / 2.0)
                                     ->set("oarea", canvas)
                                     ->set("background", background(source, fill))
                                     ->set("extend", VIPS_EXTEND_BACKGROUND)
                                     ->set("premultiplied", true));
        return fromVips(alpha ? fromMixable(image, true) : image, source.metadata());
    });
}

Bitmap flipped(const Bitmap& source) {
    requirePicture(source);
    return guardVips(errc::GeneralFailure, [&] {
        return fromVips(toVips(source).flip(VIPS_DIRECTION_VERTICAL), source.metadata());
    });
}

Bitmap mirrored(const Bitmap& source) {
    requirePicture(source);
    return guardVips(errc::GeneralFailure, [&] {
        return fromVips(toVips(source).flip(VIPS_DIRECTION_HORIZONTAL), source.metadata());
    });
}

}  // namespace quorvel::imaging
