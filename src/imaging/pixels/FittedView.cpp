// SPDX-License-Identifier: GPL-3.0-or-later
#include "FittedView.h"

#include "DepthConversion.h"
#include "DisplayColour.h"
#include "QImageConversion.h"
#include "RemapKernels.h"
#include "VectorClones.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace quorvel::imaging {
namespace {

QImage::Format viewFormat(const Bitmap& bitmap) {
    return bitmap.hasAlpha() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

// The box reduction walks the source rows of each output row in column strips: the rows of a
// strip are summed column by column (byte adds the compiler vectorises, in the best clone for the
// processor), then the strip's column sums are added up box by box while the rows of the strips
// ahead are being prefetched, so the adding overlaps the memory traffic. 16-bit column sums hold
// 257 rows of 255; taller boxes are summed in slices of that many rows.
constexpr int kRowsPerNarrowSum = 257;
// Strips end on pixel edges for one and three channels and stay in the L1 cache.
constexpr std::size_t kStripBytes = 384;
// Two strips ahead: early enough to arrive in time, near enough to be still cached when used.
constexpr std::size_t kPrefetchAhead = 2 * kStripBytes;
// Premultiplied colour adds up to 255 * 255 per row in 32 bits.
constexpr int kRowsPerPremultipliedSum = 66051;

using EightSums = std::uint16_t __attribute__((vector_size(16)));
using FourRunning = std::uint32_t __attribute__((vector_size(16)));

// The four column sums from `sums` on, widened to 32 bits in one step (eight are read): a pixel's
// own and, ignored, those after them, so that a box adds one vector per pixel.
inline FourRunning widenedLow(const std::uint16_t* sums) {
    EightSums loaded;
    std::memcpy(&loaded, sums, sizeof loaded);
    const EightSums zero = {};
    return FourRunning(__builtin_shufflevector(loaded, zero, 0, 8, 1, 9, 2, 10, 3, 11));
}

// totals[x * 4 + c] += the sum of channel c over box x of `count` grey or RGB rows
// (1 <= count <= kRowsPerNarrowSum) of `bytes` bytes, `stride` apart.
QUORVEL_VECTOR_CLONES void addNarrowBoxes(const std::uint8_t* __restrict first, std::size_t stride,
                                          std::size_t bytes, int count, int channels,
                                          const std::vector<int>& xStart,
                                          std::uint64_t* __restrict totals) {
    std::uint16_t strip[kStripBytes + 7] = {};  // room for widenedLow's reading past the end
    // Running sums along the row are read off at each box edge. Unsigned wrap-around cancels in
    // the differences, so 32 bits need hold only one box: a box is at most about twice the
    // reduction factor wide, which is at most the square root of the pixel budget.
    FourRunning running = {};
    FourRunning atEdge = {};
    const std::size_t boxes = xStart.size() - 1;
    const std::size_t step = std::size_t(channels);
    std::size_t box = 0;
    std::size_t edge = std::size_t(xStart[1]) * step;
    for (std::size_t start = 0; start < bytes; start += kStripBytes) {
        const std::size_t width = std::min(kStripBytes, bytes - start);
        const std::uint8_t* row = first + start;
        if (start + kPrefetchAhead + kStripBytes <= bytes) {
            for (int k = 0; k < count; ++k) {
                const std::uint8_t* ahead = row + std::size_t(k) * stride + kPrefetchAhead;
                for (std::size_t j = 0; j < kStripBytes; j += 64) {
                    __builtin_prefetch(ahead + j);
                }
            }
        }
        for (std::size_t i = 0; i < width; ++i) {
            strip[i] = row[i];
        }
        for (int k = 1; k < count; ++k) {
            row += stride;
            for (std::size_t i = 0; i < width; ++i) {
                strip[i] = std::uint16_t(strip[i] + row[i]);
            }
        }
        for (std::size_t i = 0; i < width;) {
            const std::size_t stop = std::min(width, edge - start);
            for (; i < stop; i += step) {
                running += widenedLow(strip + i);
            }
            if (start + i == edge) {
                const FourRunning sum = running - atEdge;
                atEdge = running;
                for (std::size_t c = 0; c < step; ++c) {
                    totals[box * 4 + c] += sum[c];
                }
                if (++box < boxes) {
                    edge = std::size_t(xStart[box + 1]) * step;
                }
            }
        }
    }
}

// The same for RGBA, with colours weighted by their opacity (transparent pixels add no colour)
// and alpha summed as it is; count <= kRowsPerPremultipliedSum. `sums` holds a row of 32-bit
// column sums.
QUORVEL_VECTOR_CLONES void addPremultipliedBoxes(const std::uint8_t* __restrict first,
                                                 std::size_t stride, int count,
                                                 const std::vector<int>& xStart,
                                                 std::uint32_t* __restrict sums,
                                                 std::uint64_t* __restrict totals) {
    const std::size_t pixels = std::size_t(xStart.back());
    std::fill(sums, sums + pixels * 4, 0u);
    for (int k = 0; k < count; ++k) {
        const std::uint8_t* row = first + std::size_t(k) * stride;
        for (std::size_t x = 0; x < pixels; ++x) {
            const std::uint32_t alpha = row[x * 4 + 3];
            sums[x * 4] += row[x * 4] * alpha;
            sums[x * 4 + 1] += row[x * 4 + 1] * alpha;
            sums[x * 4 + 2] += row[x * 4 + 2] * alpha;
            sums[x * 4 + 3] += alpha;
        }
    }
    for (std::size_t box = 0; box + 1 < xStart.size(); ++box) {
        for (std::size_t x = std::size_t(xStart[box]); x < std::size_t(xStart[box + 1]); ++x) {
            for (std::size_t c = 0; c < 4; ++c) {
                totals[box * 4 + c] += sums[x * 4 + c];
            }
        }
    }
}

// Rounds a non-negative average to the nearest level. Totals stay far below 2^63, and the signed
// conversion is the one the processor does in one instruction.
int level(std::uint64_t total, double scale) {
    return int(double(std::int64_t(total)) * scale + 0.5);
}

// One output row from the box totals; scale[x] is one over box x's pixel count.
QUORVEL_VECTOR_CLONES void writeRow(const std::vector<std::uint64_t>& totals,
                                    const std::vector<double>& scale, int channels, QRgb* out) {
    const std::size_t width = scale.size();
    const std::uint64_t* total = totals.data();
    if (channels == 1) {
        for (std::size_t x = 0; x < width; ++x, total += 4) {
            const int v = level(total[0], scale[x]);
            out[x] = qRgb(v, v, v);
        }
    } else if (channels == 3) {
        for (std::size_t x = 0; x < width; ++x, total += 4) {
            out[x] = qRgb(level(total[0], scale[x]), level(total[1], scale[x]),
                          level(total[2], scale[x]));
        }
    } else {
        for (std::size_t x = 0; x < width; ++x, total += 4) {
            // Premultiplied colour never exceeds alpha; rounding must not make it.
            const int a = level(total[3], scale[x]);
            const double colourScale = scale[x] / 255;
            out[x] = qRgba(std::min(a, level(total[0], colourScale)),
                           std::min(a, level(total[1], colourScale)),
                           std::min(a, level(total[2], colourScale)), a);
        }
    }
}

// Called with the first row and the count of each band of rows just before the boxes read it;
// false stops the reduction.
using BeforeRows = std::function<bool(int first, int count)>;

// Area average over integer boxes straight from the Bitmap into a paintable image. Box edges are
// spread evenly, so every source pixel counts exactly once. A null image when stopped.
QImage boxReduced(const Bitmap& bitmap, QSize size, const BeforeRows& beforeRows = {}) {
    const int sw = bitmap.width();
    const int sh = bitmap.height();
    const int dw = size.width();
    const int dh = size.height();
    const int channels = bitmap.channels();
    const bool alpha = bitmap.hasAlpha();
    const std::size_t stride = bitmap.rowBytes();

    std::vector<int> xStart(std::size_t(dw) + 1);
    for (int x = 0; x <= dw; ++x) {
        xStart[std::size_t(x)] = int(std::int64_t(x) * sw / dw);
    }
    QImage result(size, viewFormat(bitmap));
    std::vector<std::uint32_t> premultipliedSums(alpha ? stride : 0);
    std::vector<std::uint64_t> totals(std::size_t(dw) * 4);
    std::vector<double> scale(static_cast<std::size_t>(dw));
    const int slice = alpha ? kRowsPerPremultipliedSum : kRowsPerNarrowSum;
    for (int y = 0; y < dh; ++y) {
        const int y0 = int(std::int64_t(y) * sh / dh);
        const int y1 = int(std::int64_t(y + 1) * sh / dh);
        if (beforeRows && !beforeRows(y0, y1 - y0)) {
            return {};
        }
        std::fill(totals.begin(), totals.end(), 0);
        for (int first = y0; first < y1; first += slice) {
            const int count = std::min(slice, y1 - first);
            if (alpha) {
                addPremultipliedBoxes(bitmap.row(first), stride, count, xStart,
                                      premultipliedSums.data(), totals.data());
            } else {
                addNarrowBoxes(bitmap.row(first), stride, stride, count, channels, xStart,
                               totals.data());
            }
        }
        for (std::size_t x = 0; x < scale.size(); ++x) {
            scale[x] = 1.0 / (double(xStart[x + 1] - xStart[x]) * (y1 - y0));
        }
        writeRow(totals, scale, channels, reinterpret_cast<QRgb*>(result.scanLine(y)));
    }
    return result;
}

}  // namespace

QSize fittedSize(QSize imageSize, QSize bounds) {
    if (imageSize.isEmpty() || bounds.isEmpty()) {
        return {1, 1};
    }
    const double scale = std::min(double(bounds.width()) / imageSize.width(),
                                  double(bounds.height()) / imageSize.height());
    return {std::max(1, int(std::lround(imageSize.width() * scale))),
            std::max(1, int(std::lround(imageSize.height() * scale)))};
}

namespace {

int reductionFactor(const Bitmap& bitmap, QSize size) {
    return std::min(bitmap.width() / size.width(), bitmap.height() / size.height());
}

QImage viewOf(const Bitmap& bitmap, QSize size, const BeforeRows& beforeRows = {}) {
    // The screen shows 8 bits per channel; a 16-bit picture is viewed through its 8-bit levels.
    const Bitmap shown = toEightBits(bitmap);
    const QSize source(shown.width(), shown.height());
    // Large reductions go through the box filter to within a factor of two of the target, which is
    // where Qt's smooth scaling is both sharp and quick; small ones and enlargements go to Qt.
    const int factor = reductionFactor(bitmap, size);
    QImage view;
    if (factor >= 2) {
        view = boxReduced(shown,
                          QSize(std::max(size.width(), source.width() / factor),
                                std::max(size.height(), source.height() / factor)),
                          beforeRows);
        if (view.isNull()) {
            return {};
        }
    } else {
        // Always a copy: the view formats differ from every Bitmap layout's, so the kept view
        // does not hold on to the pixels.
        view = toQImage(shown).convertToFormat(viewFormat(shown));
    }
    if (view.size() != size) {
        view = view.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return view;
}

}  // namespace

QImage scaledView(const Bitmap& bitmap, QSize size) {
    // Converted each time rather than kept: a slider move remaps the stored view, and the
    // conversion costs the view's pixels only.
    return inDisplayColours(storedView(bitmap, size), bitmap.metadata().icc);
}

QImage storedView(const Bitmap& bitmap, QSize size) {
    if (bitmap.isNull() || size.isEmpty()) {
        return {};
    }
    // Panels showing the same pixels at the same size share one view.
    if (QImage kept = bitmap.keptView(size); !kept.isNull()) {
        return kept;
    }
    QImage view = viewOf(bitmap, size);
    bitmap.keepView(view);
    return view;
}

std::optional<Bitmap> remappedWithView(const Bitmap& bitmap, const RemapTable& table,
                                       const RemapCurve& curve, int channel, QSize viewSize,
                                       const std::atomic<bool>& abandoned) {
    if (bitmap.isNull() || bitmap.isSixteenBit() || viewSize.isEmpty() ||
        reductionFactor(bitmap, viewSize) < 2) {
        std::optional<Bitmap> made =
            remappedUnlessAbandoned(bitmap, table, curve, channel, abandoned);
        if (made && !viewSize.isEmpty()) {
            storedView(*made, viewSize);
        }
        return made;
    }
    const unsigned channelMask = remapChannelMask(bitmap.layout(), channel);
    Bitmap made(PixelBuffer(bitmap.width(), bitmap.height(), bitmap.layout()), bitmap.metadata());
    // No one else holds the new picture yet: its rows are written here, each band just before
    // the view's boxes read it back from the cache.
    auto* out = const_cast<std::uint8_t*>(made.pixels());
    const std::size_t rowBytes = bitmap.rowBytes();
    const QImage view = viewOf(made, viewSize, [&](int first, int count) {
        if (abandoned.load(std::memory_order_relaxed)) {
            return false;
        }
        remapPixels(bitmap.row(first), out + rowBytes * std::size_t(first),
                    std::size_t(bitmap.width()) * std::size_t(count), bitmap.channels(),
                    channelMask, table);
        return true;
    });
    if (view.isNull()) {
        return std::nullopt;
    }
    made.keepView(view);
    return made;
}

QImage remappedView(const QImage& view, PixelLayout layout, const RemapTable& table, int channel) {
    if (view.isNull()) {
        return {};
    }
    // Views are 32-bit pixels stored as B, G, R, A bytes; a grey picture's level is in all three.
    unsigned channelMask = 0b111;
    if (layout != PixelLayout::Grey && channel != kAllChannels) {
        channelMask = 1u << (3 - channel);
    }
    const bool premultiplied = view.format() == QImage::Format_ARGB32_Premultiplied;
    // Colour is remapped as stored, before alpha multiplies it.
    const QImage source = premultiplied ? view.convertToFormat(QImage::Format_ARGB32) : view;
    QImage result(source.size(), source.format());
    for (int y = 0; y < source.height(); ++y) {
        remapPixels(source.constScanLine(y), result.scanLine(y), std::size_t(source.width()), 4,
                    channelMask, table);
    }
    return premultiplied ? result.convertToFormat(QImage::Format_ARGB32_Premultiplied) : result;
}

}  // namespace quorvel::imaging
