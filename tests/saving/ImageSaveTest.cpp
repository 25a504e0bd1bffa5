// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileFormats.h"
#include "FileSizeLimit.h"
#include "ImageControl.h"
#include "ImageFile.h"
#include "TestImages.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace quorvel::imaging {
namespace {

// The standard output of a command-line tool; empty when it fails.
QByteArray runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    const bool ran = process.waitForFinished(60000) && process.exitCode() == 0;
    return ran ? process.readAllStandardOutput() : QByteArray();
}

// One page as ImageMagick decodes it, in 8-bit RGBA; empty when there is no such page.
QByteArray decodedRgba(const QString& path, int page = 0) {
    return runTool("convert",
                   {QStringLiteral("%1[%2]").arg(path).arg(page), "-depth", "8", "rgba:-"});
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray rgbaOf(const Bitmap& bitmap) {
    QByteArray out;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const QColor c = testing::pixelAt(bitmap, x, y);
            for (const int value : {c.red(), c.green(), c.blue(), c.alpha()}) {
                out += char(value);
            }
        }
    }
    return out;
}

// Soft gradients, as in photos, which lossy codecs and palettes are made for. Each channel runs
// its own way so that swapped channels and flipped rows show; `grey` puts one value in all three.
Bitmap gradient(PixelLayout layout, bool grey = false) {
    PixelBuffer buffer(40, 30, layout);
    const int channels = channelCount(layout);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const int g = x * 4 + y * 3;
            const int values[] = {grey ? g : x * 6, grey ? g : y * 8, g, 128 + x};
            std::copy_n(values, channels, buffer.row(y) + x * channels);
        }
    }
    return Bitmap(std::move(buffer));
}

