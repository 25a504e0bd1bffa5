#include "ErrorCodes.h"
#include "ImageFile.h"
#include "ImagingError.h"
#include "TestImages.h"

#include <QColorSpace>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <functional>
#include <ostream>
#include <stdexcept>

namespace quorvel::imaging {
namespace {

using quorvel::testing::pixelAt;

// A folder of files made by one test, gone when the test ends.
class Files {
public:
    Files() {
        if (!dir_.isValid()) {
            throw std::runtime_error("no temporary folder");
        }
    }

    QString folder() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            throw std::runtime_error("cannot write " + name.toStdString());
        }
        return file.fileName();
    }

    QString save(const QString& name, const QImage& image, int quality = -1) const {
        if (!image.save(path(name), nullptr, quality)) {
            throw std::runtime_error("Qt cannot save " + name.toStdString());
        }
        return path(name);
    }

    // ImageMagick's convert: `arguments` name the input, the output file comes last.
    QString convert(const QString& name, QStringList arguments) const {
        arguments << path(name);
        QProcess process;
        process.start(QStringLiteral("convert"), arguments);
        if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            throw std::runtime_error("convert failed: " +
                                     process.readAllStandardError().toStdString());
        }
        return path(name);
    }

    QByteArray read(const QString& name) const {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly)) {
            throw std::runtime_error("cannot read " + name.toStdString());
        }
        return file.readAll();
    }

private:
    QTemporaryDir dir_;
};

// The error number `work` throws, 0 when it succeeds.
int errorOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const ImagingError& error) {
        EXPECT_EQ(error.source(), kImageControlSource);
        return error.number();
    }
    return 0;
}

// Every pixel differs from its neighbours, with a varying alpha where the format has one.
QImage patternImage(int width, int height, QImage::Format format) {
    QImage image(width, height, format);
    if (format == QImage::Format_Indexed8) {
        image.setColorTable({qRgb(230, 20, 20), qRgb(20, 200, 40), qRgb(30, 40, 220),
                             qRgb(250, 250, 250), qRgb(0, 0, 0), qRgb(120, 90, 60)});
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (format == QImage::Format_Indexed8) {
                image.setPixel(x, y, uint((x + 2 * y) % 6));
            } else {
                image.setPixelColor(x, y,
                                    QColor((x * 37 + y * 11) % 256, (y * 53 + x * 5) % 256,
                                           ((x + y) * 29) % 256, (x * 60 + y * 20 + 15) % 256));
            }
        }
    }
    return image;
}

// Noise compresses badly, so a cut file really lacks pixel data.
QImage noiseImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    quint32 state = 12345;
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int i = 0; i < width * 3; ++i) {
            state = state * 1664525u + 1013904223u;
            row[i] = uchar(state >> 24);
        }
    }
    return image;
}

// Largest channel difference, alpha included (pixelAt reports 255 where there is none).
int largestDifference(const Bitmap& bitmap, const QImage& expected) {
    int largest = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QColor got = pixelAt(bitmap, x, y);
            const QColor want = expected.pixelColor(x, y);
            largest = std::max(
                {largest, std::abs(got.red() - want.red()), std::abs(got.green() - want.green()),
                 std::abs(got.blue() - want.blue()), std::abs(got.alpha() - want.alpha())});
        }
    }
    return largest;
}

bool near(const QColor& got, const QColor& want, int tolerance) {
    return std::abs(got.red() - want.red()) <= tolerance &&
           std::abs(got.green() - want.green()) <= tolerance &&
           std::abs(got.blue() - want.blue()) <= tolerance &&
           std::abs(got.alpha() - want.alpha()) <= tolerance;
}

void appendLittle16(QByteArray& bytes, quint16 value) {
    bytes.append(char(value & 0xff)).append(char(value >> 8));
}

void appendLittle32(QByteArray& bytes, quint32 value) {
    appendLittle16(bytes, quint16(value & 0xffff));
    appendLittle16(bytes, quint16(value >> 16));
}

void appendBig32(QByteArray& bytes, quint32 value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.append(char((value >> shift) & 0xff));
    }
}

