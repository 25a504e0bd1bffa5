// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemapKernels.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstdint>

namespace quorvel::imaging {
namespace {

using Kernel = void (*)(const std::uint8_t*, std::uint8_t*, std::size_t, int, unsigned,
                        const RemapTable&);

#if defined(__x86_64__)
// The bytes of one 64-byte vector that the table applies to, for the vector that starts `offset`
// bytes into the pixels.
std::uint64_t selectedBytes(std::size_t offset, int channels, unsigned channelMask) {
    std::uint64_t mask = 0;
    for (unsigned j = 0; j < 64; ++j) {
        if ((channelMask >> ((offset + j) % unsigned(channels))) & 1u) {
            mask |= std::uint64_t(1) << j;
        }
    }
    return mask;
}

// A 256-entry lookup is two 128-entry permutes of the table's halves: the low seven bits of each
// byte index within a half, the top bit picks the half. Unselected bytes keep their value.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) inline __m512i lookup64(
    __m512i x, __mmask64 selected, const __m512i (&quarters)[4]) {
    const __m512i low = _mm512_permutex2var_epi8(quarters[0], x, quarters[1]);
    const __m512i high = _mm512_permutex2var_epi8(quarters[2], x, quarters[3]);
    const __m512i mapped = _mm512_mask_blend_epi8(_mm512_movepi8_mask(x), low, high);
    return _mm512_mask_blend_epi8(selected, x, mapped);
}

// Pictures this large do not stay in the caches anyway; streaming stores write them without first
// reading every destination line.
constexpr std::size_t kStreamingBytes = std::size_t(4) << 20;

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void remapPixelsVbmi(
    const std::uint8_t* in, std::uint8_t* out, std::size_t pixelCount, int channels,
    unsigned channelMask, const RemapTable& table) {
    const __m512i quarters[4] = {
        _mm512_loadu_si512(table.data()), _mm512_loadu_si512(table.data() + 64),
        _mm512_loadu_si512(table.data() + 128), _mm512_loadu_si512(table.data() + 192)};
    // Three vectors hold a whole number of pixels of every layout (192 bytes), so the selection
    // repeats with that period.
    constexpr std::size_t kPeriod = 192;
    const __mmask64 selected[3] = {selectedBytes(0, channels, channelMask),
                                   selectedBytes(64, channels, channelMask),
                                   selectedBytes(128, channels, channelMask)};
    const std::size_t bytes = pixelCount * std::size_t(channels);
    const bool streaming =
        bytes >= kStreamingBytes && reinterpret_cast<std::uintptr_t>(out) % 64 == 0;
    std::size_t i = 0;
    for (; i + kPeriod <= bytes; i += kPeriod) {
        for (int k = 0; k < 3; ++k) {
            const std::size_t at = i + std::size_t(k) * 64;
            const __m512i mapped = lookup64(_mm512_loadu_si512(in + at), selected[k], quarters);
            if (streaming) {
                _mm512_stream_si512(reinterpret_cast<__m512i*>(out + at), mapped);
            } else {
                _mm512_storeu_si512(out + at, mapped);
            }
        }
    }
    if (streaming) {
        _mm_sfence();
    }
    // Masked loads and stores neither read nor write past the end.
    for (int k = 0; i < bytes; ++k, i += 64) {
        const std::size_t left = std::min<std::size_t>(64, bytes - i);
        const __mmask64 inside = left == 64 ? ~__mmask64(0) : (__mmask64(1) << left) - 1;
        const __m512i x = _mm512_maskz_loadu_epi8(inside, in + i);
        _mm512_mask_storeu_epi8(out + i, inside, lookup64(x, selected[k], quarters));
    }
}

// Eight table entries gathered into one vector: the lookups stay scalar loads, but the results
// leave in one store instead of eight, which is what limits the plain loop.
inline __m128i lookup8(const std::uint16_t* in, const std::uint16_t* table) {
    __m128i v = _mm_cvtsi32_si128(table[in[0]]);
    v = _mm_insert_epi16(v, table[in[1]], 1);
    v = _mm_insert_epi16(v, table[in[2]], 2);
    v = _mm_insert_epi16(v, table[in[3]], 3);
    v = _mm_insert_epi16(v, table[in[4]], 4);
    v = _mm_insert_epi16(v, table[in[5]], 5);
    v = _mm_insert_epi16(v, table[in[6]], 6);
    return _mm_insert_epi16(v, table[in[7]], 7);
}

#endif

Kernel chosenKernel() {
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bw")) {
        return remapPixelsVbmi;
    }
#endif
    return remapPixelsPortable;
}

}  // namespace

