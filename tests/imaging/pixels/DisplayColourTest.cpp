// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "DisplayColour.h"
#include "IccProfiles.h"
#include "ImageControl.h"
#include "RotateDialog.h"
#include "TestImages.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;

using namespace quorvel::testing;

QImage filled(QColor colour, QImage::Format format = QImage::Format_RGB32) {
    QImage image(3, 2, format);
    image.fill(colour);
    return image;
}

struct ProfileCase {
    const char* name;
    std::function<QByteArray()> profile;
    bool converts;
};

class DisplayColourOfProfile : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(DisplayColourOfProfile, ConvertsOnlyWhatIsNotSrgbAlready) {
    const QByteArray profile = GetParam().profile();
    const QColor stored(200, 60, 40);
    const QColor shown = inDisplayColours(filled(stored), profile).pixelColor(1, 1);
    EXPECT_EQ(needsDisplayConversion(profile), GetParam().converts);
    if (GetParam().converts) {
        // Adobe RGB's red reaches further than sRGB's: the same numbers mean a stronger red,
        // which sRGB can only say with a larger red and less of the others.
        EXPECT_GT(shown.red(), stored.red() + 10);
        EXPECT_LT(shown.blue(), stored.blue() - 2);
    } else {
        EXPECT_EQ(shown, stored);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, DisplayColourOfProfile,
    ::testing::Values(ProfileCase{"None", [] { return QByteArray(); }, false},
                      ProfileCase{"AdobeRgb", adobeRgbProfile, true},
                      ProfileCase{"Srgb", srgbProfile, false},
                      ProfileCase{"Grey", greyProfile, false},
                      ProfileCase{"Broken", [] { return adobeRgbProfile().left(200); }, false},
                      ProfileCase{"NotAProfile", [] { return QByteArray(300, 'x'); }, false}),
    ::testing::PrintToStringParamName());

TEST(DisplayColour, NeutralsStayNeutralAndWhiteStaysWhite) {
    const QByteArray profile = adobeRgbProfile();
    for (const int level : {0, 64, 128, 255}) {
        const QColor shown =
            inDisplayColours(filled(QColor(level, level, level)), profile).pixelColor(0, 0);
        EXPECT_NEAR(shown.red(), shown.green(), 1) << level;
        EXPECT_NEAR(shown.blue(), shown.green(), 1) << level;
        if (level == 0 || level == 255) {
            EXPECT_EQ(shown.green(), level);
        }
    }
}

TEST(DisplayColour, TransparencyIsKeptAndOtherFormatsAreTakenIn) {
    const QByteArray profile = adobeRgbProfile();
    QImage image = filled(QColor(200, 60, 40, 128), QImage::Format_RGBA8888);
    image.setPixelColor(0, 0, QColor(0, 0, 0, 0));
    const QImage shown = inDisplayColours(image, profile);
    EXPECT_EQ(shown.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(shown.pixelColor(0, 0).alpha(), 0);
    const QColor half = shown.pixelColor(1, 1);
    EXPECT_EQ(half.alpha(), 128);
    const QColor opaque = inDisplayColours(filled(QColor(200, 60, 40)), profile).pixelColor(1, 1);
    // The colour under the alpha converts as the opaque one does, within premultiplied rounding.
    EXPECT_NEAR(half.red(), opaque.red(), 3);
    EXPECT_NEAR(half.green(), opaque.green(), 3);
    EXPECT_EQ(inDisplayColours(filled(QColor(9, 9, 9), QImage::Format_RGB888), profile).format(),
              QImage::Format_RGB32);
}

TEST(DisplayColour, PanelsPaintInSrgbWhileThePictureKeepsItsNumbers) {
    const Bitmap stored = solidBitmap(300, 200, PixelLayout::Rgb, 200, 60, 40)
                              .withMetadata(Metadata{{}, adobeRgbProfile(), {}, {}});
    ImageControl control;
    control.resize(120, 90);
    control.SetBitmap(stored);
    for (const int scaling : {ImageControl::kFit, ImageControl::kActualSize}) {
        control.SetDisplayScaling(scaling);
        const QColor shown = control.DisplayedView().pixelColor(5, 5);
        EXPECT_GT(shown.red(), 210) << scaling;
        EXPECT_LT(shown.blue(), 38) << scaling;
    }
    EXPECT_EQ(pixelAt(control.Bitmap(), 5, 5), QColor(200, 60, 40));
}

// Small pictures are previewed whole, large ones through a reduced copy: both in sRGB.
TEST(DisplayColour, RotatePreviewShowsSrgbToo) {
    for (const int side : {60, 900}) {
        const Bitmap stored = solidBitmap(side, side, PixelLayout::Rgb, 200, 60, 40)
                                  .withMetadata(Metadata{{}, adobeRgbProfile(), {}, {}});
        RotateDialog dialog(stored, 0, 0xffffff, false);
        const QImage preview = dialog.findChild<QLabel*>("preview")->pixmap().toImage();
        const QColor shown = preview.pixelColor(preview.width() / 2, preview.height() / 2);
        EXPECT_GT(shown.red(), 210) << side;
        EXPECT_LT(shown.blue(), 38) << side;
    }
}

}  // namespace
}  // namespace quorvel::imaging
