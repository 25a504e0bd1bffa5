// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "CfaDng.h"
#include "ErrorCodes.h"
#include "ExternalFiles.h"
#include "ImageFile.h"
#include "TestImages.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <string>

namespace quorvel::imaging {
namespace {

using quorvel::testing::DngLayout;
using quorvel::testing::errorOf;
using quorvel::testing::pixelAt;
using quorvel::testing::PrintTo;
using quorvel::testing::writeCfaDng;

constexpr int kWidth = 300;
constexpr int kHeight = 200;

// Six patches of 100 x 100 pixels: red, green, blue on top; white, grey, yellow below. The white
// one keeps LibRaw's automatic brightness from lifting the rest.
const QColor kPatches[2][3] = {
    {QColor(200, 40, 40), QColor(40, 180, 60), QColor(40, 60, 200)},
    {QColor(250, 250, 250), QColor(128, 128, 128), QColor(220, 200, 40)},
};

QImage patchScene() {
    QImage scene(kWidth, kHeight, QImage::Format_RGB888);
    QPainter painter(&scene);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            painter.fillRect(column * 100, row * 100, 100, 100, kPatches[row][column]);
        }
    }
    return scene;
}

class RawFile : public ::testing::Test {
public:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString dng(const QString& name, DngLayout layout, int orientation = 1) const {
        return writeCfaDng(path(name), patchScene(), layout, orientation) ? path(name) : QString();
    }

    QTemporaryDir dir;
};

// Demosaicing blurs the borders a little, so colours are read in the patches' middles.
void expectColourAt(const Bitmap& picture, QPoint at, const QColor& expected) {
    const QColor seen = pixelAt(picture, at.x(), at.y());
    const std::string where = "at " + std::to_string(at.x()) + "," + std::to_string(at.y()) +
                              " seen " + seen.name().toStdString() + ", expected " +
                              expected.name().toStdString();
    EXPECT_NEAR(seen.red(), expected.red(), 24) << where;
    EXPECT_NEAR(seen.green(), expected.green(), 24) << where;
    EXPECT_NEAR(seen.blue(), expected.blue(), 24) << where;
}

class RawLayouts : public RawFile, public ::testing::WithParamInterface<DngLayout> {};

// Shot under warm light: the sensor recorded white with much less red and blue than green, so a
// picture developed without the camera's white balance would come out markedly cyan-green.
TEST_P(RawLayouts, OpensDemosaicedAtTheSensorSizeInColour) {
    const QString file = path("camera.dng");
    ASSERT_TRUE(writeCfaDng(file, patchScene(), GetParam(), 1, {0.4f, 1.0f, 0.5f}));
    EXPECT_EQ(queryFileInfo(file, 0).width, kWidth);
    EXPECT_EQ(queryFileInfo(file, 0).height, kHeight);
    const Bitmap picture = loadImageFile(file, 0, 0);
    ASSERT_EQ(picture.width(), kWidth);
    ASSERT_EQ(picture.height(), kHeight);
    EXPECT_EQ(picture.layout(), PixelLayout::Rgb);
    EXPECT_TRUE(picture.isSixteenBit());
    for (int patch = 0; patch < 6; ++patch) {
        const int row = patch / 3;
        const int column = patch % 3;
        expectColourAt(picture, {column * 100 + 50, row * 100 + 50}, kPatches[row][column]);
    }
    // The pixels are developed, never left as the mosaic: neighbours in a patch agree.
    EXPECT_EQ(pixelAt(picture, 50, 50).name(), pixelAt(picture, 51, 50).name());
    EXPECT_EQ(errorOf([&] { loadImageFile(file, 1, 0); }), errc::InvalidParameter);
    const Bitmap grey = loadImageFile(file, 0, 8);
    EXPECT_EQ(grey.layout(), PixelLayout::Grey);
    EXPECT_NEAR(pixelAt(grey, 250, 150).red(), 190, 30);  // yellow is light
    EXPECT_EQ(loadImageFile(file, 0, 32).layout(), PixelLayout::Rgba);
}

INSTANTIATE_TEST_SUITE_P(Dng, RawLayouts,
                         ::testing::Values(DngLayout::RawFirst, DngLayout::PreviewFirst),
                         [](const auto& info) {
                             return info.param == DngLayout::RawFirst ? "RawInFirstDirectory"
                                                                      : "PreviewFirstRawInSubIfd";
                         });

