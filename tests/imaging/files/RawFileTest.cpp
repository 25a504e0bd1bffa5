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

#include <gtest/gtest.h>

#include <functional>

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

// Demosaicing blurs the borders a little, so the colours are read in the patches' middles.
void expectPatches(const Bitmap& picture, const std::function<QPoint(QPoint)>& placed) {
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QPoint at = placed(QPoint(column * 100 + 50, row * 100 + 50));
            const QColor seen = pixelAt(picture, at.x(), at.y());
            const QColor expected = kPatches[row][column];
            const std::string where = "patch " + std::to_string(row) + "," +
                                      std::to_string(column) + " seen as " +
                                      seen.name().toStdString();
            EXPECT_NEAR(seen.red(), expected.red(), 24) << where;
            EXPECT_NEAR(seen.green(), expected.green(), 24) << where;
            EXPECT_NEAR(seen.blue(), expected.blue(), 24) << where;
        }
    }
}

class RawLayouts : public RawFile, public ::testing::WithParamInterface<DngLayout> {};

TEST_P(RawLayouts, OpensDemosaicedAtTheSensorSizeInColour) {
    const QString file = dng("camera.dng", GetParam());
    ASSERT_FALSE(file.isEmpty());
    const FileInfo info = queryFileInfo(file, 0);
    EXPECT_EQ(info.width, kWidth);
    EXPECT_EQ(info.height, kHeight);
    const Bitmap picture = loadImageFile(file, 0, 0);
    ASSERT_EQ(picture.width(), kWidth);
    ASSERT_EQ(picture.height(), kHeight);
    EXPECT_EQ(picture.layout(), PixelLayout::Rgb);
    EXPECT_TRUE(picture.isSixteenBit());
    expectPatches(picture, [](QPoint p) { return p; });
    // The pixels are developed, never left as the mosaic: neighbours in a patch agree.
    EXPECT_EQ(pixelAt(picture, 50, 50).name(), pixelAt(picture, 51, 50).name());
    EXPECT_EQ(errorOf([&] { loadImageFile(file, 1, 0); }), errc::InvalidParameter);
}

INSTANTIATE_TEST_SUITE_P(Dng, RawLayouts,
                         ::testing::Values(DngLayout::RawFirst, DngLayout::PreviewFirst),
                         [](const auto& info) {
                             return info.param == DngLayout::RawFirst ? "RawInFirstDirectory"
                                                                      : "PreviewFirstRawInSubIfd";
                         });

// The corner patches of the scene as stored, each a colour of its own.
const QColor& kRed = kPatches[0][0];
const QColor& kBlue = kPatches[0][2];
const QColor& kWhite = kPatches[1][0];
const QColor& kYellow = kPatches[1][2];

// An EXIF orientation and the stored corners the upright picture shows at its top left, top
// right, bottom left and bottom right. The value says where the stored first row and first
// column belong: 6 puts the first row on the right and the first column on top (the camera was
// turned a quarter clockwise), 8 the first row on the left and the first column at the bottom.
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
    // The middles of the corner patches.
    const int right = picture.width() - 50;
    const int bottom = picture.height() - 50;
    const QPoint corners[4] = {{50, 50}, {right, 50}, {50, bottom}, {right, bottom}};
    for (int corner = 0; corner < 4; ++corner) {
        const QColor seen = pixelAt(picture, corners[corner].x(), corners[corner].y());
        const QColor& expected = *orientation.corners[corner];
        const std::string where = "corner " + std::to_string(corner) + " seen as " +
                                  seen.name().toStdString() + ", expected " +
                                  expected.name().toStdString();
        EXPECT_NEAR(seen.red(), expected.red(), 24) << where;
        EXPECT_NEAR(seen.green(), expected.green(), 24) << where;
        EXPECT_NEAR(seen.blue(), expected.blue(), 24) << where;
    }
}

INSTANTIATE_TEST_SUITE_P(Exif, RawOrientations, ::testing::ValuesIn(kOrientations),
                         ::testing::PrintToStringParamName());

TEST_F(RawFile, UndoesTheCamerasWhiteBalanceAsShot) {
    // Under warm light the sensor recorded white with much less red and blue than green; a
    // picture developed without the camera's white balance would come out markedly cyan-green.
    const QString file = path("warm.dng");
    ASSERT_TRUE(writeCfaDng(file, patchScene(), DngLayout::PreviewFirst, 1, {0.4f, 1.0f, 0.5f}));
    expectPatches(loadImageFile(file, 0, 0), [](QPoint p) { return p; });
}

TEST_F(RawFile, GivesTheLayoutAskedFor) {
    const QString file = dng("camera.dng", DngLayout::RawFirst);
    const Bitmap grey = loadImageFile(file, 0, 8);
    EXPECT_EQ(grey.layout(), PixelLayout::Grey);
    EXPECT_NEAR(pixelAt(grey, 250, 150).red(), 190, 30);  // yellow is light
    EXPECT_EQ(loadImageFile(file, 0, 32).layout(), PixelLayout::Rgba);
}

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
        const auto tag = quint16(uchar(bytes[at]) | uchar(bytes[at + 1]) << 8);
        const auto type = quint16(uchar(bytes[at + 2]) | uchar(bytes[at + 3]) << 8);
        const auto value = quint16(uchar(bytes[at + 8]) | uchar(bytes[at + 9]) << 8);
        if ((tag == 256 && value == kWidth) || (tag == 257 && value == kHeight)) {
            if (type == 3 || type == 4) {
                bytes[at + 8] = char(60000 & 0xff);
                bytes[at + 9] = char(60000 >> 8);
                ++patched;
            }
        }
    }
    ASSERT_EQ(patched, 2);
    ASSERT_TRUE(testing::writeFileBytes(file, bytes));
    EXPECT_EQ(errorOf([&] { loadImageFile(file, 0, 0); }), errc::NoMemory);
}

}  // namespace
}  // namespace quorvel::imaging
