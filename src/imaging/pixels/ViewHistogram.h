// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <array>
#include <cstdint>

namespace quorvel::imaging {

// The levels of a painted view: luminance (the Rec. 601 luma the program uses for intensity,
// rounded half up) and each colour channel, with the pixels clipped to black (luminance 0) and
// to white (luminance 255). Colour is counted as it would show on black, alpha aside.
struct ViewHistogram {
    using Counts = std::array<std::uint32_t, 256>;
    Counts luminance{};
    Counts red{};
    Counts green{};
    Counts blue{};
    std::uint64_t pixels = 0;

    // Shares of all pixels, in percent; 0 for an empty view.
    double blackPercent() const;
    double whitePercent() const;
};

ViewHistogram histogramOfView(const QImage& view);

}  // namespace quorvel::imaging
