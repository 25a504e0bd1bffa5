// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "ExternalFiles.h"
#include "ImageControl.h"
#include "Main.h"
#include "MainTestHelpers.h"
#include "ModalDialogs.h"
#include "ProgramRun.h"
#include "TestImages.h"
#include "ThumbTextSlider.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

using quorvel::testing::PrintTo;

// A small photo-like picture: soft gradients with noise, darker than it should be, so that every
// correction changes many levels.
QImage photoLike(QImage::Format format) {
    QImage picture(96, 64, format);
    QRandomGenerator noise(7);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int base = (x * 90 / picture.width() + y * 60 / picture.height());
            const auto channel = [&](int shift) {
                return std::clamp(base + shift + int(noise.bounded(12)), 0, 255);
            };
            QColor colour(channel(20), channel(5), channel(0), std::clamp(255 - x, 0, 255));
            if (picture.depth() == 64) {
                // Values between the 8-bit levels, which only a 16-bit picture holds.
                const auto fine = [&](int value) {
                    return quint16(value * 257 + int(noise.bounded(257)));
                };
                colour = QColor(QRgba64::fromRgba64(fine(colour.red()), fine(colour.green()),
                                                    fine(colour.blue()), 65535));
            }
            picture.setPixelColor(x, y, colour);
        }
    }
    return picture;
}

struct MatchCase {
    const char* name;
    const char* input;  // its extension gives the format QImage writes it in
    QImage::Format pixels;
    int slider;
    bool dynamicRange;
    const char* formatItem;  // as the save dialog lists it
    const char* format;      // as --format takes it
    int bitsPerPixel;  // 0: what the save dialog preselects, and no --bits
    int qFactor;
};

class BatchMatchesWindowTest : public ::testing::Test {
protected:
    // Opens `input` in the window, moves the slider as a user would, presses "D" when asked, and
    // saves through the save dialog into `saved`.
    void correctInWindow(const MatchCase& c, const QString& input, const QString& saved) {
        Main window;
        window.Form_Load("");
        window.LoadFromCommandLine(input);
        ASSERT_FALSE(window.LEAD1()->Bitmap().isNull());
        if (c.dynamicRange) {
            QTest::mouseClick(window.ContrastX(), Qt::LeftButton);
        }
        if (c.slider != 20) {
            window.Slider1()->setSliderPosition(c.slider);
        }
        bool answered = false;
        testing::whenModalAppears([&](QWidget* dialog) {
            auto* format = dialog->findChild<QComboBox*>("format");
            auto* bits = dialog->findChild<QComboBox*>("bitsPerPixel");
            auto* quality = dialog->findChild<QSpinBox*>("qFactor");
            auto* name = dialog->findChild<QLineEdit*>("fileName");
            ASSERT_TRUE(format && bits && quality && name);
            format->setCurrentIndex(format->findText(QString::fromLatin1(c.formatItem)));
            if (c.bitsPerPixel != 0) {
                bits->setCurrentIndex(bits->findData(c.bitsPerPixel));
            }
            quality->setValue(c.qFactor);
            testing::typeOver(name, saved);
            testing::pressOk(dialog);
            answered = true;
        });
        window.Save()->click();
        ASSERT_TRUE(answered);
        EXPECT_TRUE(messages_.titles.isEmpty()) << messages_.titles.join(", ").toStdString();
    }

    // Corrects `input` in the window and in a batch run of the program as `c` says, and answers
    // both results' bytes.
    std::pair<QByteArray, QByteArray> correctBothWays(const MatchCase& c, const QString& input) {
        const QString resultName = QFileInfo(input).completeBaseName() + "_M." + c.format;
        QDir(dir_.path()).mkdir("window");
        const QString saved = dir_.filePath("window/" + resultName);
        correctInWindow(c, input, saved);

        QStringList arguments{"--batch",
                              "--slider",
                              QString::number(c.slider),
                              "--format",
                              c.format,
                              "--quality",
                              QString::number(c.qFactor),
                              "--output",
                              dir_.filePath("batch"),
                              input};
        if (c.dynamicRange) {
            arguments.insert(1, "--dynamic");
        }
        if (c.bitsPerPixel != 0) {
            arguments.insert(1, "--bits");
            arguments.insert(2, QString::number(c.bitsPerPixel));
        }
        const ProgramOutcome batch = runProgram(arguments);
        EXPECT_EQ(batch.status, 0) << batch.err.toStdString();
        return {testing::fileBytes(saved),
                testing::fileBytes(dir_.filePath("batch/" + resultName))};
    }

