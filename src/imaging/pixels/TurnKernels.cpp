// SPDX-License-Identifier: GPL-3.0-or-later
#include "TurnKernels.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstring>
#include <utility>

namespace quorvel::imaging {
namespace {

template <std::size_t C>
void mirrorRun(const std::uint8_t* in, std::uint8_t* out, std::size_t count) {
    const std::uint8_t* from = in + count * C;
    for (std::size_t i = 0; i < count; ++i) {
        from -= C;
        std::memcpy(out + i * C, from, C);
    }
}

// Output rows [y0, y1) and columns [x0, x1) of a quarter turn, one pixel at a time. The block is
// small enough for its source and output lines to stay cached while it is walked.
template <std::size_t C>
void turnBlock(const std::uint8_t* in, int width, int height, bool clockwise, std::uint8_t* out,
               int y0, int y1, int x0, int x1) {
    const std::size_t inStride = std::size_t(width) * C;
    const std::size_t outStride = std::size_t(height) * C;
    for (int y = y0; y < y1; ++y) {
        std::uint8_t* row = out + std::size_t(y) * outStride;
        const std::size_t column = std::size_t(clockwise ? y : width - 1 - y) * C;
        for (int x = x0; x < x1; ++x) {
            const std::size_t sourceRow = std::size_t(clockwise ? height - 1 - x : x);
            std::memcpy(row + std::size_t(x) * C, in + sourceRow * inStride + column, C);
        }
    }
}

template <std::size_t C>
void turnBlocks(const std::uint8_t* in, int width, int height, bool clockwise, std::uint8_t* out,
                int y0, int y1, int x0, int x1) {
    constexpr int kBlock = 32;
    for (int y = y0; y < y1; y += kBlock) {
        for (int x = x0; x < x1; x += kBlock) {
            turnBlock<C>(in, width, height, clockwise, out, y, std::min(y1, y + kBlock), x,
                         std::min(x1, x + kBlock));
        }
    }
}

void turnRegion(const std::uint8_t* in, int width, int height, int channels, bool clockwise,
                std::uint8_t* out, int y0, int y1, int x0, int x1) {
    switch (channels) {
        case 1:
            turnBlocks<1>(in, width, height, clockwise, out, y0, y1, x0, x1);
            break;
        case 2:
            turnBlocks<2>(in, width, height, clockwise, out, y0, y1, x0, x1);
            break;
        case 3:
            turnBlocks<3>(in, width, height, clockwise, out, y0, y1, x0, x1);
            break;
        case 6:
            turnBlocks<6>(in, width, height, clockwise, out, y0, y1, x0, x1);
            break;
        case 8:
            turnBlocks<8>(in, width, height, clockwise, out, y0, y1, x0, x1);
            break;
        default:
            turnBlocks<4>(in, width, height, clockwise, out, y0, y1, x0, x1);
            break;
    }
}

using MirrorKernel = void (*)(const std::uint8_t*, std::uint8_t*, std::size_t, int);
using TurnKernel = void (*)(const std::uint8_t*, int, int, int, bool, std::uint8_t*, int, int);

#if defined(__x86_64__)
#define QUORVEL_AVX512 __attribute__((target("avx512f,avx512bw,avx512vbmi")))

// One byte permutation reverses the pixels of a vector: 64 grey, 21 RGB or 16 RGBA pixels.
QUORVEL_AVX512 void mirrorPixelsVbmi(const std::uint8_t* in, std::uint8_t* out, std::size_t count,
                                     int channels) {
    const std::size_t step = std::size_t(channels);
    const std::size_t perVector = 64 / step;
    const std::size_t bytes = perVector * step;
    alignas(64) std::uint8_t order[64] = {};
    for (std::size_t j = 0; j < bytes; ++j) {
        order[j] = std::uint8_t((perVector - 1 - j / step) * step + j % step);
    }
    const __m512i reversal = _mm512_load_si512(order);
    const __mmask64 used = bytes == 64 ? ~__mmask64(0) : (__mmask64(1) << bytes) - 1;
    std::size_t i = 0;
    for (; i + perVector <= count; i += perVector) {
        const __m512i pixels = _mm512_maskz_loadu_epi8(used, in + (count - i - perVector) * step);
        _mm512_mask_storeu_epi8(out + i * step, used,
                                _mm512_maskz_permutexvar_epi8(used, reversal, pixels));
    }
    // The first pixels of the input are the last of the output.
    mirrorPixelsPortable(in, out + i * step, count - i, channels);
}

// Pixels widened to one per 32-bit lane and back: 16 of them fill a vector whatever the layout.
template <int C>
QUORVEL_AVX512 inline __m512i loadSixteen(const std::uint8_t* from) {
    if constexpr (C == 1) {
        return _mm512_maskz_cvtepu8_epi32(0xFFFF,
                                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
    } else if constexpr (C == 3) {
        alignas(64) static constexpr std::uint8_t kSpread[64] = {
            0,  1,  2,  0,  3,  4,  5,  0,  6,  7,  8,  0,  9,  10, 11, 0,  12, 13, 14, 0,  15, 16,
            17, 0,  18, 19, 20, 0,  21, 22, 23, 0,  24, 25, 26, 0,  27, 28, 29, 0,  30, 31, 32, 0,
            33, 34, 35, 0,  36, 37, 38, 0,  39, 40, 41, 0,  42, 43, 44, 0,  45, 46, 47, 0};
        const __m512i packed = _mm512_maskz_loadu_epi8((__mmask64(1) << 48) - 1, from);
        return _mm512_maskz_permutexvar_epi8(~__mmask64(0), _mm512_load_si512(kSpread), packed);
    } else {
        return _mm512_loadu_si512(from);
    }
}

template <int C>
QUORVEL_AVX512 inline void storeSixteen(std::uint8_t* to, __m512i pixels) {
    if constexpr (C == 1) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to),
                         _mm512_maskz_cvtepi32_epi8(0xFFFF, pixels));
    } else if constexpr (C == 3) {
        alignas(64) static constexpr std::uint8_t kGather[64] = {
            0,  1,  2,  4,  5,  6,  8,  9,  10, 12, 13, 14, 16, 17, 18, 20,
            21, 22, 24, 25, 26, 28, 29, 30, 32, 33, 34, 36, 37, 38, 40, 41,
            42, 44, 45, 46, 48, 49, 50, 52, 53, 54, 56, 57, 58, 60, 61, 62};
        _mm512_mask_storeu_epi8(
            to, (__mmask64(1) << 48) - 1,
            _mm512_maskz_permutexvar_epi8(~__mmask64(0), _mm512_load_si512(kGather), pixels));
    } else {
        _mm512_storeu_si512(to, pixels);
    }
}

