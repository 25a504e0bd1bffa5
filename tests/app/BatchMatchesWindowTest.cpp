#include "ImageControl.h"
#include "Main.h"
#include "MainTestHelpers.h"
#include "ModalDialogs.h"
#include "ProgramRun.h"
#include "ThumbTextSlider.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
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
            picture.setPixelColor(
                x, y, QColor(channel(20), channel(5), channel(0), std::clamp(255 - x, 0, 255)));
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
    int bitsPerPixel;
    int qFactor;
};

void PrintTo(const MatchCase& c, std::ostream* out) {
    *out << c.name;
}

class BatchMatchesWindow : public ::testing::TestWithParam<MatchCase> {
protected:
    // Opens `input` in the window, moves the slider as a user would, presses "D" when asked, and
    // saves through the save dialog into `saved`.
    void correctInWindow(const QString& input, const QString& saved) {
        const MatchCase& c = GetParam();
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
            bits->setCurrentIndex(bits->findData(c.bitsPerPixel));
            quality->setValue(c.qFactor);
            name->selectAll();
            QTest::keyClicks(name, saved);
            QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
            answered = true;
        });
        window.Save()->click();
        ASSERT_TRUE(answered);
        EXPECT_TRUE(messages_.titles.isEmpty()) << messages_.titles.join(", ").toStdString();
    }

    QTemporaryDir dir_;
    UnexpectedMessages messages_;
};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_P(BatchMatchesWindow, WritesTheWindowsBytes) {
    const MatchCase& c = GetParam();
    const QString input = dir_.filePath(QString::fromLatin1(c.input));
    ASSERT_TRUE(photoLike(c.pixels).save(input, nullptr, 90));
    const QString baseName = QFileInfo(input).completeBaseName();
    const QString resultName = baseName + "_M." + c.format;
    ASSERT_TRUE(QDir(dir_.path()).mkdir("window"));
    const QString saved = dir_.filePath("window/" + resultName);
    correctInWindow(input, saved);

    QStringList arguments{"--batch",
                          "--slider",
                          QString::number(c.slider),
                          "--format",
                          c.format,
                          "--bits",
                          QString::number(c.bitsPerPixel),
                          "--quality",
                          QString::number(c.qFactor),
                          "--output",
                          dir_.filePath("batch"),
                          input};
    if (c.dynamicRange) {
        arguments.insert(1, "--dynamic");
    }
    const ProgramOutcome batch = runProgram(arguments);
    ASSERT_EQ(batch.status, 0) << batch.err.toStdString();

    const QByteArray windowBytes = contents(saved);
    ASSERT_FALSE(windowBytes.isEmpty());
    EXPECT_TRUE(contents(dir_.filePath("batch/" + resultName)) == windowBytes);
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
                      MatchCase{"BrightestAsTga", "beach.jpg", QImage::Format_RGB32, 0, false,
                                "TGA (*.tga)", "tga", 24, 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvel::app
