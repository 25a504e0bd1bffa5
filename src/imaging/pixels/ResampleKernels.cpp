// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResampleKernels.h"

#include "VectorClones.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace quorvel::imaging {
namespace {

using SixteenBytes = std::uint8_t __attribute__((vector_size(16)));
using FourShorts = std::uint16_t __attribute__((vector_size(8)));
using FourWords = std::uint32_t __attribute__((vector_size(16)));

// A pixel's channels, and whatever follows them up to four, one per lane.
inline FourWords fourFrom(const std::uint16_t* at) {
    FourShorts shorts;
    std::memcpy(&shorts, at, sizeof shorts);
    return __builtin_convertvector(shorts, FourWords);
}

inline FourWords fourFrom(const std::uint8_t* at) {
    std::uint32_t bits;
    std::memcpy(&bits, at, sizeof bits);
    const auto bytes = SixteenBytes(FourWords{bits, 0, 0, 0});
    const SixteenBytes zero = {};
    return FourWords(__builtin_shufflevector(bytes, zero, 0, 16, 16, 16, 1, 16, 16, 16, 2, 16, 16,
                                             16, 3, 16, 16, 16));
}

// The low bytes of the first three lanes.
inline void storeThree(std::uint8_t* to, FourWords levels) {
    const auto bytes = SixteenBytes(levels);
    const auto packed = FourWords(
        __builtin_shufflevector(bytes, bytes, 0, 4, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    const std::uint32_t bits = packed[0];
    std::memcpy(to, &bits, 2);
    to[2] = std::uint8_t(bits >> 16);
}

// Columns are summed a strip at a time, so that the sums stay in the L1 cache while every row of
// the box is added to them.
constexpr std::size_t kStripBytes = 4096;

// sums[i] = the sum of byte i over `count` rows `stride` apart; count <= 257 keeps it in 16 bits.
QUORVEL_VECTOR_CLONES void sumColumns(const std::uint8_t* __restrict first, std::size_t stride,
                                      int count, std::size_t bytes,
                                      std::uint16_t* __restrict sums) {
    for (std::size_t start = 0; start < bytes; start += kStripBytes) {
        const std::size_t end = std::min(bytes, start + kStripBytes);
        for (std::size_t i = start; i < end; ++i) {
            sums[i] = first[i];
        }
        for (int k = 1; k < count; ++k) {
            const std::uint8_t* row = first + std::size_t(k) * stride;
            for (std::size_t i = start; i < end; ++i) {
                sums[i] = std::uint16_t(sums[i] + row[i]);
            }
        }
    }
}

// floor((2 sum + n) / 2n), the average rounded half up, as a multiply and a shift: with the
// multiplier rounded up from 2^24 / 2n the error stays below one step for every sum up to 255 n
// as long as n <= 128, and the product stays within 32 bits.
constexpr int kMaxBoxPixels = 128;
constexpr int kDividerShift = 24;

std::uint32_t boxMultiplier(std::uint32_t n) {
    return ((std::uint32_t(1) << kDividerShift) + 2 * n - 1) / (2 * n);
}

QUORVEL_VECTOR_CLONES void boxRowRgb(const std::uint16_t* __restrict sums, int outWidth, int factor,
                                     std::uint32_t n, std::uint32_t multiplier,
                                     std::uint8_t* __restrict out) {
    const std::size_t step = std::size_t(factor) * 3;
    for (std::size_t x = 0; x < std::size_t(outWidth); ++x) {
        const std::uint16_t* box = sums + x * step;
        FourWords total = fourFrom(box);
        for (int k = 1; k < factor; ++k) {
            total += fourFrom(box + 3 * k);
        }
        storeThree(out + 3 * x, ((total * 2 + n) * multiplier) >> kDividerShift);
    }
}

void boxRowGrey(const std::uint16_t* sums, int outWidth, int factor, std::uint32_t n,
                std::uint32_t multiplier, std::uint8_t* out) {
    for (std::size_t x = 0; x < std::size_t(outWidth); ++x) {
        const std::uint16_t* box = sums + x * std::size_t(factor);
        std::uint32_t total = 0;
        for (int k = 0; k < factor; ++k) {
            total += box[k];
        }
        out[x] = std::uint8_t(((total * 2 + n) * multiplier) >> kDividerShift);
    }
}

// Catmull-Rom weights in 1/128 for the output pixels a quarter pixel before and after an input
// pixel centre, over input pixels k - 2 .. k + 1 and k - 1 .. k + 2.
constexpr int kBefore[4] = {-3, 29, 111, -9};
constexpr int kAfter[4] = {-9, 111, 29, -3};
// Rows doubled along x range from -3060 to 35700 (in 1/128); less this they fit in 16 bits.
constexpr int kDoubledBias = 16384;

// The two output values of each input byte of a row padded with two repeated pixels either side,
// less the bias; the arithmetic wraps in 16 bits, which the bias makes exact.
QUORVEL_VECTOR_CLONES void doubleAlong(const std::uint8_t* __restrict padded, std::size_t bytes,
                                       std::size_t step, std::int16_t* __restrict before,
                                       std::int16_t* __restrict after) {
    for (std::size_t i = 0; i < bytes; ++i) {
        const std::uint16_t p0 = padded[i];
        const std::uint16_t p1 = padded[i + step];
        const std::uint16_t p2 = padded[i + 2 * step];
        const std::uint16_t p3 = padded[i + 3 * step];
        const std::uint16_t p4 = padded[i + 4 * step];
        before[i] = std::int16_t(std::uint16_t(kBefore[2] * p2 + kBefore[1] * p1 + kBefore[0] * p0 +
                                               kBefore[3] * p3 - kDoubledBias));
        after[i] = std::int16_t(std::uint16_t(kAfter[1] * p2 + kAfter[2] * p3 + kAfter[0] * p1 +
                                              kAfter[3] * p4 - kDoubledBias));
    }
}

using EightShorts = std::int16_t __attribute__((vector_size(16)));

inline EightShorts eightFrom(const std::int16_t* at) {
    EightShorts values;
    std::memcpy(&values, at, sizeof values);
    return values;
}

inline void storeEight(std::int16_t* to, EightShorts values) {
    std::memcpy(to, &values, sizeof values);
}

// The doubled row: the output values before and after each input pixel, pixel by pixel.
QUORVEL_VECTOR_CLONES void interleaveGrey(const std::int16_t* __restrict before,
                                          const std::int16_t* __restrict after, std::size_t pixels,
                                          std::int16_t* __restrict row) {
    std::size_t k = 0;
    for (; k + 8 <= pixels; k += 8) {
        const EightShorts b = eightFrom(before + k);
        const EightShorts a = eightFrom(after + k);
        storeEight(row + 2 * k, __builtin_shufflevector(b, a, 0, 8, 1, 9, 2, 10, 3, 11));
        storeEight(row + 2 * k + 8, __builtin_shufflevector(b, a, 4, 12, 5, 13, 6, 14, 7, 15));
    }
    for (; k < pixels; ++k) {
        row[2 * k] = before[k];
        row[2 * k + 1] = after[k];
    }
}

QUORVEL_VECTOR_CLONES void interleaveRgb(const std::int16_t* __restrict before,
                                         const std::int16_t* __restrict after, std::size_t pixels,
                                         std::int16_t* __restrict row) {
    std::size_t k = 0;
    // Four pixels of each make three vectors of output.
    for (; k + 4 <= pixels; k += 4) {
        const EightShorts b0 = eightFrom(before + 3 * k);
        const EightShorts b1 = eightFrom(before + 3 * k + 4);
        const EightShorts a0 = eightFrom(after + 3 * k);
        const EightShorts a1 = eightFrom(after + 3 * k + 4);
        std::int16_t* to = row + 6 * k;
        storeEight(to, __builtin_shufflevector(b0, a0, 0, 1, 2, 8, 9, 10, 3, 4));
        storeEight(to + 8, __builtin_shufflevector(b1, a0, 1, 11, 12, 13, 2, 3, 4, 14));
        storeEight(to + 16, __builtin_shufflevector(b1, a1, 11, 12, 5, 6, 7, 13, 14, 15));
    }
    for (; k < pixels; ++k) {
        std::memcpy(row + 6 * k, before + 3 * k, 3 * sizeof(std::int16_t));
        std::memcpy(row + 6 * k + 3, after + 3 * k, 3 * sizeof(std::int16_t));
    }
}

// The bias of each doubled row comes back as 128 times itself; 1 << 13 rounds half up.
constexpr int kDoubledOffset = kDoubledBias * 128 + (1 << 13);

inline std::uint8_t doubledLevel(int sum) {
    return std::uint8_t(std::clamp((sum + kDoubledOffset) >> 14, 0, 255));
}

// Output rows 2k and 2k + 1 from the rows k - 2 .. k + 2 doubled along x, weighted in 1/128: exact
// to 1/16384, then rounded half up.
using DoubleDownKernel = void (*)(const std::int16_t* const (&)[5], std::size_t, std::uint8_t*,
                                  std::uint8_t*);

void doubleDownPortable(const std::int16_t* const (&rows)[5], std::size_t bytes, std::uint8_t* even,
                        std::uint8_t* odd) {
    for (std::size_t j = 0; j < bytes; ++j) {
        int before = 0;
        int after = 0;
        for (int t = 0; t < 4; ++t) {
            before += kBefore[t] * rows[t][j];
            after += kAfter[t] * rows[t + 1][j];
        }
        even[j] = doubledLevel(before);
        odd[j] = doubledLevel(after);
    }
}

#if defined(__x86_64__)
#define QUORVEL_AVX512 __attribute__((target("avx512f,avx512bw")))

// Two weights side by side, as a multiply-add takes them.
QUORVEL_AVX512 inline __m512i weightPair(int first, int second) {
    return _mm512_set1_epi32(int((std::uint32_t(second) << 16) | (std::uint32_t(first) & 0xFFFF)));
}

// The levels of 32 outputs from two multiply-adds on the low and high halves of row pairs.
QUORVEL_AVX512 inline __m256i doubledLevels(__m512i lowPair0, __m512i lowPair1, __m512i highPair0,
                                            __m512i highPair1, __m512i weights0, __m512i weights1) {
    const __m512i offset = _mm512_set1_epi32(kDoubledOffset);
    const __m512i low = _mm512_add_epi32(_mm512_add_epi32(_mm512_madd_epi16(lowPair0, weights0),
                                                          _mm512_madd_epi16(lowPair1, weights1)),
                                         offset);
    const __m512i high = _mm512_add_epi32(_mm512_add_epi32(_mm512_madd_epi16(highPair0, weights0),
                                                           _mm512_madd_epi16(highPair1, weights1)),
                                          offset);
    // Packing undoes the unpacking's order, lane by lane.
    const __m512i levels =
        _mm512_max_epi16(_mm512_packs_epi32(_mm512_maskz_srai_epi32(0xFFFF, low, 14),
                                            _mm512_maskz_srai_epi32(0xFFFF, high, 14)),
                         _mm512_setzero_si512());
    return _mm512_maskz_cvtusepi16_epi8(~__mmask32(0), levels);
}

// The same with the rows taken in pairs, so that one multiply-add makes two products and their
// sum at once: rows 0 and 2, 1 and 3 for the even output, 1 and 3, 2 and 4 for the odd one.
QUORVEL_AVX512 void doubleDownAvx512(const std::int16_t* const (&rows)[5], std::size_t bytes,
                                     std::uint8_t* even, std::uint8_t* odd) {
    const __m512i before02 = weightPair(kBefore[0], kBefore[2]);
    const __m512i before13 = weightPair(kBefore[1], kBefore[3]);
    const __m512i after02 = weightPair(kAfter[0], kAfter[2]);
    const __m512i after13 = weightPair(kAfter[1], kAfter[3]);
    std::size_t j = 0;
    for (; j + 32 <= bytes; j += 32) {
        __m512i r[5];
        for (int t = 0; t < 5; ++t) {
            r[t] = _mm512_loadu_si512(rows[t] + j);
        }
        const __m512i low02 = _mm512_unpacklo_epi16(r[0], r[2]);
        const __m512i high02 = _mm512_unpackhi_epi16(r[0], r[2]);
        const __m512i low13 = _mm512_unpacklo_epi16(r[1], r[3]);
        const __m512i high13 = _mm512_unpackhi_epi16(r[1], r[3]);
        const __m512i low24 = _mm512_unpacklo_epi16(r[2], r[4]);
        const __m512i high24 = _mm512_unpackhi_epi16(r[2], r[4]);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(even + j),
                            doubledLevels(low02, low13, high02, high13, before02, before13));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(odd + j),
                            doubledLevels(low13, low24, high13, high24, after02, after13));
    }
    const std::int16_t* const rest[5] = {rows[0] + j, rows[1] + j, rows[2] + j, rows[3] + j,
                                         rows[4] + j};
    doubleDownPortable(rest, bytes - j, even + j, odd + j);
}
#endif

DoubleDownKernel chosenDoubleDown() {
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw")) {
        return doubleDownAvx512;
    }
#endif
    return doubleDownPortable;
}

