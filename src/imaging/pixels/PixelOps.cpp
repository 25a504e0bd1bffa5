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
    const std::atomic<bool> never{false};
    return *remappedUnlessAbandoned(bitmap, table, channel, never);
}

std::optional<Bitmap> remappedUnlessAbandoned(const Bitmap& bitmap, const RemapTable& table,
                                              int channel, const std::atomic<bool>& abandoned) {
    checkBitmap(bitmap);
    checkChannel(channel);
    const unsigned channelMask = remapChannelMask(bitmap.layout(), channel);
    PixelBuffer result(bitmap.width(), bitmap.height(), bitmap.layout());
    // Bands of a few megabytes: an abandoned remap stops within a fraction of a millisecond.
    constexpr std::size_t kBandBytes = std::size_t(4) << 20;
    const std::size_t rowBytes = bitmap.rowBytes();
    const int bandRows =
        int(std::max<std::size_t>(1, kBandBytes / std::max<std::size_t>(1, rowBytes)));
    for (int y = 0; y < bitmap.height(); y += bandRows) {
        if (abandoned.load(std::memory_order_relaxed)) {
            return std::nullopt;
        }
        const int rows = std::min(bandRows, bitmap.height() - y);
        remapPixels(bitmap.row(y), result.row(y), std::size_t(bitmap.width()) * std::size_t(rows),
                    bitmap.channels(), channelMask, table);
    }
    return Bitmap(std::move(result), bitmap.metadata());
}

}  // namespace quorvel::imaging