const QColor& kRed = kPatches[0][0];
const QColor& kBlue = kPatches[0][2];
const QColor& kWhite = kPatches[1][0];
const QColor& kYellow = kPatches[1][2];

// An EXIF orientation and the stored corner patches the upright picture shows at its top left,
// top right, bottom left and bottom right. 6 puts the first row on the right and the first column
// on top (the camera was turned a quarter clockwise), 8 the first row on the left.
struct Orientation {
    const char* name;
    int value;
    const QColor* corners[4];
};

const Orientation kOrientations[] = {
    {"Upright", 1, {&kRed, &kBlue, &kWhite, &kYellow}},
    {"Mirrored", 2, {&kBlue, &kRed, &kYellow, &kWhite}},
    {"HalfTurn", 3, {&kYellow, &kWhite, &kBlue, &kRed}},
    {"UpsideDownMirrored", 4, {&kWhite, &kYellow, &kRed, &kBlue}},
    {"Transposed", 5, {&kRed, &kWhite, &kBlue, &kYellow}},
    {"QuarterTurnClockwise", 6, {&kWhite, &kRed, &kYellow, &kBlue}},
    {"Transversed", 7, {&kYellow, &kBlue, &kWhite, &kRed}},
    {"QuarterTurnCounterClockwise", 8, {&kBlue, &kYellow, &kRed, &kWhite}},
};

class RawOrientations : public RawFile, public ::testing::WithParamInterface<Orientation> {};

TEST_P(RawOrientations, TurnsUprightAsTheCameraWasHeld) {
    const Orientation& orientation = GetParam();
    const Bitmap picture =
        loadImageFile(dng("turned.dng", DngLayout::PreviewFirst, orientation.value), 0, 0);
    const bool sideways = orientation.value >= 5;
    ASSERT_EQ(picture.width(), sideways ? kHeight : kWidth);
    ASSERT_EQ(picture.height(), sideways ? kWidth : kHeight);
    const int right = picture.width() - 50;
    const int bottom = picture.height() - 50;
    const QPoint corners[4] = {{50, 50}, {right, 50}, {50, bottom}, {right, bottom}};
    for (int corner = 0; corner < 4; ++corner) {
        expectColourAt(picture, corners[corner], *orientation.corners[corner]);
    }
}

INSTANTIATE_TEST_SUITE_P(Exif, RawOrientations, ::testing::ValuesIn(kOrientations),
                         ::testing::PrintToStringParamName());

TEST_F(RawFile, ACutShortFileIsRefusedNotShownHalfDeveloped) {
    const QString file = dng("cut.dng", DngLayout::PreviewFirst);
    const QByteArray bytes = testing::fileBytes(file);
    ASSERT_TRUE(testing::writeFileBytes(file, bytes.left(bytes.size() * 6 / 10)));
    // Its preview is still whole, but is no stand-in for the photo.
    EXPECT_EQ(errorOf([&] { loadImageFile(file, 0, 0); }), errc::ReadFailed);
}

// The sensor's directory is the last one written; its width and height are patched to claim
// 60000 x 60000 pixels, far over the budget, in a file of a few hundred kilobytes.
TEST_F(RawFile, AnEnormousDeclaredSensorIsRefusedBeforeItsDataIsRead) {
    const QString file = dng("huge.dng", DngLayout::RawFirst);
    QByteArray bytes = testing::fileBytes(file);
    ASSERT_TRUE(bytes.startsWith("II"));
    int patched = 0;
    for (qsizetype at = 8; at + 12 <= bytes.size(); at += 2) {
        const auto field = [&](int offset) {
            return qFromLittleEndian<quint16>(bytes.constData() + at + offset);
        };
        const bool size =
            (field(0) == 256 && field(8) == kWidth) || (field(0) == 257 && field(8) == kHeight);
        if (size && (field(2) == 3 || field(2) == 4)) {
            qToLittleEndian<quint16>(60000, bytes.data() + at + 8);
            ++patched;
        }
    }
    ASSERT_EQ(patched, 2);
    ASSERT_TRUE(testing::writeFileBytes(file, bytes));
    EXPECT_EQ(errorOf([&] { loadImageFile(file, 0, 0); }), errc::NoMemory);
}

}  // namespace
}  // namespace quorvel::imaging