double catmullRom(double distance) {
    const double d = std::abs(distance);
    if (d < 1) {
        return (1.5 * d - 2.5) * d * d + 1;
    }
    if (d < 2) {
        return ((-0.5 * d + 2.5) * d - 4) * d + 2;
    }
    return 0;
}

// acc = weight * row, or acc += weight * row.
QUORVEL_VECTOR_CLONES void weighRow(const std::uint8_t* __restrict row, std::size_t bytes,
                                    float weight, bool add, float* __restrict acc) {
    if (add) {
        for (std::size_t i = 0; i < bytes; ++i) {
            acc[i] += weight * float(row[i]);
        }
    } else {
        for (std::size_t i = 0; i < bytes; ++i) {
            acc[i] = weight * float(row[i]);
        }
    }
}

QUORVEL_VECTOR_CLONES void weighRow(const std::uint16_t* __restrict row, std::size_t samples,
                                    float weight, bool add, float* __restrict acc) {
    if (add) {
        for (std::size_t i = 0; i < samples; ++i) {
            acc[i] += weight * float(row[i]);
        }
    } else {
        for (std::size_t i = 0; i < samples; ++i) {
            acc[i] = weight * float(row[i]);
        }
    }
}

// The same for RGBA with colour multiplied by alpha, so that transparent pixels add no colour.
template <typename T>
void weighPremultipliedRow(const T* row, std::size_t pixels, float weight, bool add, float* acc) {
    for (std::size_t x = 0; x < pixels; ++x) {
        const T* p = row + 4 * x;
        const float a = float(p[3]);
        const float values[4] = {float(p[0]) * a, float(p[1]) * a, float(p[2]) * a, a};
        for (std::size_t c = 0; c < 4; ++c) {
            acc[4 * x + c] = (add ? acc[4 * x + c] : 0.0f) + weight * values[c];
        }
    }
}

