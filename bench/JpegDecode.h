// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace quorvel::bench {

// Pixels as libjpeg-turbo decodes them with its default settings: RGB, rows packed.
struct DecodedJpeg {
    int width = 0;
    int height = 0;
    std::unique_ptr<std::uint8_t, decltype(&std::free)> pixels{nullptr, &std::free};
};

// Decodes the JPEG file at `path` with plain libjpeg calls: the baseline for loading.
// Throws std::runtime_error with libjpeg's message when the file cannot be decoded.
DecodedJpeg decodeJpeg(const char* path);

}  // namespace quorvel::bench
