// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExternalFiles.h"
#include "FileFormats.h"
#include "FileSizeLimit.h"
#include "ImageControl.h"
#include "ImageFile.h"
#include "QImageConversion.h"
#include "QtPrinters.h"
#include "TestImages.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace quorvel::imaging {
namespace {

using testing::fileBytes;
using testing::toolOutput;

// One page as ImageMagick decodes it, in 8-bit RGBA; empty when there is no such page.
QByteArray decodedRgba(const QString& path, int page = 0) {
    return toolOutput("convert",
                      {QStringLiteral("%1[%2]").arg(path).arg(page), "-depth", "8", "rgba:-"});
}

QByteArray rgbaOf(const Bitmap& bitmap) {
    const QImage image = toQImage(bitmap).convertToFormat(QImage::Format_RGBA8888);
    QByteArray out;
    for (int y = 0; y < image.height(); ++y) {
        out.append(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
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

// EXIF from a camera that turned the picture (orientation 6), as little-endian TIFF fields: make,
// model and orientation, then the two strings.
const QByteArray kExifTurnedByCamera(
    "Exif\0\0II*\0\x08\0\0\0\x03\0"
    "\x0f\x01\x02\0\x0b\0\0\0\x32\0\0\0"
    "\x10\x01\x02\0\x0c\0\0\0\x3d\0\0\0"
    "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0"
    "\0\0\0\0QuorvelCam\0Quorvel One\0",
    79);
const QByteArray kXmpWithTitle(
    "<?xpacket begin=\"\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?><x:xmpmeta xmlns:x=\"adobe:ns:meta/\">"
    "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><rdf:Description "
    "rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title><rdf:Alt><rdf:li "
    "xml:lang=\"x-default\">Quorvel title</rdf:li></rdf:Alt></dc:title></rdf:Description>"
    "</rdf:RDF></x:xmpmeta><?xpacket end=\"w\"?>");
// Record version 4, then the object name.
const QByteArray kIptcWithName("\x1c\x02\x00\x00\x02\x00\x04\x1c\x02\x05\x00\x0cQuorvel name", 24);

// What a photo brings along: a camera's EXIF, XMP, IPTC and libvips' sRGB profile.
Metadata photoMetadata() {
    static const Metadata metadata = [] {
        QTemporaryDir folder;
        const QString plain = folder.filePath("plain.png");
        const QString profiled = folder.filePath("profiled.jpg");
        toQImage(gradient(PixelLayout::Rgb)).save(plain);
        toolOutput("vips", {"icc_export", plain, profiled, "--output-profile", "srgb"});
        return Metadata{kExifTurnedByCamera, loadImageFile(profiled, 0, 0).metadata().icc,
                        kXmpWithTitle, kIptcWithName};
    }();
    return metadata;
}

// One depth the save dialog offers for one format.
struct OfferedDepth {
    const FileFormat* format;
    Depth depth;

    int bits() const { return depth.bitsPerPixel; }
    bool alpha() const { return bits() == 32 || bits() == 64; }
    bool grey() const { return !depth.palette && (bits() == 8 || bits() == 16); }
    int channels() const { return alpha() ? 4 : grey() ? 1 : 3; }
    // Black and white keeps the tone of a grey picture.
    bool greySource() const { return grey() || bits() == 1; }
    bool carriesMetadata() const {
        const short code = format->code;
        return code == fileformat::Jpeg || code == fileformat::Png || code == fileformat::Tiff ||
               code == fileformat::Webp;
    }
    // Mean difference per channel value that storing may add.
    double tolerance() const {
        return format->lossy ? 2.0 : !depth.palette ? 0.0 : bits() >= 8 ? 6.0 : 24.0;
    }
};

void PrintTo(const OfferedDepth& c, std::ostream* out) {
    *out << c.format->name << ' ' << c.depth.label;
}

std::vector<OfferedDepth> everyOfferedDepth() {
    std::vector<OfferedDepth> all;
    for (const FileFormat& format : fileFormats()) {
        for (const Depth& depth : format.depths) {
            all.push_back({&format, depth});
        }
    }
    return all;
}

// The samples a RAW file holds for `rgba`, 8 or 16 bits little-endian each.
QByteArray rawSamples(const QByteArray& rgba, const OfferedDepth& c) {
    const int sampleBytes = c.bits() / c.channels() / 8;
    QByteArray raw;
    for (qsizetype i = 0; i < rgba.size(); i += 4) {
        for (int channel = 0; channel < c.channels(); ++channel) {
            raw += QByteArray(sampleBytes, rgba[i + channel]);
        }
    }
    return raw;
}

double meanOf(const QByteArray& rgba) {
    double sum = 0.0;
    for (qsizetype i = 0; i < rgba.size(); i += 4) {
        sum += uchar(rgba[i]);
    }
    return sum / double(rgba.size() / 4);
}

class EveryFormatAndDepth : public Saving, public ::testing::WithParamInterface<OfferedDepth> {};

// Written by us, read back by ImageMagick (WMF through libwmf) and exiftool; RAW byte for byte.
TEST_P(EveryFormatAndDepth, ReadsBackAsThePictureWithItsMetadata) {
    const OfferedDepth& c = GetParam();
    const Bitmap picture =
        gradient(c.alpha() ? PixelLayout::Rgba : PixelLayout::Rgb, c.greySource())
            .withMetadata(photoMetadata());
    const QString name = QLatin1String("out.") + c.format->extension;
    ASSERT_EQ(save(picture, name, c.format->code, c.bits()), 0);
    const QByteArray expected = rgbaOf(picture);

    if (c.format->code == fileformat::Raw) {
        EXPECT_EQ(fileBytes(path(name)), rawSamples(expected, c));
        return;
    }
    if (c.format->code == fileformat::Bmp) {
        EXPECT_EQ(uchar(fileBytes(path(name)).at(28)), c.bits()) << "header's depth";
    }
    if (!c.depth.palette && c.format->code != fileformat::Wmf) {
        EXPECT_EQ(toolOutput("identify", {"-format", "%[channels]", path(name)}),
                  c.alpha()  ? "srgba"
                  : c.grey() ? "gray"
                             : "srgb");
    }
    const QByteArray decoded = decodedRgba(path(name));
    ASSERT_EQ(decoded.size(), expected.size());
    if (c.bits() == 1) {
        // Dithered: black and white only, with the picture's overall tone.
        EXPECT_TRUE(std::all_of(decoded.begin(), decoded.end(),
                                [](char v) { return uchar(v) == 0 || uchar(v) == 255; }));
        EXPECT_NEAR(meanOf(decoded), meanOf(expected), 8.0);
    } else {
        const auto distance = [](char a, char b) { return std::abs(uchar(a) - uchar(b)); };
        const double difference = std::inner_product(
            decoded.begin(), decoded.end(), expected.begin(), 0.0, std::plus<>(), distance);
        EXPECT_LE(difference / double(decoded.size()), c.tolerance());
    }

    if (c.carriesMetadata()) {
        // The pixels were turned upright on loading, so the saved orientation is normal.
        EXPECT_EQ(
            toolOutput("exiftool", {"-f", "-s3", "-EXIF:Make", "-EXIF:Model", "-EXIF:Orientation#",
                                    "-XMP-dc:Title", "-IPTC:ObjectName", path(name)}),
            QByteArray("QuorvelCam\nQuorvel One\n1\nQuorvel title\n") +
                (c.format->code == fileformat::Webp ? "-\n" : "Quorvel name\n"));
        // An RGB profile does not describe grey pixels.
        EXPECT_EQ(toolOutput("exiftool", {"-b", "-ICC_Profile", path(name)}),
                  c.grey() || c.bits() == 1 ? QByteArray() : photoMetadata().icc);
    }
}

INSTANTIATE_TEST_SUITE_P(Offered, EveryFormatAndDepth, ::testing::ValuesIn(everyOfferedDepth()),
                         [](const auto& info) {
                             return std::string(info.param.format->name) + '_' +
                                    std::to_string(info.param.bits()) +
                                    (info.param.depth.palette ? "Palette" : "");
                         });

// IPTC as other programs write it (JPEG's Photoshop segment, TIFF's own tag) comes in whole.
TEST_F(Saving, LoadingTakesIptcAsOtherProgramsWriteIt) {
    for (const char* extension : {"jpg", "tif"}) {
        const QString file = path(QStringLiteral("other.%1").arg(extension));
        ASSERT_EQ(save(gradient(PixelLayout::Rgb), "plain.png", fileformat::Png, 24), 0);
        toolOutput("vips", {"copy", path("plain.png"), file});
        toolOutput("exiftool",
                   {"-q", "-overwrite_original", "-IPTC:ObjectName=Quorvel name", file});
        EXPECT_TRUE(loadImageFile(file, 0, 0)
                        .metadata()
                        .iptc.contains(QByteArray("\x1c\x02\x05\x00\x0cQuorvel name", 17)))
            << extension;
    }
}

// A write that fails midway, as on a full disk: the file it was to replace stays byte for byte and
// nothing is left beside it.
TEST_P(EveryFormatAndDepth, AWriteThatFailsMidwayLeavesTheFileItWouldReplace) {
    const OfferedDepth& c = GetParam();
    const Bitmap picture = gradient(c.alpha() ? PixelLayout::Rgba : PixelLayout::Rgb);
    const QString name = QLatin1String("out.") + c.format->extension;
    ASSERT_EQ(save(picture, name, c.format->code, c.bits()), 0);
    const qint64 size = QFileInfo(path(name)).size();
    ASSERT_TRUE(testing::writeFileBytes(path(name), "the picture saved before"));
    {
        const testing::FileSizeLimit limit(rlim_t(size / 2));
        EXPECT_EQ(save(picture, name, c.format->code, c.bits()), 20005);
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
    // The new page's EXIF directory moves with it.
    const Bitmap second =
        testing::patternBitmap(9, 31, PixelLayout::Rgba).withMetadata(photoMetadata());
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

}  // namespace
}  // namespace quorvel::imaging
