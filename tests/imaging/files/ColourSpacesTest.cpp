// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "DepthConversion.h"
#include "ExternalFiles.h"
#include "IccProfiles.h"
#include "ImageFile.h"
#include "TestImages.h"

#include <QColor>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;

using quorvel::testing::pixelAt;

class ColourSpaces : public ::testing::Test {
public:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const {
        return testing::writeFileBytes(path(name), bytes) ? path(name) : QString();
    }
    // ImageMagick's convert makes the file `name` from `arguments`.
    QString convert(const QString& name, const QStringList& arguments) const {
        return QProcess::execute("convert", arguments + QStringList{path(name)}) == 0 ? path(name)
                                                                                      : QString();
    }
    QTemporaryDir dir;
};

void expectNear(QColor actual, QColor expected, int tolerance) {
    ASSERT_TRUE(expected.isValid());
    for (const auto channel : {&QColor::red, &QColor::green, &QColor::blue}) {
        EXPECT_NEAR((actual.*channel)(), (expected.*channel)(), tolerance)
            << actual.name().toStdString() << " " << expected.name().toStdString();
    }
}

TEST_F(ColourSpaces, WideGamutPicturesKeepTheirPixelsAndTheirProfileByteForByte) {
    const QByteArray profile = testing::adobeRgbProfile();
    const QString icc = write("adobe.icc", profile);
    // ImageMagick attaches the first profile given without converting the pixels.
    for (const char* name : {"adobe.jpg", "adobe.png", "adobe.tif", "adobe.webp", "adobe16.png"}) {
        const bool deep = QByteArray(name).contains("16");
        // ImageMagick writes a plain colour at 8 bits unless told otherwise.
        const QString file =
            convert(name, {"-size", "6x4", "xc:rgb(200,60,40)", "-depth", deep ? "16" : "8",
                           "-define", deep ? "png:bit-depth=16" : "png:bit-depth=8", "-quality",
                           "100", "-profile", icc});
        ASSERT_FALSE(file.isEmpty()) << name;
        const Bitmap loaded = loadImageFile(file, 0, 0);
        EXPECT_EQ(loaded.isSixteenBit(), deep) << name;
        EXPECT_EQ(loaded.metadata().icc, profile) << name;
        expectNear(pixelAt(loaded, 2, 2), QColor(200, 60, 40), 2);
        // Asked for grey, the picture's true colours count, not their numbers.
        const Bitmap grey = loadImageFile(file, 0, 8);
        EXPECT_TRUE(grey.metadata().icc.isEmpty()) << name;
        EXPECT_GT(pixelAt(grey, 2, 2).red(), 100) << name;
    }
}

struct ConvertedCase {
    const char* name;
    // Makes the file in the fixture's folder.
    std::function<QString(const ColourSpaces&)> make;
    QColor expected;  // at (2, 2)
    PixelLayout layout;
    int tolerance;
};

class ConvertedAtLoad : public ColourSpaces, public ::testing::WithParamInterface<ConvertedCase> {};

TEST_P(ConvertedAtLoad, ComesOutInSrgbOrGrey) {
    const ConvertedCase& c = GetParam();
    const QString file = c.make(*this);
    ASSERT_FALSE(file.isEmpty());
    const Bitmap loaded = loadImageFile(file, 0, 0);
    EXPECT_EQ(loaded.layout(), c.layout);
    expectNear(pixelAt(loaded, 2, 2), c.expected, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Spaces, ConvertedAtLoad,
    ::testing::Values(
        // By hand: 15 % black leaves 0.85 of the light, and the inks leave 0.9 x 0.625 of red,
        // 0.25 x 0.6 of green and 0.2 x 0.95 of blue: levels 122, 33, 41. The plain formula would
        // give 195, 54, 43, and the built-in press profile 188, 82, 65.
        ConvertedCase{"CmykJpegWithItsOwnProfile",
                      [](const ColourSpaces& f) {
                          return f.convert("inks.jpg",
                                           {"-size", "6x4", "xc:cmyk(10%,75%,80%,15%)", "-profile",
                                            f.write("inks.icc", testing::impureInksCmykProfile()),
                                            "-quality", "100"});
                      },
                      testing::cmykInSrgb(testing::impureInksCmykProfile(), {10, 75, 80, 15}),
                      PixelLayout::Rgb, 4},
        ConvertedCase{"CmykTiffWithoutProfile",
                      [](const ColourSpaces& f) {
                          return f.convert("cmyk.tif", {"-size", "6x4", "xc:rgb(200,60,40)",
                                                        "-colorspace", "CMYK"});
                      },
                      QColor(200, 60, 40), PixelLayout::Rgb, 1},
        ConvertedCase{"LabTiff",
                      [](const ColourSpaces& f) {
                          return f.convert("lab.tif", {"-size", "6x4", "xc:rgb(200,60,40)",
                                                       "-colorspace", "Lab"});
                      },
                      QColor(200, 60, 40), PixelLayout::Rgb, 4},
        ConvertedCase{"GreyWithProfile",
                      [](const ColourSpaces& f) {
                          return f.convert(
                              "grey.png",
                              {"-size", "6x4", "xc:rgb(90,90,90)", "-colorspace", "Gray",
                               "-profile", f.write("grey.icc", testing::greyProfile())});
                      },
                      // Level 90 in linear light is 160 in sRGB.
                      QColor(160, 160, 160), PixelLayout::Grey, 2}),
    ::testing::PrintToStringParamName());

// In 8-bit levels, whatever the picture's depth.
double meanLevel(const Bitmap& picture) {
    const Bitmap bitmap = toEightBits(picture);
    double sum = 0.0;
    for (std::size_t i = 0; i < bitmap.byteCount(); ++i) {
        sum += bitmap.pixels()[i];
    }
    return sum / double(bitmap.byteCount());
}

TEST_F(ColourSpaces, ProfileLessCmykJpegIsAsDarkAsThePictureItWasMadeFrom) {
    const QString source =
        convert("dark.png", {"-size", "64x48", "gradient:rgb(10,20,40)-rgb(110,70,40)"});
    const QString cmyk = convert("dark.jpg", {source, "-colorspace", "CMYK", "-quality", "100"});
    // ImageMagick writes CMYK JPEGs the Adobe way, with inverted inks.
    ASSERT_TRUE(testing::toolOutput("head", {"-c", "64", cmyk}).contains("Adobe"));
    EXPECT_EQ(queryFileInfo(cmyk, 0).bitsPerPixel, 32);
    EXPECT_EQ(loadImageFile(cmyk, 0, 0).layout(), PixelLayout::Rgb);
    EXPECT_NEAR(meanLevel(loadImageFile(cmyk, 0, 0)), meanLevel(loadImageFile(source, 0, 0)), 1.5);
}

}  // namespace
}  // namespace quorvel::imaging