QUORVEL_VECTOR_CLONES void resampleAlong(const float* __restrict acc, std::size_t channels,
                                         const AxisWeights& x, float* __restrict line) {
    const std::size_t taps = std::size_t(x.taps);
    for (std::size_t i = 0; i < x.first.size(); ++i) {
        const float* weights = x.weights.data() + i * taps;
        const float* from = acc + std::size_t(x.first[i]) * channels;
        for (std::size_t c = 0; c < channels; ++c) {
            float sum = 0;
            for (std::size_t t = 0; t < taps; ++t) {
                sum += weights[t] * from[t * channels + c];
            }
            line[i * channels + c] = sum;
        }
    }
}

template <typename T = std::uint8_t>
T level(float value) {
    constexpr float kTop = sizeof(T) == 1 ? 255.0f : 65535.0f;
    return T(std::clamp(value, 0.0f, kTop) + 0.5f);
}

// One output pixel from its four input pixels at (x, y), (x + 1, y), (x, y + 1), (x + 1, y + 1)
// and the position between them in 1/256: the exact weighted sum, rounded half up. Colour with
// alpha is weighted by alpha too and divided back.
// 16-bit samples sum the same way; their weighted sums with alpha need 64 bits.
template <int C, typename T = std::uint8_t>
void mixPixel(const T* const (&taps)[4], std::uint32_t fx, std::uint32_t fy, T* out) {
    using Sum = std::conditional_t<sizeof(T) == 1, std::uint32_t, std::uint64_t>;
    const std::uint32_t weights[4] = {(256 - fx) * (256 - fy), fx * (256 - fy), (256 - fx) * fy,
                                      fx * fy};
    if constexpr (C == 4) {
        Sum colour[3] = {};
        Sum alpha = 0;
        for (int t = 0; t < 4; ++t) {
            const Sum weighted = Sum(weights[t]) * taps[t][3];
            alpha += weighted;
            for (int c = 0; c < 3; ++c) {
                colour[c] += weighted * taps[t][c];
            }
        }
        for (int c = 0; c < 3; ++c) {
            out[c] = alpha == 0
                         ? 0
                         : T((2 * std::uint64_t(colour[c]) + alpha) / (2 * std::uint64_t(alpha)));
        }
        out[3] = T((alpha + 32768) >> 16);
    } else {
        for (int c = 0; c < C; ++c) {
            // At most 65536 x 65535 + 32768: within 32 bits for either depth.
            std::uint32_t sum = 0;
            for (int t = 0; t < 4; ++t) {
                sum += weights[t] * taps[t][c];
            }
            out[c] = T((sum + 32768) >> 16);
        }
    }
}

