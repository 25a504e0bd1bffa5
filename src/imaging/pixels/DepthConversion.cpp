// SPDX-License-Identifier: GPL-3.0-or-later
#include "DepthConversion.h"

#include "VectorClones.h"

namespace quorvel::imaging {
namespace {

QUORVEL_VECTOR_CLONES void narrow(const std::uint16_t* __restrict in, std::size_t count,
                                  std::uint8_t* __restrict out) {
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = eightBitLevel(in[i]);
    }
}

QUORVEL_VECTOR_CLONES void widen(const std::uint8_t* __restrict in, std::size_t count,
                                 std::uint16_t* __restrict out) {
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = std::uint16_t(in[i] * 257u);
    }
}

std::size_t sampleCount(const Bitmap& bitmap) {
    return std::size_t(bitmap.width()) * std::size_t(bitmap.height()) *
           std::size_t(bitmap.channels());
}

}  // namespace

Bitmap toEightBits(const Bitmap& bitmap) {
    if (bitmap.isNull() || !bitmap.isSixteenBit()) {
        return bitmap;
    }
    PixelBuffer buffer(bitmap.width(), bitmap.height(), bitmap.layout(), SampleDepth::Eight);
    narrow(bitmap.samples16(), sampleCount(bitmap), buffer.data());
    return Bitmap(std::move(buffer), bitmap.metadata());
}

Bitmap toSixteenBits(const Bitmap& bitmap) {
    if (bitmap.isNull() || bitmap.isSixteenBit()) {
        return bitmap;
    }
    PixelBuffer buffer(bitmap.width(), bitmap.height(), bitmap.layout(), SampleDepth::Sixteen);
    widen(bitmap.pixels(), sampleCount(bitmap), reinterpret_cast<std::uint16_t*>(buffer.data()));
    return Bitmap(std::move(buffer), bitmap.metadata());
}

}  // namespace quorvel::imaging