class Saving : public ::testing::Test {
protected:
    short save(const Bitmap& bitmap, const QString& name, short format, short bits,
               short qFactor = 2, bool multiPage = false) {
        control.SetBitmap(bitmap);
        return control.SaveImage(path(name), format, bits, qFactor, multiPage);
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    // Every name in the folder, hidden ones too.
    QStringList entries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir folder;
    ImageControl control;
};

struct FormatCase {
    const char* name;
    short format;
    short bits;
    // ImageMagick's channels of the file; empty where a palette makes them vary.
    const char* stored;
    // Mean difference per channel value that the format may add; 0 for none.
    double tolerance;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.name;
}

class EveryFormat : public Saving, public ::testing::WithParamInterface<FormatCase> {};

// Written by us, read back by ImageMagick (WMF through libwmf); RAW byte for byte.
TEST_P(EveryFormat, ReadsBackAsThePicture) {
    const FormatCase& c = GetParam();
    const Bitmap picture = gradient(c.bits == 32 ? PixelLayout::Rgba : PixelLayout::Rgb,
                                    QLatin1String(c.stored) == "gray");
    const QString name = QLatin1String("out.") + fileFormatByCode(c.format)->extension;
    ASSERT_EQ(save(picture, name, c.format, c.bits), 0);
    const QByteArray expected = rgbaOf(picture);
    if (c.format == fileformat::Raw) {
        QByteArray rgb;
        for (qsizetype i = 0; i < expected.size(); i += 4) {
            rgb += expected.mid(i, 3);
        }
        EXPECT_EQ(fileBytes(path(name)), rgb);
        return;
    }
    if (c.format == fileformat::Bmp) {
        EXPECT_EQ(uchar(fileBytes(path(name)).at(28)), c.bits) << "bits per pixel in the header";
    }
    if (*c.stored != '\0') {
        EXPECT_EQ(runTool("identify", {"-format", "%[channels]", path(name)}), c.stored);
    }
    const QByteArray decoded = decodedRgba(path(name));
    ASSERT_EQ(decoded.size(), expected.size());
    double difference = 0.0;
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        difference += std::abs(uchar(decoded[i]) - uchar(expected[i]));
    }
    EXPECT_LE(difference / double(decoded.size()), c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat,
                         ::testing::Values(FormatCase{"Jpeg24", fileformat::Jpeg, 24, "srgb", 2.0},
                                           FormatCase{"Bmp24", fileformat::Bmp, 24, "srgb", 0},
                                           FormatCase{"Bmp8Palette", fileformat::Bmp, 8, "", 6.0},
                                           FormatCase{"Webp24", fileformat::Webp, 24, "srgb", 2.0},
                                           FormatCase{"Tiff24", fileformat::Tiff, 24, "srgb", 0},
                                           FormatCase{"Tiff8Grey", fileformat::Tiff, 8, "gray", 0},
                                           FormatCase{"Png32", fileformat::Png, 32, "srgba", 0},
                                           FormatCase{"Wmf24", fileformat::Wmf, 24, "", 0},
                                           FormatCase{"Pcx24", fileformat::Pcx, 24, "srgb", 0},
                                           FormatCase{"Raw24", fileformat::Raw, 24, "", 0},
                                           FormatCase{"Tga24", fileformat::Tga, 24, "srgb", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A write that fails midway, as on a full disk: the file it was to replace stays byte for byte and
// nothing is left beside it.
TEST_P(EveryFormat, AWriteThatFailsMidwayLeavesTheFileItWouldReplace) {
    const FormatCase& c = GetParam();
    const Bitmap picture = gradient(c.bits == 32 ? PixelLayout::Rgba : PixelLayout::Rgb);
    const QString name = QLatin1String("out.") + fileFormatByCode(c.format)->extension;
    ASSERT_EQ(save(picture, name, c.format, c.bits), 0);
    const qint64 size = QFileInfo(path(name)).size();
    QFile earlier(path(name));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                earlier.write("the picture saved before") == 24);
    earlier.close();
    {
        const testing::FileSizeLimit limit(rlim_t(size / 2));
        EXPECT_EQ(save(picture, name, c.format, c.bits), 20005);
    }
    EXPECT_EQ(fileBytes(path(name)), "the picture saved before");
    EXPECT_EQ(entries(), QStringList{name});
}

TEST_F(Saving, AHigherQualityFactorGivesASmallerJpeg) {
    const Bitmap picture = testing::patternBitmap(64, 48, PixelLayout::Rgb);
    ASSERT_EQ(save(picture, "best.jpg", fileformat::Jpeg, 24, 2), 0);
    ASSERT_EQ(save(picture, "small.jpg", fileformat::Jpeg, 24, 10), 0);
    EXPECT_LT(QFileInfo(path("small.jpg")).size(), QFileInfo(path("best.jpg")).size());
}

// Refused before writing (too wide for WMF) and after reading the file (no TIFF to add a page
// to): either way the earlier file stays whole with nothing left beside it.
TEST_F(Saving, ARefusedSaveLeavesTheExistingFileAlone) {
    ASSERT_EQ(save(gradient(PixelLayout::Rgb), "keep.tif", fileformat::Png, 24), 0);
    const QByteArray before = fileBytes(path("keep.tif"));
    EXPECT_EQ(save(gradient(PixelLayout::Rgb), "keep.tif", fileformat::Tiff, 24, 2, true), 20009);
    EXPECT_EQ(
        save(testing::patternBitmap(32768, 1, PixelLayout::Rgb), "keep.tif", fileformat::Wmf, 24),
        20016);
    EXPECT_EQ(fileBytes(path("keep.tif")), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"keep.tif"});
}

// The pages already in the file stay byte for byte; only the link to the new page is written.
TEST_F(Saving, MultiPageAddsAPageToATiff) {
    const Bitmap first = gradient(PixelLayout::Rgb);
    const Bitmap second = testing::patternBitmap(9, 31, PixelLayout::Rgba);
    ASSERT_EQ(save(first, "book.tif", fileformat::Tiff, 24), 0);
    const QByteArray original = fileBytes(path("book.tif"));
    ASSERT_EQ(save(second, "book.tif", fileformat::Tiff, 32, 2, true), 0);

    const QByteArray book = fileBytes(path("book.tif"));
    ASSERT_GT(book.size(), original.size());
    EXPECT_LE(std::inner_product(original.begin(), original.end(), book.begin(), 0, std::plus<>(),
                                 std::not_equal_to<>()),
              4);
    EXPECT_EQ(decodedRgba(path("book.tif"), 0), rgbaOf(first));
    EXPECT_EQ(decodedRgba(path("book.tif"), 1), rgbaOf(second));
    EXPECT_TRUE(decodedRgba(path("book.tif"), 2).isEmpty());
}

TEST_F(Saving, APageThatFailsMidwayLeavesTheBookAsItWas) {
    ASSERT_EQ(save(gradient(PixelLayout::Rgb), "book.tif", fileformat::Tiff, 24), 0);
    const QByteArray original = fileBytes(path("book.tif"));
    {
        const testing::FileSizeLimit limit(rlim_t(original.size() + 100));
        EXPECT_EQ(save(gradient(PixelLayout::Rgba), "book.tif", fileformat::Tiff, 32, 2, true),
                  20005);
    }
    EXPECT_EQ(fileBytes(path("book.tif")), original);
    EXPECT_EQ(entries(), QStringList{"book.tif"});
}

// The new file waits under a name of its own, which must fit beside the longest names.
TEST_F(Saving, ReplacesFilesWhoseNamesAreAsLongAsNamesGet) {
    const Bitmap first = gradient(PixelLayout::Rgba);
    const Bitmap second = gradient(PixelLayout::Rgb);
    QStringList names;
    for (int length = 251; length <= 255; ++length) {
        names += QString(length - 4, u'n') + ".png";
        ASSERT_EQ(save(first, names.back(), fileformat::Png, 32), 0) << length;
        ASSERT_EQ(save(second, names.back(), fileformat::Png, 24), 0) << length;
        EXPECT_EQ(decodedRgba(path(names.back())), rgbaOf(second)) << length;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(entries(), names);
}

// EXIF from a camera that turned the picture (orientation 6), as little-endian TIFF fields.
const QByteArray kExifTurnedByCamera(
    "Exif\0\0II*\0\x08\0\0\0\x02\0"
    "\x0f\x01\x02\0\x0b\0\0\0\x26\0\0\0"
    "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0"
    "\0\0\0\0QuorvelCam\0",
    55);

// The pixels were turned upright on loading, so the saved orientation is normal.
TEST_F(Saving, JpegKeepsExifAndProfile) {
    ASSERT_EQ(save(gradient(PixelLayout::Rgb), "plain.png", fileformat::Png, 24), 0);
    runTool("vips",
            {"icc_export", path("plain.png"), path("profiled.jpg"), "--output-profile", "srgb"});
    const Bitmap loaded = loadImageFile(path("profiled.jpg"), 0, 0);
    Metadata metadata = loaded.metadata();
    ASSERT_FALSE(metadata.icc.isEmpty());
    metadata.exif = kExifTurnedByCamera;

    ASSERT_EQ(save(loaded.withMetadata(metadata), "kept.jpg", fileformat::Jpeg, 24), 0);
    EXPECT_EQ(
        runTool("identify", {"-format", "%[EXIF:Orientation] %[EXIF:Make]", path("kept.jpg")}),
        "1 QuorvelCam");
    runTool("convert", {path("kept.jpg"), path("kept.icc")});
    EXPECT_EQ(fileBytes(path("kept.icc")), metadata.icc);
}

}  // namespace
}  // namespace quorvel::imaging