// The same sum for RGB inside the picture, a pixel per vector: four bytes are read per pixel, so
// the pixel below must not be in the picture's last row.
inline void mixInsideRgb(const std::uint8_t* p, std::size_t stride, std::uint32_t fx,
                         std::uint32_t fy, std::uint8_t* out) {
    const FourWords top = fourFrom(p) * (256 - fx) + fourFrom(p + 3) * fx;
    const FourWords bottom = fourFrom(p + stride) * (256 - fx) + fourFrom(p + stride + 3) * fx;
    storeThree(out, (top * (256 - fy) + bottom * fy + 32768) >> 16);
}

// The output columns [first, end) of a row at which the sample point a0 + slope * x lies in
// (lower, upper), widened by two pixels and kept within [0, count).
void spanWithin(double a0, double slope, double lower, double upper, int count, int& first,
                int& end) {
    if (std::abs(slope) < 1e-12) {
        if (!(a0 > lower && a0 < upper)) {
            end = first;
        }
        return;
    }
    const double x0 = (lower - a0) / slope;
    const double x1 = (upper - a0) / slope;
    const double low = std::floor(std::min(x0, x1)) - 2;
    const double high = std::ceil(std::max(x0, x1)) + 3;
    first = std::max(first, int(std::clamp(low, 0.0, double(count))));
    end = std::min(end, int(std::clamp(high, 0.0, double(count))));
}

