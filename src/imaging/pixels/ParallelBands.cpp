// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParallelBands.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace quorvel::imaging {
namespace {

// Outputs this large are worth the threads: starting one costs far less than a band's work, and
// a second core nearly halves the time of every loop that uses this. Beyond a few threads the
// memory traffic, not the arithmetic, sets the pace.
constexpr std::size_t kBandedBytes = std::size_t(1) << 22;
constexpr unsigned kMaxBands = 4;

}  // namespace

void inBands(int rows, std::size_t bytes, const std::function<void(int, int)>& work) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int bands = bytes < kBandedBytes ? 1 : int(std::min({cores, kMaxBands, unsigned(rows)}));
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(bands));
    const auto band = [&](int index) {
        try {
            work(int(std::int64_t(rows) * index / bands),
                 int(std::int64_t(rows) * (index + 1) / bands));
        } catch (...) {
            failures[std::size_t(index)] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(std::size_t(bands));
    for (int index = 1; index < bands; ++index) {
        try {
            helpers.emplace_back(band, index);
        } catch (const std::system_error&) {
            // No thread to be had: the band is made here instead.
            band(index);
        }
    }
    band(0);
    for (std::thread& helper : helpers) {
        helper.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}

}  // namespace quorvel::imaging