// An EXIF block (as stored in a JPEG APP1 segment) holding only an orientation.
QByteArray exifWithOrientation(quint16 orientation) {
    QByteArray exif("Exif\0\0II*\0", 10);
    appendLittle32(exif, 8);  // first directory right after the header
    appendLittle16(exif, 1);
    appendLittle16(exif, 0x0112);
    appendLittle16(exif, 3);  // SHORT
    appendLittle32(exif, 1);
    appendLittle16(exif, orientation);
    appendLittle16(exif, 0);
    appendLittle32(exif, 0);  // no further directory
    return exif;
}

// Inserts an APP1 segment right after the start-of-image marker.
QByteArray withApp1(const QByteArray& jpeg, const QByteArray& payload) {
    QByteArray segment("\xff\xe1");
    segment.append(char((payload.size() + 2) >> 8)).append(char((payload.size() + 2) & 0xff));
    return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

QByteArray pngChunk(const QByteArray& type, const QByteArray& data) {
    QByteArray chunk;
    appendBig32(chunk, quint32(data.size()));
    chunk.append(type).append(data);
    appendBig32(chunk, crc32(type + data));
    return chunk;
}

// A valid PNG of a few hundred bytes whose header declares width x height RGB pixels.
QByteArray pngDeclaring(quint32 width, quint32 height) {
    QByteArray header;
    appendBig32(header, width);
    appendBig32(header, height);
    header.append("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
    const QByteArray zlibStream = qCompress(QByteArray(4096, '\0')).mid(4);
    return QByteArray("\x89PNG\r\n\x1a\n") + pngChunk("IHDR", header) +
           pngChunk("IDAT", zlibStream) + pngChunk("IEND", {});
}

QByteArray bmpDeclaring(qint32 width, qint32 height) {
    const QByteArray pixels(64, '\0');
    QByteArray bmp("BM");
    appendLittle32(bmp, 14 + 40 + quint32(pixels.size()));
    appendLittle32(bmp, 0);
    appendLittle32(bmp, 14 + 40);
    appendLittle32(bmp, 40);
    appendLittle32(bmp, quint32(width));
    appendLittle32(bmp, quint32(height));
    appendLittle16(bmp, 1);
    appendLittle16(bmp, 24);
    for (int i = 0; i < 6; ++i) {
        appendLittle32(bmp, 0);
    }
    return bmp + pixels;
}

// A GIF with a 1 x 1 screen and one frame placed and sized as given, holding one LZW-coded pixel.
QByteArray gifWithFrame(quint16 left, quint16 top, quint16 width, quint16 height) {
    QByteArray gif("GIF89a");
    appendLittle16(gif, 1);
    appendLittle16(gif, 1);
    gif.append("\x80\x00\x00\xff\xff\xff\x00\x00\x00", 9);  // two-entry global colour table
    gif.append(',');
    appendLittle16(gif, left);
    appendLittle16(gif, top);
    appendLittle16(gif, width);
    appendLittle16(gif, height);
    gif.append('\0');
    gif.append("\x02\x02\x44\x01\x00", 5);
    gif.append(';');
    return gif;
}

long peakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct FormatCase {
    const char* name;
    QImage::Format source;
    const char* file;
    bool viaConvert;  // written by Qt as PNG, then turned into `file` by ImageMagick
    PixelLayout layout;
    const char* format;
    bool lossy;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadsFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ReadsFormat, PixelsMatchWhatWasWritten) {
    const FormatCase& c = GetParam();
    Files files;
    const QImage source = patternImage(7, 5, c.source);
    const QString path = c.viaConvert ? files.convert(c.file, {files.save("source.png", source)})
                                      : files.save(c.file, source, c.lossy ? 95 : -1);

    const FileInfo info = queryFileInfo(path, 0);
    EXPECT_EQ(info.format.toStdString(), c.format);
    EXPECT_EQ(info.width, 7);
    EXPECT_EQ(info.height, 5);
    EXPECT_EQ(info.pageCount, 1);

    const Bitmap bitmap = loadImageFile(path, 0, 0);
    ASSERT_EQ(bitmap.width(), 7);
    ASSERT_EQ(bitmap.height(), 5);
    EXPECT_EQ(bitmap.layout(), c.layout);
    // A lossy file is compared with Qt's own decoding of it.
    const QImage expected = c.lossy ? QImage(path) : source;
    EXPECT_LE(largestDifference(bitmap, expected), c.lossy ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    ImageFile, ReadsFormat,
    ::testing::Values(
        FormatCase{"GreyPng", QImage::Format_Grayscale8, "p.png", false, PixelLayout::Grey, "png",
                   false},
        FormatCase{"RgbPng", QImage::Format_RGB888, "p.png", false, PixelLayout::Rgb, "png", false},
        FormatCase{"RgbaPng", QImage::Format_RGBA8888, "p.png", false, PixelLayout::Rgba, "png",
                   false},
        FormatCase{"PalettePng", QImage::Format_Indexed8, "p.png", false, PixelLayout::Rgb, "png",
                   false},
        FormatCase{"PaletteGif", QImage::Format_Indexed8, "p.gif", true, PixelLayout::Rgb, "gif",
                   false},
        FormatCase{"Jpeg", QImage::Format_RGB888, "p.jpg", false, PixelLayout::Rgb, "jpeg", true},
        FormatCase{"Tiff", QImage::Format_RGB888, "p.tif", true, PixelLayout::Rgb, "tiff", false},
        FormatCase{"Bmp", QImage::Format_RGB888, "p.bmp", false, PixelLayout::Rgb, "magick", false},
        FormatCase{"Pcx", QImage::Format_RGB888, "p.pcx", true, PixelLayout::Rgb, "magick", false},
        FormatCase{"Tga", QImage::Format_RGB888, "p.tga", true, PixelLayout::Rgb, "magick", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImageFile, SixteenBitSamplesKeepTheirHighByte) {
    Files files;
    // Each low byte is at least the high byte, so truncating and rounding agree on the result.
    constexpr std::array<quint16, 4> kSamples{0x1234, 0x80a0, 0xc8f0, 0x0540};
    QImage grey(4, 1, QImage::Format_Grayscale16);
    QImage rgb(4, 1, QImage::Format_RGBX64);
    for (int x = 0; x < 4; ++x) {
        reinterpret_cast<quint16*>(grey.scanLine(0))[x] = kSamples[x];
        rgb.setPixelColor(
            x, 0, QColor::fromRgba64(kSamples[x], kSamples[(x + 1) % 4], kSamples[(x + 2) % 4]));
    }
    const QString greyPath = files.save("grey16.png", grey);
    const QString rgbPath = files.save("rgb16.png", rgb);
    EXPECT_EQ(queryFileInfo(greyPath, 0).bitsPerPixel, 16);
    EXPECT_EQ(queryFileInfo(rgbPath, 0).bitsPerPixel, 48);

    const Bitmap greyBitmap = loadImageFile(greyPath, 0, 0);
    const Bitmap rgbBitmap = loadImageFile(rgbPath, 0, 0);
    ASSERT_EQ(greyBitmap.layout(), PixelLayout::Grey);
    ASSERT_EQ(rgbBitmap.layout(), PixelLayout::Rgb);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(greyBitmap.row(0)[x], kSamples[x] >> 8) << "x=" << x;
        EXPECT_EQ(pixelAt(rgbBitmap, x, 0),
                  QColor(kSamples[x] >> 8, kSamples[(x + 1) % 4] >> 8, kSamples[(x + 2) % 4] >> 8))
            << "x=" << x;
    }
}

class ScalesSixteenBitAlpha : public ::testing::TestWithParam<bool> {};

TEST_P(ScalesSixteenBitAlpha, WithOrWithoutAProfile) {
    Files files;
    QImage image(2, 1, QImage::Format_RGBA64);
    image.setPixelColor(0, 0, QColor::fromRgba64(0x8080, 0x4040, 0x2020, 0x80a0));
    image.setPixelColor(1, 0, QColor::fromRgba64(0xffff, 0xffff, 0xffff, 0x05ff));
    if (GetParam()) {
        image.setColorSpace(QColorSpace::DisplayP3);
    }
    const Bitmap bitmap = loadImageFile(files.save("rgba16.png", image), 0, 0);
    ASSERT_EQ(bitmap.layout(), PixelLayout::Rgba);
    EXPECT_EQ(pixelAt(bitmap, 0, 0).alpha(), 0x80);
    EXPECT_EQ(pixelAt(bitmap, 1, 0).alpha(), 0x05);
}

INSTANTIATE_TEST_SUITE_P(ImageFile, ScalesSixteenBitAlpha, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "DisplayP3" : "Untagged");
});

TEST(ImageFile, GreyWithAlphaBecomesRgbaOrGoesOnWhite) {
    Files files;
    const QString path =
        files.convert("grey-alpha.png", {"-size", "1x1", "xc:graya(102,1)", "xc:graya(30,0)",
                                         "+append", "-define", "png:color-type=4"});
    const Bitmap kept = loadImageFile(path, 0, 0);
    ASSERT_EQ(kept.layout(), PixelLayout::Rgba);
    EXPECT_EQ(pixelAt(kept, 0, 0), QColor(102, 102, 102, 255));
    EXPECT_EQ(pixelAt(kept, 1, 0), QColor(30, 30, 30, 0));

    const Bitmap grey = loadImageFile(path, 0, 8);
    ASSERT_EQ(grey.layout(), PixelLayout::Grey);
    EXPECT_EQ(grey.row(0)[0], 102);
    EXPECT_EQ(grey.row(0)[1], 255);
}

TEST(ImageFile, NamesThatLookLikeLoadOptionsAreStillFileNames) {
    Files files;
    const QString png = files.save("p.png", patternImage(3, 2, QImage::Format_RGB888));
    const Bitmap expected = loadImageFile(png, 0, 0);
    for (const char* name : {"shot[1]", "shot[page=1].png", "shot []", "sh'o\"t é.png"}) {
        const QString path = files.write(QString::fromUtf8(name), files.read("p.png"));
        EXPECT_EQ(queryFileInfo(path, 0).width, 3) << name;
        EXPECT_TRUE(samePixels(loadImageFile(path, 0, 0), expected)) << name;
    }
}

TEST(ImageFile, CmykJpegComesOutAsRgb) {
    Files files;
    const QString path =
        files.convert("cmyk.jpg", {"-size", "8x8", "xc:rgb(200,40,40)", "-colorspace", "CMYK"});
    EXPECT_EQ(queryFileInfo(path, 0).bitsPerPixel, 32);

    const Bitmap bitmap = loadImageFile(path, 0, 0);
    ASSERT_EQ(bitmap.layout(), PixelLayout::Rgb);
    const QColor centre = pixelAt(bitmap, 4, 4);
    // Without a profile the printing inks are guessed, so only the kind of colour is certain.
    EXPECT_GT(centre.red(), 120);
    EXPECT_GT(centre.red() - centre.green(), 60);
    EXPECT_GT(centre.red() - centre.blue(), 60);
}

TEST(ImageFile, EmbeddedProfileIsConvertedToSrgb) {
    Files files;
    QImage wide(3, 1, QImage::Format_RGB888);
    wide.setPixelColor(0, 0, QColor(40, 200, 60));
    wide.setPixelColor(1, 0, QColor(220, 60, 40));
    wide.setPixelColor(2, 0, QColor(120, 80, 200));
    wide.setColorSpace(QColorSpace::DisplayP3);
    const QString path = files.save("p3.png", wide);
    // Qt's colour management gives the expectation; it must differ from the stored numbers, or
    // the test could not tell a conversion from none.
    const QImage expected = wide.convertedToColorSpace(QColorSpace::SRgb);
    wide.setColorSpace(QColorSpace());
    ASSERT_GE(largestDifference(loadImageFile(files.save("plain.png", wide), 0, 0), expected), 8);

    const Bitmap bitmap = loadImageFile(path, 0, 0);
    EXPECT_LE(largestDifference(bitmap, expected), 2);
    // The profile kept is that of the converted pixels.
    EXPECT_EQ(bitmap.metadata().icc.mid(16, 4), QByteArray("RGB "));
    EXPECT_FALSE(QColorSpace::fromIccProfile(bitmap.metadata().icc).primaries() ==
                 QColorSpace::Primaries::DciP3D65);
}

TEST(ImageFile, MetadataTravelsWithThePicture) {
    Files files;
    files.save("plain.jpg", patternImage(8, 8, QImage::Format_RGB888), 90);
    const QByteArray exif = exifWithOrientation(1);
    const QByteArray packet("<x:xmpmeta xmlns:x='adobe:ns:meta/'>quorvel test</x:xmpmeta>");
    const QByteArray xmp = QByteArray("http://ns.adobe.com/xap/1.0/", 29) + packet;
    const QString path =
        files.write("tagged.jpg", withApp1(withApp1(files.read("plain.jpg"), xmp), exif));

    const Bitmap bitmap = loadImageFile(path, 0, 0);
    EXPECT_EQ(bitmap.metadata().exif, exif);
    EXPECT_TRUE(bitmap.metadata().xmp.contains(packet));
    EXPECT_TRUE(bitmap.metadata().icc.isEmpty());
}

struct OrientationCase {
    quint16 orientation;
    // Colours seen at the top-left, top-right, bottom-left and bottom-right corners.
    std::array<QRgb, 4> corners;
};

void PrintTo(const OrientationCase& c, std::ostream* out) {
    *out << "orientation " << c.orientation;
}

constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kGreen = 0xff00ff00;
constexpr QRgb kBlue = 0xff0000ff;
constexpr QRgb kWhite = 0xffffffff;

class AppliesOrientation : public ::testing::TestWithParam<OrientationCase> {};

TEST_P(AppliesOrientation, CornersLandWhereTheTagSays) {
    const OrientationCase& c = GetParam();
    Files files;
    // Stored as red, green over blue, white; wide, so that turns show in the size.
    QImage stored(32, 16, QImage::Format_RGB888);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool right = x >= 16;
            const bool bottom = y >= 8;
            stored.setPixel(x, y, bottom ? (right ? kWhite : kBlue) : (right ? kGreen : kRed));
        }
    }
    files.save("plain.jpg", stored, 95);
    const QString path = files.write(
        "turned.jpg", withApp1(files.read("plain.jpg"), exifWithOrientation(c.orientation)));

    const FileInfo info = queryFileInfo(path, 0);
    EXPECT_EQ(info.width, 32);
    EXPECT_EQ(info.height, 16);

    const Bitmap bitmap = loadImageFile(path, 0, 0);
    const bool quarterTurn = c.orientation >= 5;
    ASSERT_EQ(bitmap.width(), quarterTurn ? 16 : 32);
    ASSERT_EQ(bitmap.height(), quarterTurn ? 32 : 16);
    const int right = bitmap.width() - 1;
    const int bottom = bitmap.height() - 1;
    EXPECT_TRUE(near(pixelAt(bitmap, 0, 0), QColor(c.corners[0]), 40));
    EXPECT_TRUE(near(pixelAt(bitmap, right, 0), QColor(c.corners[1]), 40));
    EXPECT_TRUE(near(pixelAt(bitmap, 0, bottom), QColor(c.corners[2]), 40));
    EXPECT_TRUE(near(pixelAt(bitmap, right, bottom), QColor(c.corners[3]), 40));
    // Upright now, and the EXIF kept says so.
    EXPECT_EQ(bitmap.metadata().exif, exifWithOrientation(1));
}

