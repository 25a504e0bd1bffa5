// SPDX-License-Identifier: GPL-3.0-or-later
#include "Geometry.h"

#include "ErrorCodes.h"
#include "ImagingError.h"
#include "ParallelBands.h"
#include "PixelBudget.h"
#include "ResampleKernels.h"
#include "TurnKernels.h"
#include "VipsBridge.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
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
    if (resampling == Resampling::Nearest) {
        return scaledUp(image, width, height, VInterpolate::new_from_name("nearest"), true);
    }
    return scaledUp(image, width, height, VInterpolate::new_from_name("bilinear"), false);
}

VImage reduced(const VImage& image, int width, int height, Resampling resampling) {
    const double hscale = double(width) / image.width();
    const double vscale = double(height) / image.height();
    // The default gap of 2 box-shrinks first, which in libvips 8.14 is many times slower than
    // reducing in one go. Only beyond a factor of 64 does a box shrink come first, to keep the
    // reduce mask within its limits.
    const VipsKernel kernel =
        resampling == Resampling::Nearest ? VIPS_KERNEL_NEAREST : VIPS_KERNEL_LINEAR;
    VImage result = image.resize(
        hscale, VImage::option()->set("kernel", kernel)->set("vscale", vscale)->set("gap", 32.0));
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

// Rounds up so that no corner of the rotated picture is cut, but ignores the rounding noise of
// sin and cos.
std::int64_t coveringSize(double extent) {
    return std::int64_t(std::ceil(extent - 1e-6));
}

// One opaque pixel of `fill` in the source's layout, 8 bits per channel.
std::vector<std::uint8_t> fillPixel(const Bitmap& source, const QColor& fill) {
    const auto red = std::uint8_t(fill.red());
    const auto green = std::uint8_t(fill.green());
    const auto blue = std::uint8_t(fill.blue());
    switch (source.layout()) {
        case PixelLayout::Grey:
            // Rec. 601 luma, as the histogram counts intensity.
            return {std::uint8_t((299 * red + 587 * green + 114 * blue + 500) / 1000)};
        case PixelLayout::Rgb:
            return {red, green, blue};
        case PixelLayout::Rgba:
            break;
    }
    return {red, green, blue, 255};
}

AxisWeights axisWeights(int from, int to) {
    return to <= from ? areaWeights(from, to) : cubicWeights(from, to);
}

// 16-bit pictures take the general kernel, which follows the same rules in floats.
Bitmap resizedFinely16(const Bitmap& source, int width, int height) {
    PixelBuffer buffer(width, height, source.layout(), SampleDepth::Sixteen);
    const AxisWeights x = axisWeights(source.width(), width);
    const AxisWeights y = axisWeights(source.height(), height);
    auto* out = reinterpret_cast<std::uint16_t*>(buffer.data());
    inBands(height, buffer.byteCount(), [&](int first, int end) {
        resampleSeparable(source.samples16(), source.width(), source.channels(), x, y, out, first,
                          end);
    });
    return Bitmap(std::move(buffer), source.metadata());
}

// Area average for reductions, Catmull-Rom cubics for enlargements, each axis on its own; whole
// factors and doubling take the fast paths, which give the exact results.
Bitmap resizedFinely(const Bitmap& source, int width, int height) {
    if (source.isSixteenBit()) {
        return resizedFinely16(source, width, height);
    }
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();
    const int channels = source.channels();
    PixelBuffer buffer(width, height, source.layout());
    const std::uint8_t* in = source.pixels();
    std::uint8_t* out = buffer.data();
    const std::size_t bytes = buffer.byteCount();
    const bool whole = sourceWidth % width == 0 && sourceHeight % height == 0;
    const int factorX = sourceWidth / width;
    const int factorY = sourceHeight / height;
    if (whole && boxReducible(channels, factorX, factorY)) {
        inBands(height, bytes, [&](int first, int end) {
            boxReduce(in, sourceWidth, channels, factorX, factorY, out, first, end);
        });
    } else if (width == 2 * sourceWidth && height == 2 * sourceHeight && channels != 4) {
        inBands(height, bytes, [&](int first, int end) {
            cubicDouble(in, sourceWidth, sourceHeight, channels, out, first, end);
        });
    } else {
        const AxisWeights x = axisWeights(sourceWidth, width);
        const AxisWeights y = axisWeights(sourceHeight, height);
        inBands(height, bytes, [&](int first, int end) {
            resampleSeparable(in, sourceWidth, channels, x, y, out, first, end);
        });
    }
    return Bitmap(std::move(buffer), source.metadata());
}

Bitmap quarterTurned(const Bitmap& source, bool clockwise) {
    PixelBuffer buffer(source.height(), source.width(), source.layout(), source.depth());
    std::uint8_t* out = buffer.data();
    inBands(buffer.height(), buffer.byteCount(), [&](int first, int end) {
        turnQuarter(source.pixels(), source.width(), source.height(), source.pixelBytes(),
                    clockwise, out, first, end);
    });
    return Bitmap(std::move(buffer), source.metadata());
}

// Half a turn reverses the order of all the pixels.
Bitmap halfTurned(const Bitmap& source) {
    PixelBuffer buffer(source.width(), source.height(), source.layout(), source.depth());
    std::uint8_t* out = buffer.data();
    const std::size_t rowPixels = std::size_t(source.width());
    const std::size_t pixels = rowPixels * std::size_t(source.height());
    const std::size_t step = std::size_t(source.pixelBytes());
    inBands(buffer.height(), buffer.byteCount(), [&](int first, int end) {
        const std::size_t begin = std::size_t(first) * rowPixels;
        const std::size_t count = std::size_t(end - first) * rowPixels;
        mirrorPixels(source.pixels() + (pixels - begin - count) * step, out + begin * step, count,
                     source.pixelBytes());
    });
    return Bitmap(std::move(buffer), source.metadata());
}

// Pixels are mixed in float: libvips 8.14 reduces 8-bit pictures in fixed point, and a flat area
// can come out a level off once the factor passes about 3. Colour with alpha is weighted by alpha
// (premultiplied), or transparent pixels would bleed their (usually black) colour into the
// visible ones.
VImage toMixable(const VImage& image, bool alpha, bool wide) {
    if (!alpha) {
        return image.cast(VIPS_FORMAT_FLOAT);
    }
    return wide ? image.premultiply(VImage::option()->set("max_alpha", 65535.0))
                : image.premultiply();
}

// Rounded, not truncated: a cast alone turns 76.9999 into 76.
VImage fromMixable(const VImage& image, bool alpha, bool wide) {
    VImage straight = image;
    if (alpha) {
        straight = wide ? image.unpremultiply(VImage::option()->set("max_alpha", 65535.0))
                        : image.unpremultiply();
    }
    return straight.rint().cast(wide ? VIPS_FORMAT_USHORT : VIPS_FORMAT_UCHAR);
}

}  // namespace

