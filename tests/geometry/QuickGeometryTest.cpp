#include "GeometryFixture.h"

namespace quorvel::geometry {
namespace {

using imaging::Bitmap;
using imaging::PixelLayout;
using Button = QPushButton* (app::Main::*)() const;

// A turn or flip, the button that undoes it, and where the new top-left pixel of a w x h picture
// comes from.
struct TurnCase {
    const char* name;
    Button button;
    Button inverse;
    bool swapsSides;
    QPoint (*topLeftFrom)(int w, int h);
};

void PrintTo(const TurnCase& turn, std::ostream* out) {
    *out << turn.name;
}

class QuickTurn : public GeometryFixture, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(QuickTurn, KeepsTheCorrectionAndIsUndoneByItsInverse) {
    const TurnCase& turn = GetParam();
    load(testing::patternBitmap(5, 3, PixelLayout::Rgb));
    const Bitmap loaded = working();
    correctTo(12);
    const Bitmap corrected = working();
    ASSERT_FALSE(samePixels(corrected, loaded));

    (window_.*turn.button)()->click();
    EXPECT_EQ(workingSize(), turn.swapsSides ? QSize(3, 5) : QSize(5, 3));
    const QPoint from = turn.topLeftFrom(5, 3);
    EXPECT_EQ(testing::pixelAt(working(), 0, 0), testing::pixelAt(corrected, from.x(), from.y()));
    expectRebased();

    (window_.*turn.inverse)()->click();
    EXPECT_TRUE(samePixels(working(), corrected));
    expectRebased();
    EXPECT_TRUE(samePixels(window_.LEAD2()->Bitmap(), loaded));
    window_.Restore()->click();
    EXPECT_TRUE(samePixels(working(), loaded));
    EXPECT_EQ(messages_.all(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, QuickTurn,
    ::testing::Values(TurnCase{"Rotate90ThenRotate270", &app::Main::Rotate90, &app::Main::Rotate270,
                               true, [](int, int h) { return QPoint(0, h - 1); }},
                      TurnCase{"Rotate180Twice", &app::Main::Rotate180, &app::Main::Rotate180,
                               false, [](int w, int h) { return QPoint(w - 1, h - 1); }},
                      TurnCase{"Rotate270ThenRotate90", &app::Main::Rotate270, &app::Main::Rotate90,
                               true, [](int w, int) { return QPoint(w - 1, 0); }},
                      TurnCase{"UpdownTwice", &app::Main::updown, &app::Main::updown, false,
                               [](int, int h) { return QPoint(0, h - 1); }},
                      TurnCase{"LeftrightTwice", &app::Main::leftright, &app::Main::leftright,
                               false, [](int w, int) { return QPoint(w - 1, 0); }}),
    [](const auto& info) { return std::string(info.param.name); });

// The whole pixels the image control makes of the unrounded request: halves round away from zero,
// so 500.5 x 300.5 shows as 501 x 301 where a rounded or truncated request would give 500 x 300.
struct ResizeCase {
    const char* name;
    Button button;
    QSize picture;
    QSize expected;
};

void PrintTo(const ResizeCase& resize, std::ostream* out) {
    *out << resize.name;
}

class QuickResize : public GeometryFixture, public ::testing::WithParamInterface<ResizeCase> {};

TEST_P(QuickResize, HandsOnTheExactFractionAndRebases) {
    const ResizeCase& resize = GetParam();
    load(testing::patternBitmap(resize.picture.width(), resize.picture.height(), PixelLayout::Rgb));
    correctTo(12);

    (window_.*resize.button)()->click();
    EXPECT_EQ(workingSize(), resize.expected);
    expectRebased();
    window_.Restore()->click();
    EXPECT_EQ(workingSize(), resize.picture);
    EXPECT_EQ(messages_.all(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, QuickResize,
    ::testing::Values(ResizeCase{"HalfOf1001x601", &app::Main::Resize2, {1001, 601}, {501, 301}},
                      ResizeCase{"ThirdOf1001x601", &app::Main::Resize3, {1001, 601}, {334, 200}},
                      ResizeCase{"QuarterOf1001x601", &app::Main::Resize4, {1001, 601}, {250, 150}},
                      ResizeCase{"FifthOf1001x601", &app::Main::Resize5, {1001, 601}, {200, 120}},
                      ResizeCase{
                          "DoubleOf1600x1200", &app::Main::Resize6, {1600, 1200}, {3200, 2400}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GeometryFixture, AFifthOfThreePixelsIsRefusedAndNothingMoves) {
    load(testing::patternBitmap(3, 10, PixelLayout::Rgb));
    const Bitmap loaded = working();
    correctTo(12);
    const Bitmap corrected = working();

    window_.Resize5()->click();
    EXPECT_EQ(messages_.all(), "Quorvel: Quorvel.ImageControl 20011\rInvalid width/height");
    expectUntouched(corrected, loaded);
}

TEST_F(GeometryFixture, DoublingAgainAndAgainEndsInTheMemoryMessage) {
    const Bitmap photo = testing::solidBitmap(4000, 4000, PixelLayout::Grey, 90, 90, 90);
    for (imaging::ImageControl* panel : {window_.LEAD1(), window_.LEAD2(), window_.LEAD3()}) {
        panel->SetBitmap(photo);
    }
    window_.SetImageCommandsEnabled(true);

    for (int press = 0; press < 4 && messages_.seen.isEmpty(); ++press) {
        window_.Resize6()->click();
    }
    EXPECT_EQ(messages_.all(), "Quorvel: Quorvel.ImageControl 20001\rNot enough memory available");
    EXPECT_EQ(workingSize(), QSize(8000, 8000));
}

}  // namespace
}  // namespace quorvel::geometry