INSTANTIATE_TEST_SUITE_P(ImageFile, AppliesOrientation,
                         ::testing::Values(OrientationCase{1, {kRed, kGreen, kBlue, kWhite}},
                                           OrientationCase{2, {kGreen, kRed, kWhite, kBlue}},
                                           OrientationCase{3, {kWhite, kBlue, kGreen, kRed}},
                                           OrientationCase{4, {kBlue, kWhite, kRed, kGreen}},
                                           OrientationCase{5, {kRed, kBlue, kGreen, kWhite}},
                                           OrientationCase{6, {kBlue, kRed, kWhite, kGreen}},
                                           OrientationCase{7, {kWhite, kGreen, kBlue, kRed}},
                                           OrientationCase{8, {kGreen, kWhite, kRed, kBlue}}),
                         [](const auto& info) {
                             return "Orientation" + std::to_string(info.param.orientation);
                         });

class ReadsPages : public ::testing::TestWithParam<const char*> {};

TEST_P(ReadsPages, FirstPageByDefaultOthersOnRequest) {
    Files files;
    const QString path =
        files.convert(GetParam(), {"-size", "4x3", "xc:rgb(255,0,0)", "xc:rgb(0,0,255)"});

    EXPECT_EQ(queryFileInfo(path, 0).pageCount, 2);
    EXPECT_EQ(queryFileInfo(path, 1).pageCount, 2);
    EXPECT_TRUE(near(pixelAt(loadImageFile(path, 0, 24), 1, 1), QColor(255, 0, 0), 0));
    EXPECT_TRUE(near(pixelAt(loadImageFile(path, 1, 24), 1, 1), QColor(0, 0, 255), 0));
    EXPECT_EQ(errorOf([&] { queryFileInfo(path, 2); }), errc::InvalidParameter);
    EXPECT_EQ(errorOf([&] { loadImageFile(path, 2, 0); }), errc::InvalidParameter);
    EXPECT_EQ(errorOf([&] { loadImageFile(path, -1, 0); }), errc::InvalidParameter);
}

