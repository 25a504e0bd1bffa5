// SPDX-License-Identifier: GPL-3.0-or-later
#include "PixelOps.h"

#include "DepthConversion.h"
#include "ErrorCodes.h"
#include "ImagingError.h"
#include "ParallelBands.h"
#include "RemapKernels.h"
#include "VectorClones.h"

#include <algorithm>
#include <cmath>

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

// The same for 16-bit samples, each first taken to its 8-bit level.
QUORVEL_VECTOR_CLONES void levelsOf16(const std::uint16_t* __restrict samples, std::size_t count,
                                      int channels, int channel, std::uint8_t* __restrict levels) {
    const auto luma = [](const std::uint16_t* p) {
        return std::uint8_t((299u * eightBitLevel(p[0]) + 587u * eightBitLevel(p[1]) +
                             114u * eightBitLevel(p[2]) + 500u) /
                            1000u);
    };
    if (channels == 1) {
        for (std::size_t i = 0; i < count; ++i) {
            levels[i] = eightBitLevel(samples[i]);
        }
    } else if (channel != kAllChannels) {
        const std::uint16_t* values = samples + (channel - 1);
        for (std::size_t i = 0; i < count; ++i) {
            levels[i] = eightBitLevel(values[i * std::size_t(channels)]);
        }
    } else if (channels == 3) {
        for (std::size_t i = 0; i < count; ++i) {
            levels[i] = luma(samples + i * 3);
        }
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            levels[i] = luma(samples + i * 4);
        }
    }
}

// Ties go to the even integer whatever rounding mode the floating-point environment is in.
double roundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction != 0.5) {
        return fraction < 0.5 ? below : below + 1.0;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

// Within 0..top; NaN counts as 0.
double inRange(double value, double top) {
    return value > 0.0 ? std::min(value, top) : 0.0;
}

}  // namespace

Histogram computeHistogram(const Bitmap& bitmap, int channel) {
    checkBitmap(bitmap);
    checkChannel(channel);
    const std::uint8_t* p = bitmap.pixels();
    const std::size_t pixelCount = std::size_t(bitmap.width()) * std::size_t(bitmap.height());
    const std::size_t stride = std::size_t(bitmap.channels());
    SubHistograms counts{};
    if (bitmap.layout() == PixelLayout::Grey && !bitmap.isSixteenBit()) {
        countLevels(p, pixelCount, counts);
    } else if (bitmap.isSixteenBit()) {
        constexpr std::size_t kBlock = 2048;
        std::array<std::uint8_t, kBlock> levels;
        const std::uint16_t* samples = bitmap.samples16();
        for (std::size_t start = 0; start < pixelCount; start += kBlock) {
            const std::size_t count = std::min(kBlock, pixelCount - start);
            levelsOf16(samples + start * stride, count, bitmap.channels(), channel, levels.data());
            countLevels(levels.data(), count, counts);
        }
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
    return *remappedUnlessAbandoned(bitmap, table, curveOf(table), channel, never);
}

RemapCurve curveOf(const RemapTable& table) {
    RemapCurve curve{};
    for (std::size_t i = 0; i < curve.size(); ++i) {
        curve[i] = table[i] / 255.0;
    }
    return curve;
}

std::optional<Bitmap> remappedUnlessAbandoned(const Bitmap& bitmap, const RemapTable& table,
                                              const RemapCurve& curve, int channel,
                                              const std::atomic<bool>& abandoned) {
    checkBitmap(bitmap);
    checkChannel(channel);
    const unsigned channelMask = remapChannelMask(bitmap.layout(), channel);
    const RemapTable16 wideTable = bitmap.isSixteenBit() ? remapTable16(curve) : RemapTable16();
    PixelBuffer result(bitmap.width(), bitmap.height(), bitmap.layout(), bitmap.depth());
    // Bands of a few megabytes: an abandoned remap stops within a fraction of a millisecond.
    constexpr std::size_t kBandBytes = std::size_t(4) << 20;
    const std::size_t rowBytes = bitmap.rowBytes();
    const int bandRows =
        int(std::max<std::size_t>(1, kBandBytes / std::max<std::size_t>(1, rowBytes)));
    const auto remapRows = [&](int first, int end) {
        for (int y = first; y < end; y += bandRows) {
            if (abandoned.load(std::memory_order_relaxed)) {
                return false;
            }
            const int rows = std::min(bandRows, end - y);
            const std::size_t pixels = std::size_t(bitmap.width()) * std::size_t(rows);
            if (bitmap.isSixteenBit()) {
                remapSamples16(reinterpret_cast<const std::uint16_t*>(bitmap.row(y)),
                               reinterpret_cast<std::uint16_t*>(result.row(y)), pixels,
                               bitmap.channels(), channelMask, wideTable.data());
            } else {
                remapPixels(bitmap.row(y), result.row(y), pixels, bitmap.channels(), channelMask,
                            table);
            }
        }
        return true;
    };
    if (!bitmap.isSixteenBit()) {
        if (!remapRows(0, bitmap.height())) {
            return std::nullopt;
        }
        return Bitmap(std::move(result), bitmap.metadata());
    }
    // The 16-bit lookup is bound by the arithmetic rather than the memory traffic, so it gains
    // from every core.
    std::atomic<bool> stopped{false};
    inBands(bitmap.height(), result.byteCount(), [&](int first, int end) {
        if (!remapRows(first, end)) {
            stopped.store(true, std::memory_order_relaxed);
        }
    });
    if (stopped.load(std::memory_order_relaxed)) {
        return std::nullopt;
    }
    return Bitmap(std::move(result), bitmap.metadata());
}

RemapTable16 remapTable16(const RemapCurve& curve) {
    RemapTable16 table(65536);
    for (std::size_t v = 0; v < table.size(); ++v) {
        const double x = double(v) / 257.0;
        const auto i = std::size_t(x);
        const double c =
            i >= 255 ? curve[255] : curve[i] + (x - double(i)) * (curve[i + 1] - curve[i]);
        table[v] = std::uint16_t(inRange(roundHalfToEven(65535.0 * c), 65535.0));
    }
    return table;
}

RemapCurve identityCurve() {
    RemapCurve curve{};
    for (std::size_t i = 0; i < curve.size(); ++i) {
        curve[i] = double(i) / 255.0;
    }
    return curve;
}

Bitmap remapped(const Bitmap& bitmap, const RemapCurve& curve, int channel) {
    RemapTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = std::uint8_t(inRange(roundHalfToEven(curve[i] * 255.0), 255.0));
    }
    const std::atomic<bool> never{false};
    return *remappedUnlessAbandoned(bitmap, table, curve, channel, never);
}

}  // namespace quorvel::imaging
