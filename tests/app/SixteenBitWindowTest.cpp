// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExternalFiles.h"
#include "ImageControl.h"
#include "LevelHistogram.h"
#include "Main.h"
#include "MainTestHelpers.h"
#include "ModalDialogs.h"
#include "ThumbTextSlider.h"
#include "ToneCurve.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

namespace quorvel::app {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// A photo-like 16-bit picture: gradients across the whole range with noise finer than an 8-bit
// level, black and white included, and, with alpha, a ramp of partly transparent pixels.
std::vector<quint16> photoSamples(int channels) {
    std::vector<quint16> samples;
    QRandomGenerator noise(16);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int base = x * 700 + y * 400 + c * 3000 + int(noise.bounded(1500));
                samples.push_back(quint16(std::clamp(base, 0, 65535)));
            }
            if (channels == 4) {
                samples.push_back(quint16(65535 - x * 900 - y * 37));
            }
        }
    }
    std::fill_n(samples.begin(), 3, quint16(0));
    std::fill_n(samples.begin() + channels, 3, quint16(65535));
    return samples;
}

// The exposure correction as the README states it, worked out here from the unrounded tone curve
// alone: the histogram counts each pixel's intensity from its channels' 8-bit levels
// (v + 128) / 257, and each value is interpolated between the curve's levels.
class ExpectedCorrection {
public:
    ExpectedCorrection(const std::vector<quint16>& samples, int channels, float exposure) {
        tone::LevelCounts counts{};
        for (std::size_t i = 0; i < samples.size(); i += std::size_t(channels)) {
            const auto level = [&](std::size_t c) { return (samples[i + c] + 128) / 257; };
            ++counts[std::size_t((299 * level(0) + 587 * level(1) + 114 * level(2) + 500) / 1000)];
        }
        const auto curve =
            tone::toneCurve(tone::scaledLevelHistogram(counts, float(kWidth), float(kHeight)),
                            exposure, tone::kExposureMode);
        EXPECT_TRUE(curve.has_value());
        if (curve) {
            levels_ = curve->levels;
        }
    }

    quint16 operator()(quint16 value) const {
        const double x = value / 257.0;
        const auto i = std::size_t(std::floor(x));
        const double f = x - double(i);
        const double c = i == 255 ? levels_[255] : levels_[i] + f * (levels_[i + 1] - levels_[i]);
        // The default rounding mode sends ties to the even neighbour.
        return quint16(std::nearbyint(65535.0 * c));
    }

private:
    std::array<double, 256> levels_{};
};

struct WindowSaveCase {
    const char* name;
    bool alpha;
    const char* formatItem;  // as the save dialog lists it
    const char* extension;
    int bitsPerPixel;  // 0: the dialog's preselection
    int depth;         // bits per sample of the written file
};

void PrintTo(const WindowSaveCase& c, std::ostream* out) {
    *out << c.name;
}

class SixteenBitWindow : public ::testing::TestWithParam<WindowSaveCase> {
protected:
    QTemporaryDir dir_;
    UnexpectedMessages messages_;
};

// Opens a 16-bit picture in the window, moves the slider two pages up to E = +1, saves it through
// the save dialog and reads the file back with ImageMagick.
TEST_P(SixteenBitWindow, SavesTheCorrectionOfTheUnroundedCurve) {
    const WindowSaveCase& c = GetParam();
    const int channels = c.alpha ? 4 : 3;
    const QString map = c.alpha ? "rgba" : "rgb";
    const std::vector<quint16> samples = photoSamples(channels);
    QByteArray raw(qsizetype(samples.size() * 2), '\0');
    qToLittleEndian<quint16>(samples.data(), qsizetype(samples.size()), raw.data());
    const QString samplesFile = dir_.filePath("deep.samples");
    ASSERT_TRUE(testing::writeFileBytes(samplesFile, raw));
    const QString input = dir_.filePath("deep.png");
    testing::toolOutput("convert", {"-size", QString("%1x%2").arg(kWidth).arg(kHeight), "-depth",
                                    "16", "-endian", "LSB", map + ":" + samplesFile, input});
    ASSERT_EQ(testing::toolOutput("identify", {"-format", "%z", input}), "16");

    Main window;
    window.Form_Load("");
    window.show();
    window.LoadFromCommandLine(input);
    ASSERT_TRUE(window.LEAD1()->HasPicture());
    window.Slider1()->setFocus();
    QTest::keyClick(window.Slider1(), Qt::Key_PageUp);
    QTest::keyClick(window.Slider1(), Qt::Key_PageUp);
    ASSERT_EQ(window.Slider1()->ThumbText(), "E = 1");

    const QString saved = dir_.filePath(QString("corrected.") + c.extension);
    int preselected = 0;
    testing::whenModalAppears([&](QWidget* dialog) {
        auto* format = dialog->findChild<QComboBox*>("format");
        auto* bits = dialog->findChild<QComboBox*>("bitsPerPixel");
        auto* name = dialog->findChild<QLineEdit*>("fileName");
        ASSERT_TRUE(format && bits && name);
        preselected = bits->currentData().toInt();
        format->setCurrentIndex(format->findText(QString::fromLatin1(c.formatItem)));
        if (c.bitsPerPixel != 0) {
            bits->setCurrentIndex(bits->findData(c.bitsPerPixel));
        }
        testing::typeOver(name, saved);
        testing::pressOk(dialog);
    });
    window.Save()->click();
    EXPECT_EQ(preselected, c.alpha ? 64 : 48);
    EXPECT_TRUE(messages_.titles.isEmpty()) << messages_.titles.join(", ").toStdString();
    ASSERT_EQ(testing::toolOutput("identify", {"-format", "%z", saved}),
              QByteArray::number(c.depth));

    const ExpectedCorrection correct(samples, channels, 1.0f);
    std::vector<int> expected;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const bool alpha = c.alpha && i % 4 == 3;
        const int value = alpha ? samples[i] : correct(samples[i]);
        expected.push_back(c.depth == 16 ? value : (value + 128) / 257);
    }
    const QByteArray bytes = testing::toolOutput(
        "convert", {saved, "-depth", QString::number(c.depth), "-endian", "LSB", map + ":-"});
    std::vector<int> read;
    for (qsizetype i = 0; i < bytes.size(); i += c.depth / 8) {
        read.push_back(c.depth == 16 ? qFromLittleEndian<quint16>(bytes.constData() + i)
                                     : quint8(bytes[i]));
    }
    EXPECT_EQ(read, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SixteenBitWindow,
    ::testing::Values(
        WindowSaveCase{"RgbAsPngAtThePreselectedDepth", false, "PNG (*.png)", "png", 0, 16},
        WindowSaveCase{"RgbaAsPngAtThePreselectedDepth", true, "PNG (*.png)", "png", 0, 16},
        WindowSaveCase{"RgbAsTiff48", false, "TIFF (*.tif)", "tif", 48, 16},
        WindowSaveCase{"RgbAsBmp24", false, "BMP (*.bmp)", "bmp", 24, 8}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvel::app
