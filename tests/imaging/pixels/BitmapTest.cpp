// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bitmap.h"
#include "ErrorCodes.h"
#include "PixelBudget.h"
#include "QImageConversion.h"
#include "TestImages.h"

#include <gtest/gtest.h>

namespace quorvel::imaging {
namespace {

using testing::patternBitmap;

TEST(Bitmap, CopiesShareStorageAndMetadataCanDiffer) {
    const Bitmap original = patternBitmap(5, 4, PixelLayout::Rgb);
    const Bitmap copy = original;  // NOLINT: the copy is the point
    EXPECT_TRUE(copy.sharesPixelsWith(original));

    const Bitmap tagged = original.withMetadata({QByteArray("exif"), QByteArray("icc"), {}, {}});
    EXPECT_TRUE(tagged.sharesPixelsWith(original));
    EXPECT_EQ(tagged.metadata().icc, QByteArray("icc"));
    EXPECT_TRUE(original.metadata().icc.isEmpty());
}

TEST(Bitmap, SizesOutsideTheBudgetAreRefusedBeforeAllocating) {
    const auto codeOf = [](int width, int height) {
        return testing::errorOf([&] { PixelBuffer(width, height, PixelLayout::Rgba); });
    };
    EXPECT_EQ(codeOf(0, 10), errc::InvalidSize);
    EXPECT_EQ(codeOf(10, -1), errc::InvalidSize);
    EXPECT_EQ(codeOf(100000, 100000), errc::NoMemory);
    EXPECT_EQ(codeOf(int(kPixelBudget), 2), errc::NoMemory);
    EXPECT_EQ(codeOf(1, 1), 0);
}

class QImageRoundTrip : public ::testing::TestWithParam<PixelLayout> {};

TEST_P(QImageRoundTrip, KeepsEveryByteAndOutlivesTheBitmap) {
    QImage view;
    Bitmap back;
    {
        const Bitmap source = patternBitmap(7, 5, GetParam());
        view = toQImage(source);
        back = fromQImage(view);
        EXPECT_TRUE(samePixels(source, back));
    }
    // The view still reads valid pixels after every Bitmap handle of its own is gone.
    back = Bitmap();
    const Bitmap again = fromQImage(view);
    EXPECT_TRUE(samePixels(again, patternBitmap(7, 5, GetParam())));
}

INSTANTIATE_TEST_SUITE_P(Layouts, QImageRoundTrip,
                         ::testing::Values(PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace quorvel::imaging