// Fixed point with 32 fractional bits: sample positions stay exact to well below 1/256 pixel
// across the widest canvas.
constexpr double kFixedOne = 4294967296.0;

// Where each output row of a band meets the picture: the columns [first, end) and the fixed-point
// input position at `first`.
struct RowSpan {
    int first;
    int end;
    std::int64_t u;
    std::int64_t v;
};

template <int C, typename T = std::uint8_t>
QUORVEL_VECTOR_CLONES void rotateRows(const T* in, int width, int height, const T* fill,
                                      double cosine, double sine, T* out, int outWidth,
                                      int outHeight, int firstRow, int endRow) {
    constexpr bool kRgbBytes = C == 3 && sizeof(T) == 1;
    const std::size_t stride = std::size_t(width) * C;
    const std::size_t outStride = std::size_t(outWidth) * C;
    std::vector<T> fillRow(outStride);
    for (std::size_t x = 0; x < std::size_t(outWidth); ++x) {
        std::memcpy(fillRow.data() + x * C, fill, C * sizeof(T));
    }
    // Pixel centres at whole numbers, the centre of the picture on the centre of the canvas.
    const double inX = (width - 1) / 2.0;
    const double inY = (height - 1) / 2.0;
    const double outX = (outWidth - 1) / 2.0;
    const double outY = (outHeight - 1) / 2.0;
    const std::int64_t du = std::llround(cosine * kFixedOne);
    const std::int64_t dv = std::llround(-sine * kFixedOne);
    std::vector<RowSpan> spans(std::size_t(endRow - firstRow));
    for (int yo = firstRow; yo < endRow; ++yo) {
        // The inverse turn: the input point that lands on output pixel (x, yo).
        const double dy = yo - outY;
        const double u0 = inX - cosine * outX + sine * dy;
        const double v0 = inY + sine * outX + cosine * dy;
        RowSpan& span = spans[std::size_t(yo - firstRow)];
        span.first = 0;
        span.end = outWidth;
        spanWithin(u0, cosine, -1, width, outWidth, span.first, span.end);
        spanWithin(v0, -sine, -1, height, outWidth, span.first, span.end);
        span.end = std::max(span.end, span.first);
        span.u = std::llround(u0 * kFixedOne) + span.first * du;
        span.v = std::llround(v0 * kFixedOne) + span.first * dv;
        T* row = out + std::size_t(yo) * outStride;
        std::memcpy(row, fillRow.data(), std::size_t(span.first) * C * sizeof(T));
        std::memcpy(row + std::size_t(span.end) * C, fillRow.data(),
                    std::size_t(outWidth - span.end) * C * sizeof(T));
    }
    // A row of the output crosses many input rows; a strip of consecutive output rows stays
    // within a few hundred of them, which the caches and the TLB hold.
    constexpr int kStrip = 512;
    // Four bytes are read per RGB pixel in the fast path, so its lower pixels stop a row early.
    const auto insideColumns = std::uint64_t(width - 1);
    const auto insideRows = std::uint64_t(std::max(0, height - (kRgbBytes ? 2 : 1)));
    for (int strip = 0; strip < outWidth; strip += kStrip) {
        const int stripEnd = std::min(outWidth, strip + kStrip);
        for (int yo = firstRow; yo < endRow; ++yo) {
            const RowSpan& span = spans[std::size_t(yo - firstRow)];
            const int first = std::max(span.first, strip);
            const int end = std::min(span.end, stripEnd);
            T* row = out + std::size_t(yo) * outStride;
            std::int64_t u = span.u + (first - span.first) * du;
            std::int64_t v = span.v + (first - span.first) * dv;
            for (int x = first; x < end; ++x, u += du, v += dv) {
                const std::int64_t ui = u >> 32;
                const std::int64_t vi = v >> 32;
                const auto fx = std::uint32_t(u >> 24) & 255;
                const auto fy = std::uint32_t(v >> 24) & 255;
                T* to = row + std::size_t(x) * C;
                if (std::uint64_t(ui) < insideColumns && std::uint64_t(vi) < insideRows) {
                    const T* p = in + std::size_t(vi) * stride + std::size_t(ui) * C;
                    if constexpr (kRgbBytes) {
                        mixInsideRgb(p, stride, fx, fy, to);
                    } else {
                        const T* const taps[4] = {p, p + C, p + stride, p + stride + C};
                        mixPixel<C, T>(taps, fx, fy, to);
                    }
                    continue;
                }
                const auto tap = [&](std::int64_t tx, std::int64_t ty) {
                    return tx >= 0 && tx < width && ty >= 0 && ty < height
                               ? in + std::size_t(ty) * stride + std::size_t(tx) * C
                               : fill;
                };
                const T* const taps[4] = {tap(ui, vi), tap(ui + 1, vi), tap(ui, vi + 1),
                                          tap(ui + 1, vi + 1)};
                mixPixel<C, T>(taps, fx, fy, to);
            }
        }
    }
}

