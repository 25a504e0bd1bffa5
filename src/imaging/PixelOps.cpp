#include "PixelOps.h"

#include "ErrorCodes.h"
#include "ImagingError.h"

namespace quorvel::imaging {
namespace {

void checkChannel(int channel) {
    if (channel < kAllChannels || channel > 3) {
        throw ImagingError(errc::InvalidParameter, kImageControlSource);
    }
}

void checkBitmap(const Bitmap& bitmap) {
    if (bitmap.isNull()) {
        throw ImagingError(errc::InvalidBitmap, kImageControlSource);
    }
}

// Rec. 601 luma, rounded half up: exact integer arithmetic, so white stays 255.
inline unsigned luma(unsigned r, unsigned g, unsigned b) {
    return (299 * r + 587 * g + 114 * b + 500) / 1000;
}

}  // namespace

Histogram computeHistogram(const Bitmap& bitmap, int channel) {
    checkBitmap(bitmap);
    checkChannel(channel);
    Histogram counts{};
    const std::uint8_t* p = bitmap.pixels();
    const std::size_t pixelCount = std::size_t(bitmap.width()) * std::size_t(bitmap.height());
    const int stride = bitmap.channels();
    if (bitmap.layout() == PixelLayout::Grey) {
        for (std::size_t i = 0; i < pixelCount; ++i) {
            ++counts[p[i]];
        }
    } else if (channel == kAllChannels) {
        for (std::size_t i = 0; i < pixelCount; ++i, p += stride) {
            ++counts[luma(p[0], p[1], p[2])];
        }
    } else {
        p += channel - 1;
        for (std::size_t i = 0; i < pixelCount; ++i, p += stride) {
            ++counts[*p];
        }
    }
    return counts;
}

Bitmap remapped(const Bitmap& bitmap, const RemapTable& table, int channel) {
    checkBitmap(bitmap);
    checkChannel(channel);
    PixelBuffer result(bitmap.width(), bitmap.height(), bitmap.layout());
    const std::uint8_t* in = bitmap.pixels();
    std::uint8_t* out = result.data();
    const std::size_t bytes = bitmap.byteCount();
    const int stride = bitmap.channels();

    // One table per channel position of a pixel: the given table where it applies, else identity.
    RemapTable identity{};
    for (int v = 0; v < 256; ++v) {
        identity[std::size_t(v)] = std::uint8_t(v);
    }
    const RemapTable* tables[4] = {&table, &table, &table, &identity};
    if (bitmap.layout() != PixelLayout::Grey && channel != kAllChannels) {
        for (int c = 0; c < 3; ++c) {
            tables[c] = (c == channel - 1) ? &table : &identity;
        }
    }

    if (stride != 4 && tables[0] == tables[1] && tables[1] == tables[2]) {
        for (std::size_t i = 0; i < bytes; ++i) {
            out[i] = table[in[i]];
        }
    } else {
        for (std::size_t i = 0; i < bytes; i += std::size_t(stride)) {
            for (int c = 0; c < stride; ++c) {
                out[i + std::size_t(c)] = (*tables[c])[in[i + std::size_t(c)]];
            }
        }
    }
    return Bitmap(std::move(result), bitmap.metadata());
}

}  // namespace quorvel::imaging