    QTemporaryDir dir_;
    UnexpectedMessages messages_;
};

class BatchMatchesWindow : public BatchMatchesWindowTest,
                           public ::testing::WithParamInterface<MatchCase> {};

TEST_P(BatchMatchesWindow, WritesTheWindowsBytes) {
    const MatchCase& c = GetParam();
    const QString input = dir_.filePath(QString::fromLatin1(c.input));
    ASSERT_TRUE(photoLike(c.pixels).save(input, nullptr, 90));
    const auto [windowBytes, batchBytes] = correctBothWays(c, input);
    ASSERT_FALSE(windowBytes.isEmpty());
    EXPECT_TRUE(batchBytes == windowBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatchMatchesWindow,
    ::testing::Values(MatchCase{"JpegBrighterAsJpeg", "beach.jpg", QImage::Format_RGB32, 10, false,
                                "JPEG (*.jpg)", "jpg", 24, 2},
                      MatchCase{"JpegDynamicDarkerAsWebp", "beach.jpg", QImage::Format_RGB32, 27,
                                true, "WebP (*.webp)", "webp", 24, 6},
                      MatchCase{"PngWithAlphaAsPng", "leaf.png", QImage::Format_ARGB32, 3, false,
                                "PNG (*.png)", "png", 32, 2},
                      MatchCase{"GreyAsGreyTiff", "fog.png", QImage::Format_Grayscale8, 5, true,
                                "TIFF (*.tif)", "tif", 8, 2},
                      MatchCase{"BmpAsPaletteBmp", "dusk.bmp", QImage::Format_RGB32, 14, false,
                                "BMP (*.bmp)", "bmp", 8, 2},
                      MatchCase{"NeutralSliderAsRaw", "beach.jpg", QImage::Format_RGB32, 20, false,
                                "RAW (*.raw)", "raw", 24, 2},
                      MatchCase{"SixteenBitPngBrighterAsTiff", "deep.png", QImage::Format_RGBX64, 6,
                                true, "TIFF (*.tif)", "tif", 24, 2},
                      MatchCase{"SixteenBitPngAtTheDefaultDepth", "deep.png", QImage::Format_RGBX64,
                                12, false, "PNG (*.png)", "png", 0, 2},
                      MatchCase{"BrightestAsTga", "beach.jpg", QImage::Format_RGB32, 0, false,
                                "TGA (*.tga)", "tga", 24, 2}),
    ::testing::PrintToStringParamName());

TEST_F(BatchMatchesWindowTest, TurnsAndKeepsTheMetadataAsTheWindowDoes) {
    // A JPEG stored turned: EXIF orientation 6.
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    ASSERT_TRUE(photoLike(QImage::Format_RGB32).save(&buffer, "JPEG", 90));
    const QString input = dir_.filePath("turned.jpg");
    ASSERT_TRUE(testing::writeFileBytes(
        input, testing::withExifSegment(jpeg, testing::exifWithOrientation(6))));

    const MatchCase c{"", "", QImage::Format_RGB32, 12, false, "JPEG (*.jpg)", "jpg", 24, 3};
    const auto [windowBytes, batchBytes] = correctBothWays(c, input);
    ASSERT_FALSE(windowBytes.isEmpty());
    EXPECT_TRUE(batchBytes == windowBytes);

    // ImageMagick sees the result upright, 64 wide and 96 high, with the EXIF kept.
    EXPECT_EQ(testing::toolOutput("identify", {"-format", "%[EXIF:Orientation] %wx%h",
                                               dir_.filePath("batch/turned_M.jpg")}),
              "1 64x96");
}

}  // namespace
}  // namespace quorvel::app