void cubicDoubleWith(DoubleDownKernel doubleDown, const std::uint8_t* in, int width, int height,
                     int channels, std::uint8_t* out, int firstRow, int endRow) {
    const std::size_t step = std::size_t(channels);
    const std::size_t bytes = std::size_t(width) * step;
    const std::size_t outBytes = 2 * bytes;
    std::vector<std::uint8_t> padded(bytes + 4 * step);
    std::vector<std::int16_t> before(bytes);
    std::vector<std::int16_t> after(bytes);
    // The doubled rows in use: output rows 2k and 2k + 1 need input rows k - 2 .. k + 2.
    constexpr int kRing = 5;
    std::vector<std::int16_t> ring(kRing * outBytes);
    int held[kRing] = {-1, -1, -1, -1, -1};
    const auto doubledRow = [&](int r) {
        std::int16_t* slot = ring.data() + std::size_t(r % kRing) * outBytes;
        if (held[r % kRing] != r) {
            held[r % kRing] = r;
            const std::uint8_t* source = in + std::size_t(r) * bytes;
            std::memcpy(padded.data() + 2 * step, source, bytes);
            for (std::size_t k = 0; k < 2; ++k) {
                std::memcpy(padded.data() + k * step, source, step);
                std::memcpy(padded.data() + bytes + (2 + k) * step, source + bytes - step, step);
            }
            doubleAlong(padded.data(), bytes, step, before.data(), after.data());
            if (channels == 3) {
                interleaveRgb(before.data(), after.data(), std::size_t(width), slot);
            } else {
                interleaveGrey(before.data(), after.data(), std::size_t(width), slot);
            }
        }
        return static_cast<const std::int16_t*>(slot);
    };
    // Rows are made in pairs; a band that starts or ends between the two of a pair makes the other
    // one aside.
    std::vector<std::uint8_t> aside(outBytes);
    for (int k = firstRow / 2; 2 * k < endRow; ++k) {
        const std::int16_t* rows[5];
        for (int t = 0; t < 5; ++t) {
            rows[t] = doubledRow(std::clamp(k - 2 + t, 0, height - 1));
        }
        std::uint8_t* even = 2 * k >= firstRow ? out + std::size_t(2 * k) * outBytes : aside.data();
        std::uint8_t* odd =
            2 * k + 1 < endRow ? out + std::size_t(2 * k + 1) * outBytes : aside.data();
        doubleDown(rows, outBytes, even, odd);
    }
}

}  // namespace