void remapPixelsPortable(const std::uint8_t* in, std::uint8_t* out, std::size_t pixelCount,
                         int channels, unsigned channelMask, const RemapTable& table) {
    const std::size_t bytes = pixelCount * std::size_t(channels);
    const unsigned everyChannel = (1u << channels) - 1;
    if ((channelMask & everyChannel) == everyChannel) {
        for (std::size_t i = 0; i < bytes; ++i) {
            out[i] = table[in[i]];
        }
        return;
    }
    RemapTable identity{};
    for (std::size_t v = 0; v < identity.size(); ++v) {
        identity[v] = std::uint8_t(v);
    }
    const RemapTable* tables[4];
    for (int c = 0; c < channels; ++c) {
        tables[c] = ((channelMask >> c) & 1u) ? &table : &identity;
    }
    for (std::size_t i = 0; i < bytes; i += std::size_t(channels)) {
        for (int c = 0; c < channels; ++c) {
            out[i + std::size_t(c)] = (*tables[c])[in[i + std::size_t(c)]];
        }
    }
}

unsigned remapChannelMask(PixelLayout layout, int channel) {
    if (layout == PixelLayout::Grey) {
        return 1;
    }
    return channel == kAllChannels ? 0b111 : 1u << (channel - 1);
}

void remapPixels(const std::uint8_t* in, std::uint8_t* out, std::size_t pixelCount, int channels,
                 unsigned channelMask, const RemapTable& table) {
    static const Kernel kernel = chosenKernel();
    kernel(in, out, pixelCount, channels, channelMask, table);
}

void remapSamples16Portable(const std::uint16_t* in, std::uint16_t* out, std::size_t pixelCount,
                            int channels, unsigned channelMask, const std::uint16_t* table) {
    const std::size_t samples = pixelCount * std::size_t(channels);
    const unsigned everyChannel = (1u << channels) - 1;
    if ((channelMask & everyChannel) == everyChannel) {
        for (std::size_t i = 0; i < samples; ++i) {
            out[i] = table[in[i]];
        }
        return;
    }
    for (std::size_t i = 0; i < samples; i += std::size_t(channels)) {
        for (int c = 0; c < channels; ++c) {
            const std::uint16_t value = in[i + std::size_t(c)];
            out[i + std::size_t(c)] = ((channelMask >> c) & 1u) ? table[value] : value;
        }
    }
}

void remapSamples16(const std::uint16_t* in, std::uint16_t* out, std::size_t pixelCount,
                    int channels, unsigned channelMask, const std::uint16_t* table) {
#if defined(__x86_64__)
    // Three vectors of eight samples hold a whole number of pixels of every layout.
    constexpr std::size_t kPeriod = 24;
    const std::size_t samples = pixelCount * std::size_t(channels);
    const unsigned everyChannel = (1u << channels) - 1;
    std::size_t i = 0;
    if ((channelMask & everyChannel) == everyChannel) {
        for (; i + kPeriod <= samples; i += kPeriod) {
            for (std::size_t k = 0; k < kPeriod; k += 8) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + k),
                                 lookup8(in + i + k, table));
            }
        }
    } else {
        __m128i kept[3];
        for (std::size_t k = 0; k < 3; ++k) {
            alignas(16) std::uint16_t lanes[8];
            for (std::size_t j = 0; j < 8; ++j) {
                const bool selected = (channelMask >> ((8 * k + j) % std::size_t(channels))) & 1u;
                lanes[j] = selected ? 0 : 0xFFFF;
            }
            kept[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes));
        }
        for (; i + kPeriod <= samples; i += kPeriod) {
            for (std::size_t k = 0; k < 3; ++k) {
                const std::uint16_t* from = in + i + 8 * k;
                const __m128i values = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
                const __m128i mapped = lookup8(from, table);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8 * k),
                                 _mm_or_si128(_mm_and_si128(kept[k], values),
                                              _mm_andnot_si128(kept[k], mapped)));
            }
        }
    }
    // The period ends on a pixel boundary, so the rest is whole pixels.
    remapSamples16Portable(in + i, out + i, (samples - i) / std::size_t(channels), channels,
                           channelMask, table);
#else
    remapSamples16Portable(in, out, pixelCount, channels, channelMask, table);
#endif
}

}  // namespace quorvel::imaging
