// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "ExternalFiles.h"
#include "FileFormats.h"
#include "ImageFile.h"
#include "ImageSave.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

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

Bitmap pattern16(int width, int height, PixelLayout layout) {
    PixelBuffer buffer(width, height, layout, SampleDepth::Sixteen);
    auto* samples = reinterpret_cast<quint16*>(buffer.data());
    for (std::size_t i = 0; i < buffer.byteCount() / 2; ++i) {
        samples[i] = quint16(i * 7919 + 4321);
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

// The window's own save test covers colour PNG and TIFF at 48 bits and the rounding to 8 bits.
class SavesSixteenBits : public ::testing::TestWithParam<WideCase> {
public:
    QTemporaryDir folder;
};

TEST_P(SavesSixteenBits, EverySampleComesBackFromAnotherReader) {
    const WideCase& c = GetParam();
    const Bitmap picture = pattern16(9, 5, c.source);
    const QString path = folder.filePath(QString("wide.") + fileFormatByCode(c.format)->extension);
    saveImageFile(picture, path, c.format, c.bits, 2, false);
    if (c.format == fileformat::Raw) {
        const QByteArray bytes = fileBytes(path);
        std::vector<quint16> samples(std::size_t(bytes.size() / 2));
        qFromLittleEndian<quint16>(bytes.constData(), qsizetype(samples.size()), samples.data());
        EXPECT_EQ(samples, samplesOf(picture));
        return;
    }
    EXPECT_EQ(toolOutput("identify", {"-format", "%z", path}), "16");
    EXPECT_EQ(decoded16(path, c.map), samplesOf(picture));
    EXPECT_TRUE(samePixels(loadImageFile(path, 0, 0), picture));
}

INSTANTIATE_TEST_SUITE_P(
    Depths, SavesSixteenBits,
    ::testing::Values(WideCase{"Png64", fileformat::Png, 64, PixelLayout::Rgba, "rgba"},
                      WideCase{"PngGrey16", fileformat::Png, 16, PixelLayout::Grey, "gray"},
                      WideCase{"Tiff64", fileformat::Tiff, 64, PixelLayout::Rgba, "rgba"},
                      WideCase{"TiffGrey16", fileformat::Tiff, 16, PixelLayout::Grey, "gray"},
                      WideCase{"RawLittleEndian64", fileformat::Raw, 64, PixelLayout::Rgba, ""}),
    ::testing::PrintToStringParamName());

}  // namespace
}  // namespace quorvel::imaging