bool boxReducible(int channels, int factorX, int factorY) {
    return channels != 4 && factorX >= 1 && factorY >= 1 && factorX * factorY <= kMaxBoxPixels;
}

void boxReduce(const std::uint8_t* in, int width, int channels, int factorX, int factorY,
               std::uint8_t* out, int firstRow, int endRow) {
    const std::size_t bytes = std::size_t(width) * std::size_t(channels);
    const int outWidth = width / factorX;
    const std::size_t outBytes = std::size_t(outWidth) * std::size_t(channels);
    const auto n = std::uint32_t(factorX * factorY);
    const std::uint32_t multiplier = boxMultiplier(n);
    // One spare sum: the last RGB pixel is read four lanes wide.
    std::vector<std::uint16_t> sums(bytes + 1);
    for (int y = firstRow; y < endRow; ++y) {
        sumColumns(in + std::size_t(y) * std::size_t(factorY) * bytes, bytes, factorY, bytes,
                   sums.data());
        std::uint8_t* row = out + std::size_t(y) * outBytes;
        if (channels == 3) {
            boxRowRgb(sums.data(), outWidth, factorX, n, multiplier, row);
        } else {
            boxRowGrey(sums.data(), outWidth, factorX, n, multiplier, row);
        }
    }
}

void cubicDoublePortable(const std::uint8_t* in, int width, int height, int channels,
                         std::uint8_t* out, int firstRow, int endRow) {
    cubicDoubleWith(doubleDownPortable, in, width, height, channels, out, firstRow, endRow);
}

void cubicDouble(const std::uint8_t* in, int width, int height, int channels, std::uint8_t* out,
                 int firstRow, int endRow) {
    static const DoubleDownKernel kernel = chosenDoubleDown();
    cubicDoubleWith(kernel, in, width, height, channels, out, firstRow, endRow);
}

AxisWeights areaWeights(int from, int to) {
    // In units of 1/to input pixel, output i covers [i * from, (i + 1) * from) and input j covers
    // [j * to, (j + 1) * to): the overlaps are whole numbers.
    const std::int64_t f = from;
    const std::int64_t t = to;
    AxisWeights axis;
    for (std::int64_t i = 0; i < t; ++i) {
        axis.taps = std::max(axis.taps, int(((i + 1) * f - 1) / t - i * f / t + 1));
    }
    axis.first.resize(std::size_t(to));
    axis.weights.assign(std::size_t(to) * std::size_t(axis.taps), 0.0f);
    for (std::int64_t i = 0; i < t; ++i) {
        const std::int64_t lo = i * f;
        const std::int64_t hi = lo + f;
        const std::int64_t j0 = lo / t;
        const std::int64_t j1 = (hi - 1) / t;
        const std::int64_t first = std::min(j0, f - axis.taps);
        axis.first[std::size_t(i)] = int(first);
        float* weights = axis.weights.data() + std::size_t(i) * std::size_t(axis.taps);
        for (std::int64_t j = j0; j <= j1; ++j) {
            const std::int64_t overlap = std::min(hi, (j + 1) * t) - std::max(lo, j * t);
            weights[j - first] = float(double(overlap) / double(f));
        }
    }
    return axis;
}

