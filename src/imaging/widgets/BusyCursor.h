// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel::imaging {

// Shows the busy cursor for its lifetime, on every path out of the scope.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace quorvel::imaging
