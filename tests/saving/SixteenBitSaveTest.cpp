// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "DepthConversion.h"
#include "ExternalFiles.h"
#include "FileFormats.h"
#include "ImageFile.h"
#include "ImageSave.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;

using testing::fileBytes;
using testing::toolOutput;

// The samples ImageMagick reads from `path` in `map` order ("rgb", "rgba", "gray") at 16 bits.
std::vector<quint16> decoded16(const QString& path, const QString& map) {
    const QByteArray bytes =
        toolOutput("convert", {path, "-depth", "16", "-endian", "LSB", map + ":-"});
    std::vector<quint16> samples(std::size_t(bytes.size() / 2));
    qFromLittleEndian<quint16>(bytes.constData(), qsizetype(samples.size()), samples.data());
    return samples;
}

std::vector<quint16> samplesOf(const Bitmap& bitmap) {
    return {bitmap.samples16(), bitmap.samples16() + bitmap.byteCount() / 2};
}

Bitmap pattern16(int width, int height, PixelLayout layout, bool opaque) {
    PixelBuffer buffer(width, height, layout, SampleDepth::Sixteen);
    auto* samples = reinterpret_cast<quint16*>(buffer.data());
    const std::size_t channels = std::size_t(channelCount(layout));
    for (std::size_t i = 0; i < buffer.byteCount() / 2; ++i) {
        const bool alpha = layout == PixelLayout::Rgba && i % channels == 3;
        samples[i] = alpha && opaque ? 65535 : quint16(i * 7919 + 4321);
    }
    return Bitmap(std::move(buffer));
}

struct WideCase {
    const char* name;
    short format;
    short bits;
    PixelLayout source;
    const char* map;
};

class SavesSixteenBits : public ::testing::TestWithParam<WideCase> {
public:
    QTemporaryDir folder;
};

TEST_P(SavesSixteenBits, EverySampleComesBackFromAnotherReader) {
    const WideCase& c = GetParam();
    const Bitmap picture = pattern16(9, 5, c.source, false);
    const QString path = folder.filePath(QString("wide.") + fileFormatByCode(c.format)->extension);
    saveImageFile(picture, path, c.format, c.bits, 2, false);
    EXPECT_EQ(toolOutput("identify", {"-format", "%z", path}), "16");
    EXPECT_EQ(decoded16(path, c.map), samplesOf(picture));
    // Our own reader keeps them too.
    EXPECT_TRUE(samePixels(loadImageFile(path, 0, 0), picture));
}

const WideCase kWideCases[] = {
    {"Png48", fileformat::Png, 48, PixelLayout::Rgb, "rgb"},
    {"Png64", fileformat::Png, 64, PixelLayout::Rgba, "rgba"},
    {"PngGrey16", fileformat::Png, 16, PixelLayout::Grey, "gray"},
    {"Tiff48", fileformat::Tiff, 48, PixelLayout::Rgb, "rgb"},
    {"Tiff64", fileformat::Tiff, 64, PixelLayout::Rgba, "rgba"},
    {"TiffGrey16", fileformat::Tiff, 16, PixelLayout::Grey, "gray"},
};

INSTANTIATE_TEST_SUITE_P(Depths, SavesSixteenBits, ::testing::ValuesIn(kWideCases),
                         ::testing::PrintToStringParamName());

class SixteenBitSave : public ::testing::Test {
public:
    QTemporaryDir folder;
};

TEST_F(SixteenBitSave, RawHoldsLittleEndianSamples) {
    const Bitmap picture = pattern16(7, 3, PixelLayout::Rgba, false);
    const QString path = folder.filePath("wide.raw");
    saveImageFile(picture, path, fileformat::Raw, 64, 2, false);
    const QByteArray bytes = fileBytes(path);
    ASSERT_EQ(bytes.size(), 7 * 3 * 8);
    std::vector<quint16> samples(7 * 3 * 4);
    qFromLittleEndian<quint16>(bytes.constData(), qsizetype(samples.size()), samples.data());
    EXPECT_EQ(samples, samplesOf(picture));
}

TEST_F(SixteenBitSave, EightBitDepthsRoundEachSampleToItsLevel) {
    const Bitmap picture = pattern16(9, 5, PixelLayout::Rgb, true);
    const QString path = folder.filePath("narrow.png");
    saveImageFile(picture, path, fileformat::Png, 24, 2, false);
    const Bitmap narrow = toEightBits(picture);
    const QByteArray expected(reinterpret_cast<const char*>(narrow.pixels()),
                              qsizetype(narrow.byteCount()));
    EXPECT_EQ(toolOutput("convert", {path, "-depth", "8", "rgb:-"}), expected);
    EXPECT_EQ(toolOutput("identify", {"-format", "%z", path}), "8");
}

}  // namespace
}  // namespace quorvel::imaging