// The lane orders of one stage of the 16 x 16 transpose below, for blocks of b lanes: `upper` makes
// a row whose index has bit b clear, from itself and the row b further down; `lower` makes that
// other row from the same two.
struct TransposeStage {
    alignas(64) std::int32_t upper[16];
    alignas(64) std::int32_t lower[16];
};

constexpr TransposeStage transposeStage(int b) {
    TransposeStage stage{};
    for (int c = 0; c < 16; ++c) {
        stage.upper[c] = (c & b) ? 16 + c - b : c;
        stage.lower[c] = (c & b) ? 16 + c : c + b;
    }
    return stage;
}

constexpr TransposeStage kTransposeStages[4] = {transposeStage(8), transposeStage(4),
                                                transposeStage(2), transposeStage(1)};

// Transposes 16 x 16 pixels held one per lane. Each stage swaps one bit of the row index with the
// same bit of the column index, by exchanging blocks between row pairs; the stages are unrolled so
// that the rows stay in registers.
template <int S, int I>
QUORVEL_AVX512 inline void exchange(__m512i (&rows)[16], __m512i upper, __m512i lower) {
    constexpr int b = 8 >> S;
    if constexpr ((I & b) == 0) {
        const __m512i top = rows[I];
        rows[I] = _mm512_permutex2var_epi32(top, upper, rows[I + b]);
        rows[I + b] = _mm512_permutex2var_epi32(top, lower, rows[I + b]);
    }
}

template <int S, std::size_t... I>
QUORVEL_AVX512 inline void stage(__m512i (&rows)[16], std::index_sequence<I...>) {
    const __m512i upper = _mm512_load_si512(kTransposeStages[S].upper);
    const __m512i lower = _mm512_load_si512(kTransposeStages[S].lower);
    (exchange<S, int(I)>(rows, upper, lower), ...);
}

QUORVEL_AVX512 inline void transposeSixteen(__m512i (&rows)[16]) {
    stage<0>(rows, std::make_index_sequence<16>());
    stage<1>(rows, std::make_index_sequence<16>());
    stage<2>(rows, std::make_index_sequence<16>());
    stage<3>(rows, std::make_index_sequence<16>());
}

// Whole 16 x 16 tiles through vector registers; the strips left at the right and bottom edges of
// the output go through the portable blocks. The tiles are walked in squares of 32 x 32, whose
// input and output rows stay in the L2 cache and the TLB, and within a square the input is read
// left to right, the direction the processor prefetches best.
constexpr int kTilesPerSquare = 32;

