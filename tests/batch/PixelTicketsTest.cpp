// SPDX-License-Identifier: GPL-3.0-or-later
#include "PixelTickets.h"

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace quorvel::batch {
namespace {

TEST(PixelTicketsTest, HoldersTogetherNeverExceedTheCapacity) {
    constexpr std::int64_t kCapacity = 100;
    PixelTickets tickets(kCapacity);
    std::atomic<std::int64_t> most{0};
    std::vector<std::jthread> holders;
    for (int t = 0; t < 6; ++t) {
        holders.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) {
                const PixelTickets::Hold hold(tickets, 10 + (t * 17 + i * 31) % 60);
                std::int64_t seen = tickets.held();
                std::int64_t previous = most.load();
                while (seen > previous && !most.compare_exchange_weak(previous, seen)) {
                }
            }
        });
    }
    holders.clear();
    EXPECT_LE(most.load(), kCapacity);
    EXPECT_GT(most.load(), 60);  // the holders did overlap
    EXPECT_EQ(tickets.held(), 0);
}

TEST(PixelTicketsTest, ARequestAboveTheCapacityIsGrantedAlone) {
    PixelTickets tickets(100);
    {
        const PixelTickets::Hold huge(tickets, 250);
        EXPECT_EQ(tickets.held(), 250);
    }
    EXPECT_EQ(tickets.held(), 0);
}

}  // namespace
}  // namespace quorvel::batch
