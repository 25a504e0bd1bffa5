// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Private to the imaging layer: the pixel loops behind resized() and rotated(), visible to the
// tests so that the fast paths can be held to plain references. Pixels have 1, 3 or 4 channels
// (RGBA colour mixed weighted by alpha) of 8 bits, or of 16 where a kernel says so; rows packed.
// Each kernel writes output rows [firstRow, endRow), so that bands of one picture can be made in
// parallel.

#include <cstdint>
#include <vector>

namespace quorvel::imaging {

// The whole factors up to which boxReduce takes a picture.
bool boxReducible(int channels, int factorX, int factorY);

// The exact average of each factorX x factorY block of a grey or RGB picture, rounded half up.
// The sides are multiples of the factors; the output is width / factorX x height / factorY.
void boxReduce(const std::uint8_t* in, int width, int channels, int factorX, int factorY,
               std::uint8_t* out, int firstRow, int endRow);

// Twice the size of a grey or RGB picture by separable Catmull-Rom cubics, pixel centres on pixel
// centres, edges repeated. Its weights are multiples of 1/128, so the result is the exact one,
// rounded half up and clamped.
void cubicDoublePortable(const std::uint8_t* in, int width, int height, int channels,
                         std::uint8_t* out, int firstRow, int endRow);
void cubicDouble(const std::uint8_t* in, int width, int height, int channels, std::uint8_t* out,
                 int firstRow, int endRow);

// How the output pixels along one axis draw on the input: output i is the sum over t < taps of
// weights[i * taps + t] times input pixel first[i] + t. Weights of an output add up to 1.
struct AxisWeights {
    int taps = 0;
    std::vector<int> first;
    std::vector<float> weights;
};

// Reduction (to <= from) by the exact share of each input pixel in the output pixel's area.
AxisWeights areaWeights(int from, int to);
// Enlargement (to > from) by Catmull-Rom cubics, pixel centres on pixel centres, edges repeated.
AxisWeights cubicWeights(int from, int to);

// Any size from any, one axis after the other in single-precision floats; the output is
// x.first.size() x y.first.size(). The 16-bit form takes and gives samples of 16 bits.
void resampleSeparable(const std::uint8_t* in, int width, int channels, const AxisWeights& x,
                       const AxisWeights& y, std::uint8_t* out, int firstRow, int endRow);
void resampleSeparable(const std::uint16_t* in, int width, int channels, const AxisWeights& x,
                       const AxisWeights& y, std::uint16_t* out, int firstRow, int endRow);

// Turns the picture clockwise by the angle whose cosine and sine are given, centre on centre, onto
// an outWidth x outHeight canvas, by bilinear interpolation at 1/256 pixel. Input pixels outside
// the picture count as `fill` (one opaque pixel of the picture's layout), so edges are smooth.
void rotateBilinear(const std::uint8_t* in, int width, int height, int channels,
                    const std::uint8_t* fill, double cosine, double sine, std::uint8_t* out,
                    int outWidth, int outHeight, int firstRow, int endRow);
void rotateBilinear(const std::uint16_t* in, int width, int height, int channels,
                    const std::uint16_t* fill, double cosine, double sine, std::uint16_t* out,
                    int outWidth, int outHeight, int firstRow, int endRow);

}  // namespace quorvel::imaging
