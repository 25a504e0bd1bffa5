// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Private to the imaging layer: large results made in horizontal bands on several cores.

#include <cstddef>
#include <functional>

namespace quorvel::imaging {

// Runs work(firstRow, endRow) over the rows [0, rows) of an output of `bytes` bytes: in one band
// on this thread for small outputs, else in a band per core (up to four), the first on this
// thread. Returns once every band is done; rethrows what a band threw.
void inBands(int rows, std::size_t bytes, const std::function<void(int, int)>& work);

}  // namespace quorvel::imaging
