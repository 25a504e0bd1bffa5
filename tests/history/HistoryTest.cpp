// SPDX-License-Identifier: GPL-3.0-or-later
#include "History.h"
#include "TestImages.h"

#include <gtest/gtest.h>

namespace quorvel::history {
namespace {

using imaging::PixelLayout;

WorkingState stateAt(int position, const imaging::Bitmap& working, const imaging::Bitmap& base) {
    WorkingState state;
    state.working = working;
    state.base = base;
    state.sliderPosition = position;
    return state;
}

TEST(History, ACommandThatChangedNothingLeavesNoStep) {
    const imaging::Bitmap a = testing::solidBitmap(4, 4, PixelLayout::Rgb, 1, 2, 3);
    const imaging::Bitmap equalButOther = testing::solidBitmap(4, 4, PixelLayout::Rgb, 1, 2, 3);
    History history;
    history.record(stateAt(20, a, a));
    history.dropIfUnchanged(stateAt(20, equalButOther, a));
    EXPECT_EQ(history.undoSteps(), 1u);
    history.dropIfUnchanged(stateAt(20, a, a));
    EXPECT_EQ(history.undoSteps(), 0u);
}

TEST(History, KeepsAtMostTheStepLimitDroppingTheOldest) {
    const imaging::Bitmap a = testing::solidBitmap(2, 2, PixelLayout::Grey, 9, 9, 9);
    History history(3, 1 << 20);
    for (int position = 0; position < 5; ++position) {
        history.record(stateAt(position, a, a));
    }
    EXPECT_EQ(history.undoSteps(), 3u);
    EXPECT_EQ(history.undo(stateAt(9, a, a)).sliderPosition, 4);
    EXPECT_EQ(history.undo(stateAt(9, a, a)).sliderPosition, 3);
    EXPECT_EQ(history.undo(stateAt(9, a, a)).sliderPosition, 2);
    EXPECT_FALSE(history.canUndo());
}

TEST(History, CountsSharedPixelsOnceAndDropsTheOldestBeyondTheByteLimit) {
    // 100 x 100 RGB: 30000 bytes each.
    const imaging::Bitmap shared = testing::solidBitmap(100, 100, PixelLayout::Rgb, 1, 1, 1);
    History history(100, 100000);
    for (int position = 0; position < 10; ++position) {
        history.record(stateAt(position, shared, shared));
    }
    EXPECT_EQ(history.undoSteps(), 10u);
    EXPECT_EQ(history.distinctBytes(), 30000u);
    for (int step = 0; step < 3; ++step) {
        history.record(stateAt(step, testing::solidBitmap(100, 100, PixelLayout::Rgb, 2, 2, 2),
                               shared));
    }
    // Four distinct pictures would be 120000 bytes: the oldest steps went until three remain.
    EXPECT_EQ(history.distinctBytes(), 90000u);
    EXPECT_EQ(history.undoSteps(), 2u);
}

}  // namespace
}  // namespace quorvel::history
