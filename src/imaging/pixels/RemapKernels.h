// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Private to the imaging layer: the byte loops behind remapped(), visible to the tests so that the
// vector kernels can be held to the portable one.

#include "PixelOps.h"

#include <cstddef>
#include <cstdint>

namespace quorvel::imaging {

// The channelMask that remaps the channels `channel` selects (kAllChannels or 1..3) of a picture
// of `layout`: a grey picture's one channel answers to every selector; alpha is never selected.
unsigned remapChannelMask(PixelLayout layout, int channel);

// Copies pixelCount pixels of `channels` interleaved bytes from `in` to `out` (which must not
// overlap), passing channel c through `table` when bit c of `channelMask` is set.
void remapPixelsPortable(const std::uint8_t* in, std::uint8_t* out, std::size_t pixelCount,
                         int channels, unsigned channelMask, const RemapTable& table);

// The same result from the fastest kernel this processor runs.
void remapPixels(const std::uint8_t* in, std::uint8_t* out, std::size_t pixelCount, int channels,
                 unsigned channelMask, const RemapTable& table);

// The same for 16-bit samples through a 65536-entry table.
void remapSamples16Portable(const std::uint16_t* in, std::uint16_t* out, std::size_t pixelCount,
                            int channels, unsigned channelMask, const std::uint16_t* table);

// The same result, eight samples at a time through SSE2 (which every x86-64 processor has);
// elsewhere the portable loop.
void remapSamples16(const std::uint16_t* in, std::uint16_t* out, std::size_t pixelCount,
                    int channels, unsigned channelMask, const std::uint16_t* table);

}  // namespace quorvel::imaging