INSTANTIATE_TEST_SUITE_P(ImageFile, ReadsPages, ::testing::Values("pages.tif", "pages.gif"),
                         [](const auto& info) {
                             return QString::fromLatin1(info.param).section('.', -1).toStdString();
                         });

struct BadFileCase {
    const char* name;
    std::function<QString(const Files&)> make;
    int error;
};

void PrintTo(const BadFileCase& c, std::ostream* out) {
    *out << c.name;
}

class RefusesBadFile : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(RefusesBadFile, QueryAndLoadGiveTheSameError) {
    const BadFileCase& c = GetParam();
    Files files;
    const QString path = c.make(files);
    EXPECT_EQ(errorOf([&] { queryFileInfo(path, 0); }), c.error);
    EXPECT_EQ(errorOf([&] { loadImageFile(path, 0, 0); }), c.error);
}

INSTANTIATE_TEST_SUITE_P(
    ImageFile, RefusesBadFile,
    ::testing::Values(
        BadFileCase{"EmptyPath", [](const Files&) { return QString(); }, errc::InvalidFileName},
        BadFileCase{"MissingFile", [](const Files& f) { return f.path("absent.png"); },
                    errc::FileNotFound},
        BadFileCase{"Folder", [](const Files& f) { return f.folder(); }, errc::CannotOpenFile},
        BadFileCase{"EmptyFile", [](const Files& f) { return f.write("empty.png", {}); },
                    errc::InvalidFileFormat},
        BadFileCase{"TextNamedJpeg",
                    [](const Files& f) {
                        return f.write("note.jpg", "Not a picture at all, just a few words.\n");
                    },
                    errc::InvalidFileFormat},
        BadFileCase{"PngCutInItsHeader",
                    [](const Files& f) { return f.write("cut.png", pngDeclaring(4, 4).left(20)); },
                    errc::InvalidFileFormat}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImageFile, FileIsReadByItsContentNotItsName) {
    Files files;
    const QString jpeg = files.save("photo.jpg", patternImage(6, 4, QImage::Format_RGB888), 90);
    const QString misnamed = files.write("photo.png", files.read("photo.jpg"));
    EXPECT_EQ(queryFileInfo(misnamed, 0).format.toStdString(), "jpeg");
    EXPECT_TRUE(samePixels(loadImageFile(misnamed, 0, 0), loadImageFile(jpeg, 0, 0)));
}

struct TruncatedCase {
    const char* name;
    const char* file;
};

void PrintTo(const TruncatedCase& c, std::ostream* out) {
    *out << c.file;
}

class RefusesTruncatedData : public ::testing::TestWithParam<TruncatedCase> {};

TEST_P(RefusesTruncatedData, HeaderReadsButPixelsDoNot) {
    Files files;
    const QString whole = files.save(GetParam().file, noiseImage(64, 64), 90);
    const QByteArray bytes = files.read(GetParam().file);
    const QString cut =
        files.write(QStringLiteral("cut-") + GetParam().file, bytes.left(bytes.size() * 6 / 10));

    ASSERT_NO_THROW(loadImageFile(whole, 0, 0));
    const FileInfo info = queryFileInfo(cut, 0);  // the header alone does not notice
    EXPECT_EQ(info.width, 64);
    EXPECT_EQ(errorOf([&] { loadImageFile(cut, 0, 0); }), errc::ReadFailed);
}

INSTANTIATE_TEST_SUITE_P(ImageFile, RefusesTruncatedData,
                         ::testing::Values(TruncatedCase{"Jpeg", "noise.jpg"},
                                           TruncatedCase{"Png", "noise.png"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct HugeCase {
    const char* name;
    const char* file;
    QByteArray bytes;
};

void PrintTo(const HugeCase& c, std::ostream* out) {
    *out << c.file;
}

class RefusesHugeDeclaredSize : public ::testing::TestWithParam<HugeCase> {};

TEST_P(RefusesHugeDeclaredSize, QuicklyAndWithinBoundedMemory) {
    Files files;
    const QString path = files.write(GetParam().file, GetParam().bytes);
    const long peakBefore = peakResidentKb();
    QElapsedTimer timer;
    timer.start();

    const int error = errorOf([&] { loadImageFile(path, 0, 0); });

    // libpng hands the declared size to the budget check; ImageMagick's resource policy may
    // refuse the file itself first.
    EXPECT_TRUE(error == errc::NoMemory || error == errc::InvalidFileFormat) << error;
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_LT(peakResidentKb() - peakBefore, 64 * 1024);
}

INSTANTIATE_TEST_SUITE_P(
    ImageFile, RefusesHugeDeclaredSize,
    ::testing::Values(HugeCase{"Png", "huge.png", pngDeclaring(100000, 100000)},
                      HugeCase{"Bmp", "huge.bmp", bmpDeclaring(100000, 100000)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImageFile, HugeDeclaredSizeIsReportedWithoutDecoding) {
    Files files;
    const FileInfo info = queryFileInfo(files.write("huge.png", pngDeclaring(100000, 100000)), 0);
    EXPECT_EQ(info.width, 100000);
    EXPECT_EQ(info.height, 100000);
    EXPECT_EQ(info.bitsPerPixel, 24);
}

class SurvivesStrayGifFrame : public ::testing::TestWithParam<std::array<quint16, 4>> {};

TEST_P(SurvivesStrayGifFrame, CleanResultOrCleanError) {
    const auto [left, top, width, height] = GetParam();
    Files files;
    const QString path = files.write("stray.gif", gifWithFrame(left, top, width, height));
    Bitmap bitmap;
    const int error = errorOf([&] { bitmap = loadImageFile(path, 0, 0); });
    if (error == 0) {
        const FileInfo info = queryFileInfo(path, 0);
        EXPECT_EQ(bitmap.width(), info.width);
        EXPECT_EQ(bitmap.height(), info.height);
    } else {
        EXPECT_TRUE(error == errc::ReadFailed || error == errc::InvalidFileFormat ||
                    error == errc::NoMemory)
            << error;
    }
}

INSTANTIATE_TEST_SUITE_P(ImageFile, SurvivesStrayGifFrame,
                         ::testing::Values(std::array<quint16, 4>{60000, 60000, 1, 1},
                                           std::array<quint16, 4>{0, 0, 65535, 65535},
                                           std::array<quint16, 4>{65535, 0, 65535, 1}),
                         [](const auto& info) { return "Frame" + std::to_string(info.index); });

struct ConversionCase {
    const char* name;
    QImage::Format source;
    int bitsPerPixel;
    PixelLayout layout;
    std::array<QRgb, 3> expected;  // what pixels 0..2 become
};

void PrintTo(const ConversionCase& c, std::ostream* out) {
    *out << c.name;
}

class ConvertsOnRequest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConvertsOnRequest, ToTheAskedLayout) {
    const ConversionCase& c = GetParam();
    Files files;
    // Neutral grey, opaque red, and a fully transparent green.
    QImage source(3, 1, c.source);
    const bool grey = c.source == QImage::Format_Grayscale8;
    source.setPixelColor(0, 0, QColor(100, 100, 100));
    source.setPixelColor(1, 0, grey ? QColor(200, 200, 200) : QColor(255, 0, 0));
    source.setPixelColor(2, 0, grey ? QColor(30, 30, 30) : QColor(10, 200, 30, 0));
    const Bitmap bitmap = loadImageFile(files.save("source.png", source), 0, c.bitsPerPixel);

    ASSERT_EQ(bitmap.layout(), c.layout);
    for (int x = 0; x < 3; ++x) {
        const QColor want = QColor::fromRgba(c.expected[x]);
        EXPECT_TRUE(near(pixelAt(bitmap, x, 0), want, 1))
            << "x=" << x << " got " << pixelAt(bitmap, x, 0).name(QColor::HexArgb).toStdString();
    }
}

constexpr std::array<QRgb, 3> kGreys{0xff646464, 0xffc8c8c8, 0xff1e1e1e};
constexpr std::array<QRgb, 3> kColours{0xff646464, 0xffff0000, 0x000ac81e};
constexpr std::array<QRgb, 3> kColoursOnWhite{0xff646464, 0xffff0000, 0xffffffff};
constexpr std::array<QRgb, 3> kColoursOpaque{0xff646464, 0xffff0000, 0xff0ac81e};

INSTANTIATE_TEST_SUITE_P(
    ImageFile, ConvertsOnRequest,
    ::testing::Values(
        ConversionCase{"GreyKept", QImage::Format_Grayscale8, 0, PixelLayout::Grey, kGreys},
        ConversionCase{"GreyToRgb", QImage::Format_Grayscale8, 24, PixelLayout::Rgb, kGreys},
        ConversionCase{"GreyToRgba", QImage::Format_Grayscale8, 32, PixelLayout::Rgba, kGreys},
        ConversionCase{"RgbaKept", QImage::Format_RGBA8888, 0, PixelLayout::Rgba, kColours},
        ConversionCase{"RgbaOnWhite", QImage::Format_RGBA8888, 24, PixelLayout::Rgb,
                       kColoursOnWhite},
        ConversionCase{"RgbToRgba", QImage::Format_RGB888, 32, PixelLayout::Rgba, kColoursOpaque}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImageFile, GreyFromColourFollowsBrightness) {
    Files files;
    QImage source(4, 1, QImage::Format_RGBA8888);
    source.setPixelColor(0, 0, QColor(100, 100, 100));
    source.setPixelColor(1, 0, QColor(0, 255, 0));
    source.setPixelColor(2, 0, QColor(0, 0, 255));
    source.setPixelColor(3, 0, QColor(0, 0, 0, 0));
    const Bitmap bitmap = loadImageFile(files.save("colour.png", source), 0, 8);
    ASSERT_EQ(bitmap.layout(), PixelLayout::Grey);
    const std::uint8_t* row = bitmap.row(0);
    EXPECT_NEAR(row[0], 100, 1);
    EXPECT_GT(row[1], row[2]);  // green looks far brighter than blue
    EXPECT_EQ(row[3], 255);     // transparent means the white behind it
}

TEST(ImageFile, OnlyKnownBitsPerPixelAreAccepted) {
    Files files;
    const QString path = files.save("p.png", patternImage(2, 2, QImage::Format_RGB888));
    for (const int bits : {1, 4, 16, 48, 64, -8}) {
        EXPECT_EQ(errorOf([&] { loadImageFile(path, 0, bits); }), errc::InvalidBitsPerPixel)
            << bits;
    }
}

}  // namespace
}  // namespace quorvel::imaging