template <int C>
QUORVEL_AVX512 void turnTiles(const std::uint8_t* in, int width, int height, bool clockwise,
                              std::uint8_t* out, int firstRow, int endRow) {
    const std::size_t inStride = std::size_t(width) * C;
    const std::size_t outStride = std::size_t(height) * C;
    const int rowTiles = (endRow - firstRow) / 16;
    const int columnTiles = height / 16;
    const int tiledRows = firstRow + rowTiles * 16;
    const int tiledColumns = columnTiles * 16;
    // An input row is read 16 pixels at a time, once per pass over a square, and no hardware
    // prefetcher follows hundreds of rows at once: the end of the tile two passes on is fetched
    // into the outer caches while this one is worked on.
    constexpr std::size_t kAhead = 3 * 16 * C - 1;
    for (int rowSquare = 0; rowSquare < rowTiles; rowSquare += kTilesPerSquare) {
        for (int columnSquare = 0; columnSquare < columnTiles; columnSquare += kTilesPerSquare) {
            const int rowEnd = std::min(rowTiles, rowSquare + kTilesPerSquare);
            const int columnEnd = std::min(columnTiles, columnSquare + kTilesPerSquare);
            for (int a = rowSquare; a < rowEnd; ++a) {
                // Clockwise, output row y is input column y read bottom up; anticlockwise, it is
                // input column width - 1 - y read top down.
                const int y0 = firstRow + 16 * (clockwise ? a : rowTiles - 1 - a);
                const std::size_t column = std::size_t(clockwise ? y0 : width - 16 - y0) * C;
                for (int b = columnSquare; b < columnEnd; ++b) {
                    const int x0 = 16 * b;
                    __m512i rows[16];
                    for (int k = 0; k < 16; ++k) {
                        const std::size_t sourceRow =
                            std::size_t(clockwise ? height - 1 - x0 - k : x0 + k);
                        const std::uint8_t* from = in + sourceRow * inStride + column;
                        rows[k] = loadSixteen<C>(from);
                        if (column + kAhead < inStride) {
                            __builtin_prefetch(from + kAhead, 0, 1);
                        }
                    }
                    transposeSixteen(rows);
                    for (int i = 0; i < 16; ++i) {
                        storeSixteen<C>(out + std::size_t(y0 + i) * outStride + std::size_t(x0) * C,
                                        rows[clockwise ? i : 15 - i]);
                    }
                }
            }
        }
    }
    turnBlocks<C>(in, width, height, clockwise, out, firstRow, tiledRows, tiledColumns, height);
    turnBlocks<C>(in, width, height, clockwise, out, tiledRows, endRow, 0, height);
}

QUORVEL_AVX512 void turnQuarterAvx512(const std::uint8_t* in, int width, int height, int channels,
                                      bool clockwise, std::uint8_t* out, int firstRow, int endRow) {
    switch (channels) {
        case 1:
            turnTiles<1>(in, width, height, clockwise, out, firstRow, endRow);
            break;
        case 3:
            turnTiles<3>(in, width, height, clockwise, out, firstRow, endRow);
            break;
        case 4:
            turnTiles<4>(in, width, height, clockwise, out, firstRow, endRow);
            break;
        default:
            // 16-bit pixels are turned by the portable blocks.
            turnQuarterPortable(in, width, height, channels, clockwise, out, firstRow, endRow);
            break;
    }
}

bool hasAvx512Vbmi() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bw");
}
#endif

MirrorKernel chosenMirror() {
#if defined(__x86_64__)
    if (hasAvx512Vbmi()) {
        return mirrorPixelsVbmi;
    }
#endif
    return mirrorPixelsPortable;
}

TurnKernel chosenTurn() {
#if defined(__x86_64__)
    if (hasAvx512Vbmi()) {
        return turnQuarterAvx512;
    }
#endif
    return turnQuarterPortable;
}

}  // namespace

void mirrorPixelsPortable(const std::uint8_t* in, std::uint8_t* out, std::size_t count,
                          int channels) {
    switch (channels) {
        case 1:
            mirrorRun<1>(in, out, count);
            break;
        case 2:
            mirrorRun<2>(in, out, count);
            break;
        case 3:
            mirrorRun<3>(in, out, count);
            break;
        case 6:
            mirrorRun<6>(in, out, count);
            break;
        case 8:
            mirrorRun<8>(in, out, count);
            break;
        default:
            mirrorRun<4>(in, out, count);
            break;
    }
}

void mirrorPixels(const std::uint8_t* in, std::uint8_t* out, std::size_t count, int channels) {
    static const MirrorKernel kernel = chosenMirror();
    kernel(in, out, count, channels);
}

void turnQuarterPortable(const std::uint8_t* in, int width, int height, int channels,
                         bool clockwise, std::uint8_t* out, int firstRow, int endRow) {
    turnRegion(in, width, height, channels, clockwise, out, firstRow, endRow, 0, height);
}

void turnQuarter(const std::uint8_t* in, int width, int height, int channels, bool clockwise,
                 std::uint8_t* out, int firstRow, int endRow) {
    static const TurnKernel kernel = chosenTurn();
    kernel(in, width, height, channels, clockwise, out, firstRow, endRow);
}

}  // namespace quorvel::imaging
