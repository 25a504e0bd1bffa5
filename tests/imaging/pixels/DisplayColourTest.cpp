// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "DisplayColour.h"
#include "IccProfiles.h"
#include "ImageControl.h"
#include "RotateDialog.h"
#include "ScreenProfile.h"
#include "TestImages.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>
#include <lcms2.h>

#include <functional>
#include <memory>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;

using namespace quorvel::testing;

QImage filled(QColor colour, QImage::Format format = QImage::Format_RGB32) {
    QImage image(3, 2, format);
    image.fill(colour);
    return image;
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

// `colour` from the space of `from` (sRGB when empty) to that of `to`, by the colour library
// directly, as a reference for the views.
QColor converted(QColor colour, const QByteArray& from, const QByteArray& to) {
    const auto open = [](const QByteArray& profile) {
        return profile.isEmpty()
                   ? cmsCreate_sRGBProfile()
                   : cmsOpenProfileFromMem(profile.constData(), cmsUInt32Number(profile.size()));
    };
    cmsHPROFILE source = open(from);
    cmsHPROFILE target = open(to);
    cmsHTRANSFORM transform =
        cmsCreateTransform(source, TYPE_RGB_8, target, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC, 0);
    const std::uint8_t in[3] = {std::uint8_t(colour.red()), std::uint8_t(colour.green()),
                                std::uint8_t(colour.blue())};
    std::uint8_t out[3] = {};
    cmsDoTransform(transform, in, out, 1);
    cmsDeleteTransform(transform);
    cmsCloseProfile(target);
    cmsCloseProfile(source);
    return QColor(out[0], out[1], out[2]);
}

void expectNear(QColor shown, QColor expected) {
    EXPECT_NEAR(shown.red(), expected.red(), 1);
    EXPECT_NEAR(shown.green(), expected.green(), 1);
    EXPECT_NEAR(shown.blue(), expected.blue(), 1);
}

// The screen's profile is process-wide: every test leaves it unset.
class WithScreenProfile : public ::testing::Test {
protected:
    void TearDown() override { setDisplayProfile({}); }
};

struct ScreenCase {
    const char* name;
    std::function<QByteArray()> screen;
    std::function<QByteArray()> picture;
    // The picture's profile describes no RGB that can be read: its pixels count as sRGB.
    bool takenForSrgb = false;
};

class ScreenProfileOfPicture : public WithScreenProfile,
                               public ::testing::WithParamInterface<ScreenCase> {};

// Untagged pixels are taken for sRGB, so they convert exactly as sRGB-tagged ones do.
TEST_P(ScreenProfileOfPicture, ConvertsFromThePicturesSpaceToTheScreens) {
    const QByteArray screen = GetParam().screen();
    const QByteArray picture = GetParam().picture();
    ASSERT_TRUE(setDisplayProfile(screen));
    for (const QColor stored : {QColor(200, 60, 40), QColor(255, 0, 0), QColor(30, 140, 220)}) {
        const QColor shown = inDisplayColours(filled(stored), picture).pixelColor(2, 1);
        expectNear(shown,
                   converted(stored, GetParam().takenForSrgb ? QByteArray() : picture, screen));
    }
    EXPECT_TRUE(needsDisplayConversion(picture));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ScreenProfileOfPicture,
    ::testing::Values(ScreenCase{"Gamma18ScreenUntagged", gamma18Profile,
                                 [] { return QByteArray(); }},
                      ScreenCase{"Gamma18ScreenSrgb", gamma18Profile, srgbProfile},
                      ScreenCase{"Gamma18ScreenAdobeRgb", gamma18Profile, adobeRgbProfile},
                      ScreenCase{"AdobeRgbScreenGrey", adobeRgbProfile, greyProfile, true},
                      ScreenCase{"AdobeRgbScreenBroken", adobeRgbProfile,
                                 [] { return adobeRgbProfile().left(200); }, true}),
    ::testing::PrintToStringParamName());

TEST_F(WithScreenProfile, Gamma18ScreenDarkensMidGreyAsItsCurveSays) {
    ASSERT_TRUE(setDisplayProfile(gamma18Profile()));
    // Level 128 in sRGB is 21.6 % light; 0.216 ^ (1 / 1.8) of 255 is 108.7.
    const QColor shown = inDisplayColours(filled(QColor(128, 128, 128)), {}).pixelColor(0, 0);
    EXPECT_EQ(shown, QColor(109, 109, 109));
}

TEST_F(WithScreenProfile, PictureInTheScreensOwnSpaceIsShownAsItIs) {
    ASSERT_TRUE(setDisplayProfile(adobeRgbProfile()));
    EXPECT_FALSE(needsDisplayConversion(adobeRgbProfile()));
    EXPECT_EQ(inDisplayColours(filled(QColor(200, 60, 40)), adobeRgbProfile()).pixelColor(0, 0),
              QColor(200, 60, 40));
}

// Files without a profile are read as sRGB wherever they go: the screen has no say.
TEST_F(WithScreenProfile, SavingStillComparesWithSrgb) {
    ASSERT_TRUE(setDisplayProfile(gamma18Profile()));
    EXPECT_FALSE(differsFromSrgb({}));
    EXPECT_FALSE(differsFromSrgb(srgbProfile()));
    EXPECT_TRUE(differsFromSrgb(adobeRgbProfile()));
}

struct UnusableScreen {
    const char* name;
    std::function<QByteArray()> screen;
};

class UnusableScreenProfile : public WithScreenProfile,
                              public ::testing::WithParamInterface<UnusableScreen> {};

TEST_P(UnusableScreenProfile, LeavesViewsAsWithoutOne) {
    setDisplayProfile(gamma18Profile());
    EXPECT_FALSE(setDisplayProfile(GetParam().screen()));
    const QColor stored(200, 60, 40);
    EXPECT_EQ(inDisplayColours(filled(stored), {}).pixelColor(0, 0), stored);
    EXPECT_EQ(inDisplayColours(filled(stored), srgbProfile()).pixelColor(0, 0), stored);
    EXPECT_FALSE(needsDisplayConversion({}));
    EXPECT_EQ(inDisplayColours(filled(stored), adobeRgbProfile().left(200)).pixelColor(0, 0),
              stored);
    expectNear(inDisplayColours(filled(stored), adobeRgbProfile()).pixelColor(0, 0),
               converted(stored, adobeRgbProfile(), {}));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, UnusableScreenProfile,
    ::testing::Values(UnusableScreen{"None", [] { return QByteArray(); }},
                      UnusableScreen{"Grey", greyProfile},
                      UnusableScreen{"Cmyk", impureInksCmykProfile},
                      UnusableScreen{"Broken", [] { return gamma18Profile().left(200); }}),
    ::testing::PrintToStringParamName());

// Panels and the rotate preview (small pictures whole, large ones through a reduced copy) convert
// from the picture's profile to the screen's, while the picture keeps its numbers.
TEST_F(WithScreenProfile, PanelsAndRotatePreviewPaintFromThePicturesSpaceForTheScreen) {
    ASSERT_TRUE(setDisplayProfile(gamma18Profile()));
    const QColor expected = converted(QColor(200, 60, 40), adobeRgbProfile(), gamma18Profile());
    const auto stored = [](int width, int height) {
        return solidBitmap(width, height, PixelLayout::Rgb, 200, 60, 40)
            .withMetadata(Metadata{{}, adobeRgbProfile(), {}, {}});
    };
    ImageControl control;
    control.resize(120, 90);
    control.SetBitmap(stored(300, 200));
    for (const int scaling : {ImageControl::kFit, ImageControl::kActualSize}) {
        control.SetDisplayScaling(scaling);
        expectNear(control.DisplayedView().pixelColor(5, 5), expected);
    }
    EXPECT_EQ(pixelAt(control.Bitmap(), 5, 5), QColor(200, 60, 40));
    for (const int side : {60, 900}) {
        RotateDialog dialog(stored(side, side), 0, 0xffffff, false);
        const QImage preview = dialog.findChild<QLabel*>("preview")->pixmap().toImage();
        expectNear(preview.pixelColor(preview.width() / 2, preview.height() / 2), expected);
    }
}

TEST(ScreenProfile, NoneOffX11) {
    EXPECT_TRUE(screenProfile().isEmpty());
}

}  // namespace
}  // namespace quorvel::imaging