Bitmap resized(const Bitmap& source, int width, int height, Resampling resampling) {
    requirePicture(source);
    checkPixelBudget(width, height);
    if (width == source.width() && height == source.height()) {
        return source;
    }
    if (resampling == Resampling::HighQuality) {
        return resizedFinely(source, width, height);
    }
    return guardVips(errc::GeneralFailure, [&] {
        // Nearest neighbour only picks pixels, so it can stay in 8 bits.
        const bool mixes = resampling != Resampling::Nearest;
        const bool alpha = source.hasAlpha();
        VImage image = toVips(source);
        if (mixes) {
            image = toMixable(image, alpha, source.isSixteenBit());
        }
        const int reducedWidth = std::min(width, source.width());
        const int reducedHeight = std::min(height, source.height());
        if (reducedWidth < source.width() || reducedHeight < source.height()) {
            image = reduced(image, reducedWidth, reducedHeight, resampling);
        }
        if (width > reducedWidth || height > reducedHeight) {
            image = enlarged(image, width, height, resampling);
        }
        return fromVips(mixes ? fromMixable(image, alpha, source.isSixteenBit()) : image,
                        source.metadata());
    });
}

Bitmap rotated(const Bitmap& source, int hundredths, bool growCanvas, QColor fill) {
    requirePicture(source);
    const int angle = normalisedAngle(hundredths);
    if (angle == 0) {
        return source;
    }
    if (angle == 18000) {
        return halfTurned(source);
    }
    if (angle % 9000 == 0) {
        return quarterTurned(source, angle == 9000);
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

    PixelBuffer buffer(int(canvasWidth), int(canvasHeight), source.layout(), source.depth());
    std::uint8_t* out = buffer.data();
    const std::vector<std::uint8_t> fillBytes = fillPixel(source, fill);
    if (source.isSixteenBit()) {
        std::vector<std::uint16_t> fillSamples(fillBytes.size());
        for (std::size_t c = 0; c < fillBytes.size(); ++c) {
            fillSamples[c] = std::uint16_t(fillBytes[c] * 257u);
        }
        auto* samples = reinterpret_cast<std::uint16_t*>(out);
        inBands(buffer.height(), buffer.byteCount(), [&](int first, int end) {
            rotateBilinear(source.samples16(), width, height, source.channels(), fillSamples.data(),
                           cosine, sine, samples, buffer.width(), buffer.height(), first, end);
        });
        return Bitmap(std::move(buffer), source.metadata());
    }
    inBands(buffer.height(), buffer.byteCount(), [&](int first, int end) {
        rotateBilinear(source.pixels(), width, height, source.channels(), fillBytes.data(), cosine,
                       sine, out, buffer.width(), buffer.height(), first, end);
    });
    return Bitmap(std::move(buffer), source.metadata());
}

Bitmap flipped(const Bitmap& source) {
    requirePicture(source);
    PixelBuffer buffer(source.width(), source.height(), source.layout(), source.depth());
    std::uint8_t* out = buffer.data();
    const std::size_t rowBytes = source.rowBytes();
    inBands(buffer.height(), buffer.byteCount(), [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            std::memcpy(out + std::size_t(y) * rowBytes, source.row(source.height() - 1 - y),
                        rowBytes);
        }
    });
    return Bitmap(std::move(buffer), source.metadata());
}

Bitmap mirrored(const Bitmap& source) {
    requirePicture(source);
    PixelBuffer buffer(source.width(), source.height(), source.layout(), source.depth());
    std::uint8_t* out = buffer.data();
    const std::size_t rowBytes = source.rowBytes();
    inBands(buffer.height(), buffer.byteCount(), [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            mirrorPixels(source.row(y), out + std::size_t(y) * rowBytes,
                         std::size_t(source.width()), source.pixelBytes());
        }
    });
    return Bitmap(std::move(buffer), source.metadata());
}

}  // namespace quorvel::imaging