AxisWeights cubicWeights(int from, int to) {
    AxisWeights axis;
    axis.taps = std::min(4, from);
    axis.first.resize(std::size_t(to));
    axis.weights.assign(std::size_t(to) * std::size_t(axis.taps), 0.0f);
    const double scale = double(from) / to;
    for (int i = 0; i < to; ++i) {
        const double u = (i + 0.5) * scale - 0.5;
        const int base = int(std::floor(u)) - 1;
        const int first = std::clamp(base, 0, from - axis.taps);
        axis.first[std::size_t(i)] = first;
        double weights[4] = {};
        for (int k = 0; k < 4; ++k) {
            // Beyond the edges the edge pixels repeat.
            const int j = std::clamp(base + k, 0, from - 1);
            weights[j - first] += catmullRom(u - (base + k));
        }
        for (int k = 0; k < axis.taps; ++k) {
            axis.weights[std::size_t(i) * std::size_t(axis.taps) + std::size_t(k)] =
                float(weights[k]);
        }
    }
    return axis;
}

namespace {

template <typename T>
void resampleRows(const T* in, int width, int channels, const AxisWeights& x, const AxisWeights& y,
                  T* out, int firstRow, int endRow) {
    const std::size_t step = std::size_t(channels);
    const std::size_t bytes = std::size_t(width) * step;
    const std::size_t outBytes = x.first.size() * step;
    const std::size_t taps = std::size_t(y.taps);
    std::vector<float> acc(bytes);
    std::vector<float> line(outBytes);
    for (int row = firstRow; row < endRow; ++row) {
        const float* weights = y.weights.data() + std::size_t(row) * taps;
        const T* source = in + std::size_t(y.first[std::size_t(row)]) * bytes;
        for (std::size_t t = 0; t < taps; ++t) {
            if (channels == 4) {
                weighPremultipliedRow(source + t * bytes, std::size_t(width), weights[t], t > 0,
                                      acc.data());
            } else {
                weighRow(source + t * bytes, bytes, weights[t], t > 0, acc.data());
            }
        }
        resampleAlong(acc.data(), step, x, line.data());
        T* target = out + std::size_t(row) * outBytes;
        if (channels == 4) {
            for (std::size_t i = 0; i < outBytes; i += 4) {
                const float alpha = line[i + 3];
                for (std::size_t c = 0; c < 3; ++c) {
                    target[i + c] = alpha > 0 ? level<T>(line[i + c] / alpha) : 0;
                }
                target[i + 3] = level<T>(alpha);
            }
        } else {
            for (std::size_t i = 0; i < outBytes; ++i) {
                target[i] = level<T>(line[i]);
            }
        }
    }
}

template <typename T>
void rotateAny(const T* in, int width, int height, int channels, const T* fill, double cosine,
               double sine, T* out, int outWidth, int outHeight, int firstRow, int endRow) {
    switch (channels) {
        case 1:
            rotateRows<1, T>(in, width, height, fill, cosine, sine, out, outWidth, outHeight,
                             firstRow, endRow);
            break;
        case 3:
            rotateRows<3, T>(in, width, height, fill, cosine, sine, out, outWidth, outHeight,
                             firstRow, endRow);
            break;
        default:
            rotateRows<4, T>(in, width, height, fill, cosine, sine, out, outWidth, outHeight,
                             firstRow, endRow);
            break;
    }
}

}  // namespace

void resampleSeparable(const std::uint8_t* in, int width, int channels, const AxisWeights& x,
                       const AxisWeights& y, std::uint8_t* out, int firstRow, int endRow) {
    resampleRows(in, width, channels, x, y, out, firstRow, endRow);
}

void resampleSeparable(const std::uint16_t* in, int width, int channels, const AxisWeights& x,
                       const AxisWeights& y, std::uint16_t* out, int firstRow, int endRow) {
    resampleRows(in, width, channels, x, y, out, firstRow, endRow);
}

void rotateBilinear(const std::uint8_t* in, int width, int height, int channels,
                    const std::uint8_t* fill, double cosine, double sine, std::uint8_t* out,
                    int outWidth, int outHeight, int firstRow, int endRow) {
    rotateAny(in, width, height, channels, fill, cosine, sine, out, outWidth, outHeight, firstRow,
              endRow);
}

void rotateBilinear(const std::uint16_t* in, int width, int height, int channels,
                    const std::uint16_t* fill, double cosine, double sine, std::uint16_t* out,
                    int outWidth, int outHeight, int firstRow, int endRow) {
    rotateAny(in, width, height, channels, fill, cosine, sine, out, outWidth, outHeight, firstRow,
              endRow);
}

}  // namespace quorvel::imaging
