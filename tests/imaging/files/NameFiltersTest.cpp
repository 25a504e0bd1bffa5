// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameFilters.h"

#include <gtest/gtest.h>

namespace quorvel::imaging {
namespace {

TEST(NameFilters, ShownTextThenMatchedPatternsWithEveryFileForStarDotStar) {
    const QString filter = QStringLiteral(
        "Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|Bitmap (*.bmp)|*.bmp|All formats (*.img;*.gif)|*.img;*.gif|"
        "All (*.*)|*.*");
    const QStringList expected{QStringLiteral("Jpeg (*.jpg *jpeg) (*.jpg *jpeg)"),
                               QStringLiteral("Bitmap (*.bmp) (*.bmp)"),
                               QStringLiteral("All formats (*.img *.gif) (*.img *.gif)"),
                               QStringLiteral("All (*.*) (*)")};
    EXPECT_EQ(nameFiltersFromFilter(filter), expected);
}

TEST(NameFilters, DescriptionsWithoutPatternListsAndBrokenLists) {
    EXPECT_EQ(nameFiltersFromFilter(QStringLiteral("All Files|*.*")),
              QStringList{QStringLiteral("All Files (*.*) (*)")});
    EXPECT_TRUE(nameFiltersFromFilter(QString()).isEmpty());
    // A description without patterns, and a pair whose patterns are empty, offer nothing.
    EXPECT_EQ(nameFiltersFromFilter(QStringLiteral("Png|*.png|Orphan")),
              QStringList{QStringLiteral("Png (*.png) (*.png)")});
    EXPECT_TRUE(nameFiltersFromFilter(QStringLiteral("Nothing|;")).isEmpty());
}

}  // namespace
}  // namespace quorvel::imaging
