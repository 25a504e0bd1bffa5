#include "FileFormats.h"
#include "ImageControl.h"
#include "ImageFile.h"
#include "ReadBack.h"
#include "TestImages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvel::imaging {
namespace {

using testing::decodeWithImageMagick;
using testing::fileBytes;
using testing::rgbaOf;
using testing::runTool;

// Greys stored as RGB: saved at 8 bits grey they must come back unchanged.
Bitmap greyContent(int width, int height) {
    PixelBuffer buffer(width, height, PixelLayout::Rgb);
    for (std::size_t i = 0; i < buffer.byteCount(); ++i) {
        const std::size_t pixel = i / 3;
        buffer.data()[i] = std::uint8_t((pixel % width * 11 + pixel / width * 5) % 256);
    }
    return Bitmap(std::move(buffer));
}

// Soft gradients, as in photos: lossy codecs are made for these, not for pixel noise.
Bitmap smoothPicture(int width, int height, PixelLayout layout) {
    PixelBuffer buffer(width, height, layout);
    const int channels = channelCount(layout);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int values[] = {x * 255 / (width - 1), y * 255 / (height - 1), (x + y) * 3,
                                  128 + x};
            std::copy_n(values, channels, buffer.row(y) + x * channels);
        }
    }
    return Bitmap(std::move(buffer));
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class Saving : public ::testing::Test {
protected:
    short save(const Bitmap& bitmap, const QString& name, short format, short bits,
               short qFactor = 2, bool multiPage = false) {
        control.SetBitmap(bitmap);
        return control.SaveImage(path(name), format, bits, qFactor, multiPage);
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    QStringList entries() const { return QDir(folder.path()).entryList(QDir::Files); }

    QTemporaryDir folder;
    ImageControl control;
};

enum class Expect { Exact, Close, Grey, BlackAndWhite };

struct FormatCase {
    const char* name;
    short format;
    short bits;
    // What ImageMagick says the file stores; empty where palettes make it vary.
    const char* stored;
    Expect expect;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.name;
}

class EveryFormatAndDepth : public Saving, public ::testing::WithParamInterface<FormatCase> {};

// Written by us, read back by ImageMagick (libwmf for WMF), compared with the picture; RAW byte
// for byte, and the depth fields of BMP and PCX headers straight from the file.
TEST_P(EveryFormatAndDepth, ReadsBackAsThePicture) {
    const FormatCase& c = GetParam();
    const FileFormat& format = *fileFormatByCode(c.format);
    const PixelLayout layout = c.bits == 32 ? PixelLayout::Rgba : PixelLayout::Rgb;
    const bool grey = c.bits == 1 || (c.bits == 8 && !depthOf(format, 8)->palette);
    const Bitmap picture = grey           ? greyContent(40, 30)
                           : format.lossy ? smoothPicture(40, 30, layout)
                                          : testing::patternBitmap(23, 17, layout);
    const QString name = QStringLiteral("out.") + QLatin1String(format.extension);
    ASSERT_EQ(save(picture, name, c.format, c.bits), 0);

    QByteArray expected = rgbaOf(picture);
    const QByteArray file = fileBytes(path(name));
    if (c.format == fileformat::Raw) {
        QByteArray raw;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            raw.append(i % 4 < c.bits / 8 ? expected.mid(i, 1) : QByteArray());
        }
        EXPECT_EQ(file, raw);
        return;
    }
    if (c.format == fileformat::Bmp) {
        EXPECT_EQ(uchar(file.at(28)), c.bits);
    } else if (c.format == fileformat::Pcx) {
        EXPECT_EQ(uchar(file.at(3)) * uchar(file.at(65)), c.bits);
    }
    const testing::Decoded decoded = decodeWithImageMagick(path(name));
    ASSERT_EQ(decoded.width, picture.width());
    ASSERT_EQ(decoded.height, picture.height());
    if (*c.stored != '\0') {
        EXPECT_EQ(decoded.channels, QLatin1String(c.stored));
    }
    for (qsizetype i = 3; i < expected.size() && c.bits != 32; i += 4) {
        expected[i] = char(255);  // stored without alpha, read back opaque
    }
    if (c.expect == Expect::Exact) {
        EXPECT_EQ(decoded.rgba, expected);
    } else if (c.expect != Expect::BlackAndWhite) {
        EXPECT_GE(testing::psnrRgb(decoded.rgba, expected), c.expect == Expect::Grey ? 48.0 : 28.0);
    } else {
        double sum = 0.0;
        double expectedSum = 0.0;
        for (qsizetype i = 0; i < expected.size(); i += 4) {
            const int v = uchar(decoded.rgba[i]);
            ASSERT_TRUE(v == 0 || v == 255) << v;
            sum += v;
            expectedSum += uchar(expected[i]);
        }
        // Dithering keeps the picture's overall brightness.
        EXPECT_NEAR(sum / (40 * 30), expectedSum / (40 * 30), 6.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, EveryFormatAndDepth,
    ::testing::Values(FormatCase{"Jpeg24", fileformat::Jpeg, 24, "srgb", Expect::Close},
                      FormatCase{"Jpeg8", fileformat::Jpeg, 8, "gray", Expect::Close},
                      FormatCase{"Bmp32", fileformat::Bmp, 32, "srgba", Expect::Exact},
                      FormatCase{"Bmp24", fileformat::Bmp, 24, "srgb", Expect::Exact},
                      FormatCase{"Bmp8", fileformat::Bmp, 8, "", Expect::Close},
                      FormatCase{"Bmp4", fileformat::Bmp, 4, "", Expect::Close},
                      FormatCase{"Bmp1", fileformat::Bmp, 1, "", Expect::BlackAndWhite},
                      FormatCase{"Webp32", fileformat::Webp, 32, "srgba", Expect::Close},
                      FormatCase{"Webp24", fileformat::Webp, 24, "srgb", Expect::Close},
                      FormatCase{"Tiff32", fileformat::Tiff, 32, "srgba", Expect::Exact},
                      FormatCase{"Tiff24", fileformat::Tiff, 24, "srgb", Expect::Exact},
                      FormatCase{"Tiff8", fileformat::Tiff, 8, "gray", Expect::Grey},
                      FormatCase{"Png32", fileformat::Png, 32, "srgba", Expect::Exact},
                      FormatCase{"Png24", fileformat::Png, 24, "srgb", Expect::Exact},
                      FormatCase{"Png8", fileformat::Png, 8, "gray", Expect::Grey},
                      FormatCase{"Wmf24", fileformat::Wmf, 24, "", Expect::Exact},
                      FormatCase{"Pcx24", fileformat::Pcx, 24, "srgb", Expect::Exact},
                      FormatCase{"Pcx8", fileformat::Pcx, 8, "", Expect::Close},
                      FormatCase{"Raw32", fileformat::Raw, 32, "", Expect::Exact},
                      FormatCase{"Raw24", fileformat::Raw, 24, "", Expect::Exact},
                      FormatCase{"Raw8", fileformat::Raw, 8, "", Expect::Exact},
                      FormatCase{"Tga32", fileformat::Tga, 32, "srgba", Expect::Exact},
                      FormatCase{"Tga24", fileformat::Tga, 24, "srgb", Expect::Exact},
                      FormatCase{"Tga8", fileformat::Tga, 8, "gray", Expect::Grey}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Saving, HigherQualityFactorGivesSmallerFiles) {
    const Bitmap picture = testing::patternBitmap(64, 48, PixelLayout::Rgb);
    for (const short format : {fileformat::Jpeg, fileformat::Webp}) {
        qint64 previous = std::numeric_limits<qint64>::max();
        for (const short q : {2, 6, 10}) {
            const QString name = QStringLiteral("q%1-%2").arg(q).arg(format);
            ASSERT_EQ(save(picture, name, format, 24, q), 0);
            EXPECT_LT(QFileInfo(path(name)).size(), previous) << format << " qFactor " << q;
            previous = QFileInfo(path(name)).size();
        }
    }
}

struct Refusal {
    const char* name;
    short format;
    short bits;
    short qFactor;
    short expected;
};

void PrintTo(const Refusal& c, std::ostream* out) {
    *out << c.name;
}

class RefusedSave : public Saving, public ::testing::WithParamInterface<Refusal> {};

// A refused save returns its code and leaves an existing file as it was, with nothing beside it.
TEST_P(RefusedSave, LeavesTheExistingFileUntouched) {
    const Refusal& c = GetParam();
    const QByteArray before("an earlier picture, not to be lost");
    ASSERT_TRUE(writeFile(path("keep"), before));
    const int width = c.format == fileformat::Wmf ? 32768 : 8;
    EXPECT_EQ(save(testing::patternBitmap(width, 2, PixelLayout::Rgb), "keep", c.format, c.bits,
                   c.qFactor, true),
              c.expected);
    EXPECT_EQ(fileBytes(path("keep")), before);
    EXPECT_EQ(entries(), QStringList{"keep"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedSave,
    ::testing::Values(Refusal{"UnknownFormat", 2, 24, 2, 20009},
                      Refusal{"DepthNotOffered", fileformat::Bmp, 16, 2, 20027},
                      Refusal{"QFactorBelowTwo", fileformat::Jpeg, 24, 1, 20021},
                      Refusal{"QFactorAboveTen", fileformat::Webp, 24, 11, 20021},
                      Refusal{"TooWideForWmf", fileformat::Wmf, 24, 2, 20016},
                      Refusal{"AppendToNoTiff", fileformat::Tiff, 24, 2, 20009}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Saving, RefusesMissingPictureAndBadPathsAndReplacesWhole) {
    EXPECT_EQ(control.SaveImage(path("a.png"), fileformat::Png, 24, 2, false), 20002);
    const Bitmap picture = testing::patternBitmap(8, 6, PixelLayout::Rgb);
    EXPECT_EQ(save(picture, "", fileformat::Png, 24), 20008);
    EXPECT_EQ(control.SaveImage("/dev/null", fileformat::Png, 24, 2, false), 20008);
    EXPECT_EQ(control.SaveImage("/proc/quorvel.png", fileformat::Png, 24, 2, false), 20005);

    ASSERT_TRUE(writeFile(path("old.png"), QByteArray(100000, 'x')));
    // PNG holds one page; the quality factor means nothing to it.
    ASSERT_EQ(save(picture, "old.png", fileformat::Png, 24, 0, true), 0);
    EXPECT_EQ(decodeWithImageMagick(path("old.png")).rgba, rgbaOf(picture));
    EXPECT_EQ(entries(), QStringList{"old.png"});
}

TEST_F(Saving, MultiPageAppendsToATiffAndKeepsItsPages) {
    const Bitmap pages[] = {testing::patternBitmap(23, 17, PixelLayout::Rgb),
                            testing::patternBitmap(9, 31, PixelLayout::Rgba), greyContent(12, 5)};
    ASSERT_EQ(save(pages[0], "book.tif", fileformat::Tiff, 24), 0);
    const QByteArray original = fileBytes(path("book.tif"));
    ASSERT_EQ(save(pages[1], "book.tif", fileformat::Tiff, 32, 2, true), 0);
    ASSERT_EQ(save(pages[2], "book.tif", fileformat::Tiff, 8, 2, true), 0);

    // The first page stays byte for byte; only the link to the next page is new.
    const QByteArray book = fileBytes(path("book.tif"));
    int changed = 0;
    for (qsizetype i = 0; i < original.size(); ++i) {
        changed += book.at(i) != original.at(i) ? 1 : 0;
    }
    EXPECT_LE(changed, 4);
    for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(decodeWithImageMagick(path("book.tif"), page).rgba, rgbaOf(pages[page]));
    }
    EXPECT_EQ(decodeWithImageMagick(path("book.tif"), 3).width, 0);
}

TEST_F(Saving, MultiPageAppendsToABigTiffAndRefusesABigEndianOne) {
    const Bitmap picture = testing::patternBitmap(7, 5, PixelLayout::Rgb);
    ASSERT_EQ(save(picture, "src.png", fileformat::Png, 24), 0);
    runTool("vips", {"tiffsave", path("src.png"), path("big.tif"), "--bigtiff"});
    ASSERT_EQ(save(picture, "big.tif", fileformat::Tiff, 24, 2, true), 0);
    EXPECT_EQ(decodeWithImageMagick(path("big.tif"), 1).rgba, rgbaOf(picture));

    runTool("convert", {path("src.png"), "-define", "tiff:endian=msb", path("motorola.tif")});
    const QByteArray before = fileBytes(path("motorola.tif"));
    ASSERT_TRUE(before.startsWith("MM"));
    EXPECT_EQ(save(picture, "motorola.tif", fileformat::Tiff, 24, 2, true), 20016);
    EXPECT_EQ(fileBytes(path("motorola.tif")), before);
}

// EXIF with orientation 6 and a camera name: Make as ASCII after the directory, Orientation 6.
QByteArray exifTurnedByCamera() {
    return QByteArray(
        "Exif\0\0II*\0\x08\0\0\0\x02\0"
        "\x0f\x01\x02\0\x0b\0\0\0\x26\0\0\0"
        "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0"
        "\0\0\0\0QuorvelCam\0",
        55);
}

TEST_F(Saving, JpegKeepsExifAndProfileWithNormalOrientation) {
    ASSERT_EQ(
        save(testing::patternBitmap(16, 8, PixelLayout::Rgb), "plain.png", fileformat::Png, 24), 0);
    runTool("vips",
            {"icc_export", path("plain.png"), path("profiled.jpg"), "--output-profile", "srgb"});
    const Bitmap loaded = loadImageFile(path("profiled.jpg"), 0, 0);
    ASSERT_FALSE(loaded.metadata().icc.isEmpty());
    Metadata metadata = loaded.metadata();
    metadata.exif = exifTurnedByCamera();

    ASSERT_EQ(save(loaded.withMetadata(metadata), "kept.jpg", fileformat::Jpeg, 24), 0);
    EXPECT_EQ(
        runTool("identify", {"-format", "%[EXIF:Orientation] %[EXIF:Make]", path("kept.jpg")}),
        "1 QuorvelCam");
    runTool("convert", {path("kept.jpg"), path("kept.icc")});
    EXPECT_EQ(fileBytes(path("kept.icc")), metadata.icc);
}

}  // namespace
}  // namespace quorvel::imaging
