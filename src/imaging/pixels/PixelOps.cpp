#include "PixelOps.h"

#include "ErrorCodes.h"
#include "ImagingError.h"
#include "RemapKernels.h"
#include "VectorClones.h"

#include <algorithm>

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

constexpr std::size_t kSubHistograms = 4;
using SubHistograms = std::array<Histogram, kSubHistograms>;

// Neighbouring pixels often share a level; counting them into different sub-histograms keeps
// each increment from waiting for the store of the one before.
void countLevels(const std::uint8_t* levels, std::size_t count, SubHistograms& counts) {
    std::size_t i = 0;
    for (; i + kSubHistograms <= count; i += kSubHistograms) {
        for (std::size_t k = 0; k < kSubHistograms; ++k) {
            ++counts[k][levels[i + k]];
        }
    }
    for (; i < count; ++i) {
        ++counts[0][levels[i]];
    }
}

// The levels a block of RGB or RGBA pixels counts at: for kAllChannels the Rec. 601 luma,
// rounded half up in exact integer arithmetic so that white stays 255, else the selected channel.
// Plain loops with constant strides, for the vectoriser.
QUORVEL_VECTOR_CLONES void levelsOf(const std::uint8_t* __restrict pixels, std::size_t count,
                                    int channels, int channel, std::uint8_t* __restrict levels) {
    const auto luma = [](const std::uint8_t* p) {
        return std::uint8_t((299u * p[0] + 587u * p[1] + 114u * p[2] + 500u) / 1000u);
    };
    if (channel != kAllChannels) {
        const std::uint8_t* values = pixels + (channel - 1);
        if (channels == 3) {
            for (std::size_t i = 0; i < count; ++i) {
                levels[i] = values[i * 3];
            }
        } else {
            for (std::size_t i = 0; i < count; ++i) {
                levels[i] = values[i * 4];
            }
        }
    } else if (channels == 3) {
        for (std::size_t i = 0; i < count; ++i) {
            levels[i] = luma(pixels + i * 3);
        }
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            levels[i] = luma(pixels + i * 4);
        }
    }
}

}  // namespace

Histogram computeHistogram(const Bitmap& bitmap, int channel) {
    checkBitmap(bitmap);
    checkChannel(channel);
    const std::uint8_t* p = bitmap.pixels();
    const std::size_t pixelCount = std::size_t(bitmap.width()) * std::size_t(bitmap.height());
    const std::size_t stride = std::size_t(bitmap.channels());
    SubHistograms counts{};
    if (bitmap.layout() == PixelLayout::Grey) {
        countLevels(p, pixelCount, counts);
    } else {
        // Levels go through a small buffer that stays in the L1 cache: counting them there is
        // quicker than counting bytes strewn over the picture.
        constexpr std::size_t kBlock = 2048;
        std::array<std::uint8_t, kBlock> levels;
        for (std::size_t start = 0; start < pixelCount; start += kBlock) {
            const std::size_t count = std::min(kBlock, pixelCount - start);
            levelsOf(p + start * stride, count, bitmap.channels(), channel, levels.data());
            countLevels(levels.data(), count, counts);
        }
    }
    Histogram total{};
    for (const Histogram& part : counts) {
        for (std::size_t v = 0; v < total.size(); ++v) {
            total[v] += part[v];
        }
    }
    return total;
}

Bitmap remapped(const Bitmap& bitmap, const RemapTable& table, int channel) {
    checkBitmap(bitmap);
    checkChannel(channel);
    // A grey picture's one channel answers to every selector; alpha is never selected.
    unsigned channelMask = 0b111;
    if (bitmap.layout() == PixelLayout::Grey) {
        channelMask = 1;
    } else if (channel != kAllChannels) {
        channelMask = 1u << (channel - 1);
    }
    PixelBuffer result(bitmap.width(), bitmap.height(), bitmap.layout());
    remapPixels(bitmap.pixels(), result.data(),
                std::size_t(bitmap.width()) * std::size_t(bitmap.height()), bitmap.channels(),
                channelMask, table);
    return Bitmap(std::move(result), bitmap.metadata());
}

}  // namespace quorvel::imaging
