// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "ErrorCodes.h"
#include "ExternalFiles.h"
#include "ImageFile.h"
#include "QImageConversion.h"
#include "TestImages.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <ostream>
#include <vector>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;

using namespace errc;
using quorvel::testing::errorOf;
using quorvel::testing::exifWithOrientation;
using quorvel::testing::pixelAt;

// Every pixel differs from its neighbours, and so does alpha where the format keeps it. The
// 16-bit samples have low bytes unlike their high bytes.
QImage patternImage(int width, int height, QImage::Format format) {
    QImage image(width, height, QImage::Format_RGBA64);
    for (qsizetype i = 0; i < image.sizeInBytes() / 2; ++i) {
        reinterpret_cast<quint16*>(image.bits())[i] = quint16(i * 7919);
    }
    return image.convertToFormat(format);
}

quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xffffffffu;
    for (qsizetype bit = 0; bit < bytes.size() * 8; ++bit) {
        crc ^= bit % 8 ? 0u : quint8(bytes[bit / 8]);
        crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngChunk(const char* type, const QByteArray& data) {
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), chunk.data());
    chunk += QByteArray(type) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(crc32(chunk.mid(4)), crc.data());
    return chunk + crc;
}

QByteArray pngHeader(quint32 width, quint32 height) {
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(width, header.data());
    qToBigEndian<quint32>(height, header.data() + 4);
    header[8] = 8;  // bits per sample
    header[9] = 2;  // RGB
    return QByteArray("\x89PNG\r\n\x1a\n") + pngChunk("IHDR", header);
}

// Each test makes its files in a folder of its own, gone when the test ends.
class ImageFile : public ::testing::Test {
public:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }
    // These return the file's path, or no path when the file could not be made.
    QString write(const QString& name, const QByteArray& bytes) const {
        return testing::writeFileBytes(path(name), bytes) ? path(name) : QString();
    }
    QString save(const QString& name, const QImage& image) const {
        return image.save(path(name)) ? path(name) : QString();
    }
    // ImageMagick's convert makes the picture `arguments` describe into the file `name`.
    QString convert(const QString& name, const QStringList& arguments) const {
        return QProcess::execute("convert", arguments + QStringList{path(name)}) == 0 ? path(name)
                                                                                      : QString();
    }
};

// Runs `work`, expecting it to end within `limit` and to grow the process by under 64 MB.
void expectCheap(const std::function<void()>& work, std::chrono::seconds limit) {
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    work();
    EXPECT_LT(std::chrono::steady_clock::now() - start, limit);
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024);  // kilobytes
}

// Largest channel difference, alpha included; 255 when the sizes differ.
int largestDifference(const Bitmap& bitmap, const QImage& expected) {
    const QImage got = toQImage(bitmap).convertToFormat(QImage::Format_RGBA8888);
    const QImage want = expected.convertToFormat(QImage::Format_RGBA8888);
    int largest = got.size() == want.size() ? 0 : 255;
    for (qsizetype i = 0; largest < 255 && i < got.sizeInBytes(); ++i) {
        largest = std::max(largest, std::abs(got.constBits()[i] - want.constBits()[i]));
    }
    return largest;
}

struct BadFileCase {
    const char* name;
    std::function<QString(const ImageFile&)> make;
    int error;  // queryFileInfo gives it too, unless only decoding can notice (20001)
};

// A missing file and an empty name are the window's load tests'.
const BadFileCase kBadFiles[] = {
    {"Folder", [](auto& f) { return f.dir.path(); }, CannotOpenFile},
    {"EmptyFile", [](auto& f) { return f.write("e.png", {}); }, InvalidFileFormat},
    {"TextNamedJpeg", [](auto& f) { return f.write("t.jpg", "Only words.\n"); }, InvalidFileFormat},
    {"HugePng",  // a 1 x 1 PNG whose header claims 100000 x 100000 pixels
     [](auto& f) {
         const QByteArray small =
             testing::fileBytes(f.save("s.png", QImage(1, 1, QImage::Format_RGB888)));
         return f.write("h.png", pngHeader(100000, 100000) + small.mid(33));  // after its IHDR
     },
     NoMemory},
    // A frame far outside its 1 x 1 screen: libvips widens the screen to hold it.
    {"GifFrameFarOffScreen",
     [](auto& f) {
         return f.convert("s.gif", {"xc:", "-page", "+60000+60000"});
     },
     NoMemory},
};

class EndsCleanly : public ImageFile, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(EndsCleanly, QuicklyAndWithinBoundedMemory) {
    const QString path = GetParam().make(*this);
    const int error = GetParam().error;
    expectCheap(
        [&] {
            EXPECT_EQ(errorOf([&] { queryFileInfo(path, 0); }), error == NoMemory ? 0 : error);
            EXPECT_EQ(errorOf([&] { loadImageFile(path, 0, 0); }), error);
        },
        std::chrono::seconds(2));
}

INSTANTIATE_TEST_SUITE_P(ImageFile, EndsCleanly, ::testing::ValuesIn(kBadFiles),
                         ::testing::PrintToStringParamName());

// An uncompressed RGB TIFF with its directory before the pixels, in strips of 16 rows, as
// cameras and scanners write them: a cut leaves the header whole and loses pixel data.
QByteArray tiffWithDirectoryFirst(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const quint32 rowBytes = quint32(rgb.width()) * 3;
    const quint32 strips = quint32(rgb.height() + 15) / 16;
    constexpr quint16 kEntries = 10;
    const quint32 bitsAt = 8 + 2 + kEntries * 12 + 4;
    const quint32 offsetsAt = bitsAt + 6;
    const quint32 countsAt = offsetsAt + 4 * strips;
    const quint32 pixelsAt = countsAt + 4 * strips;
    QByteArray bytes(qsizetype(pixelsAt), '\0');
    auto* out = reinterpret_cast<uchar*>(bytes.data());
    memcpy(out, "II*\0", 4);
    qToLittleEndian<quint32>(8, out + 4);
    qToLittleEndian<quint16>(kEntries, out + 8);
    // Tag, type, value; the bits per sample and the strips' offsets and lengths are arrays.
    const quint32 entries[kEntries][3] = {{256, 4, quint32(rgb.width())},
                                          {257, 4, quint32(rgb.height())},
                                          {258, 3, bitsAt},
                                          {259, 3, 1},
                                          {262, 3, 2},
                                          {273, 4, offsetsAt},
                                          {277, 3, 3},
                                          {278, 4, 16},
                                          {279, 4, countsAt},
                                          {284, 3, 1}};
    for (int i = 0; i < kEntries; ++i) {
        const auto [tag, type, value] = entries[i];
        const quint32 count = tag == 258 ? 3 : tag == 273 || tag == 279 ? strips : 1;
        uchar* entry = out + 10 + 12 * i;
        qToLittleEndian<quint16>(quint16(tag), entry);
        qToLittleEndian<quint16>(quint16(type), entry + 2);
        qToLittleEndian<quint32>(count, entry + 4);
        if (type == 3 && count == 1) {
            qToLittleEndian<quint16>(quint16(value), entry + 8);
        } else {
            qToLittleEndian<quint32>(value, entry + 8);
        }
    }
    for (int i = 0; i < 3; ++i) {
        qToLittleEndian<quint16>(8, out + bitsAt + 2 * i);
    }
    for (quint32 strip = 0; strip < strips; ++strip) {
        const quint32 rows = std::min<quint32>(16, quint32(rgb.height()) - 16 * strip);
        qToLittleEndian<quint32>(pixelsAt + strip * 16 * rowBytes, out + offsetsAt + 4 * strip);
        qToLittleEndian<quint32>(rows * rowBytes, out + countsAt + 4 * strip);
    }
    for (int y = 0; y < rgb.height(); ++y) {
        bytes.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), qsizetype(rowBytes));
    }
    return bytes;
}

// A damaged file gets the same verdict however the decoder's threads happen to run.
TEST_F(ImageFile, TruncatedFilesAreRefusedEveryTime) {
    const QString png =
        convert("noise.png", {"-size", "512x384", "xc:", "+noise", "Random", "-depth", "8"});
    const QString jpeg = convert("noise.jpg", {png});
    const QString tiff = write("noise.tif", tiffWithDirectoryFirst(QImage(png)));
    EXPECT_TRUE(samePixels(loadImageFile(tiff, 0, 0), loadImageFile(png, 0, 0)));
    for (const QString& file : {jpeg, png, tiff}) {
        const QByteArray whole = testing::fileBytes(file);
        ASSERT_GT(whole.size(), 100000) << file.toStdString();
        // Cut in the middle of the pixel data, and just before the end of it.
        for (const qsizetype kept : {whole.size() / 2, whole.size() * 9 / 10}) {
            const QString cut = write(QString("cut-%1").arg(kept), whole.left(kept));
            int refused = 0;
            for (int run = 0; run < 20; ++run) {
                refused += errorOf([&] { loadImageFile(cut, 0, 0); }) == ReadFailed;
            }
            EXPECT_EQ(refused, 20) << file.toStdString() << " cut to " << kept << " bytes";
        }
    }
}

// Files of a few hundred bytes that claim a picture of 15811 x 15811 pixels, within the pixel
// budget, and end in an error: each is named after its fault.
constexpr quint16 kClaimedSide = 15811;

// Cut `keptData` bytes into the first scan's data, or whole when negative.
QByteArray jpegClaimingHugeSize(bool progressive, qsizetype keptData) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.setOptimizedWrite(true);  // small Huffman tables
    writer.write(patternImage(16, 16, QImage::Format_RGB888));
    QByteArray bytes = buffer.data();
    const qsizetype frame = bytes.indexOf(progressive ? "\xff\xc2" : "\xff\xc0");
    const qsizetype scan = bytes.indexOf("\xff\xda");
    if (frame < 0 || scan < 0) {
        return {};
    }
    qToBigEndian<quint16>(kClaimedSide, bytes.data() + frame + 5);
    qToBigEndian<quint16>(kClaimedSide, bytes.data() + frame + 7);
    const qsizetype data = scan + 2 + qFromBigEndian<quint16>(bytes.constData() + scan + 2);
    return keptData < 0 ? bytes : bytes.left(data + keptData);
}

// A frame of the huge size in two colours, with `data` as its LZW data and no terminator.
QByteArray hugeGifFrame(const QByteArray& data) {
    QByteArray frame("\x2c\0\0\0\0", 5);
    frame += QByteArray(4, '\0');
    qToLittleEndian<quint16>(kClaimedSide, frame.data() + 5);
    qToLittleEndian<quint16>(kClaimedSide, frame.data() + 7);
    frame += QByteArray("\0\x02", 2);  // no colour table of its own; 2-bit LZW codes
    return frame + char(data.size()) + data;
}

// An animated GIF whose screen claims the huge size, then `frames`.
QByteArray gifClaimingHugeSize(const QByteArray& frames) {
    QByteArray bytes("GIF89a\0\0\0\0\x80\0\0\0\0\0\xff\xff\xff", 19);
    qToLittleEndian<quint16>(kClaimedSide, bytes.data() + 6);
    qToLittleEndian<quint16>(kClaimedSide, bytes.data() + 8);
    bytes += QByteArray("\x21\xff\x0bNETSCAPE2.0\x03\x01\0\0\0", 19);  // loops forever
    return bytes + frames;
}

struct HostileCase {
    const char* name;
    std::function<QByteArray()> bytes;
};

const HostileCase kHostileFiles[] = {
    {"ProgressiveJpegCutShort", [] { return jpegClaimingHugeSize(true, 20); }},
    {"BaselineJpegCutShort", [] { return jpegClaimingHugeSize(false, 20); }},
    {"ProgressiveJpegWithTooLittleData",
     [] { return jpegClaimingHugeSize(true, 20) + "\xff\xd9"; }},
    {"JpegWithoutEndMarker",
     [] {
         const QByteArray whole = jpegClaimingHugeSize(false, -1);
         return whole.left(whole.size() - 2);
     }},
    {"AnimatedGifCutShort",
     [] {
         const QByteArray first = hugeGifFrame("\x84\x8f\xa9\xcb") + '\0';
         return gifClaimingHugeSize(first + hugeGifFrame("\x84\x8f\xa9\xcb").chopped(2));
     }},
    {"AnimatedGifWithTooLittleData",
     [] {
         const QByteArray frame = hugeGifFrame("\x84\x8f\xa9\xcb") + '\0';
         return gifClaimingHugeSize(frame + frame + ';');
     }},
    {"PngTextChunkClaiming2GB",
     [] {
         const QByteArray bytes = pngHeader(1, 1) + QByteArray("\x7f\xff\xff\xf0tEXtab", 10);
         return bytes + QByteArray(44 - bytes.size(), 'x');  // 44 bytes in all
     }},
    {"TiffStripPastTheEnd",
     [] {
         // One strip of the whole huge picture, its 750 MB declared but not there.
         QByteArray bytes = tiffWithDirectoryFirst(patternImage(16, 16, QImage::Format_RGB888));
         auto* entries = reinterpret_cast<uchar*>(bytes.data()) + 10;
         qToLittleEndian<quint32>(kClaimedSide, entries + 8);           // width
         qToLittleEndian<quint32>(kClaimedSide, entries + 12 + 8);      // height
         qToLittleEndian<quint32>(kClaimedSide, entries + 7 * 12 + 8);  // rows per strip
         // A single strip's offset and length are held in the directory entries themselves.
         qToLittleEndian<quint32>(quint32(bytes.size() - 16 * 16 * 3), entries + 5 * 12 + 8);
         qToLittleEndian<quint32>(quint32(kClaimedSide) * kClaimedSide * 3, entries + 8 * 12 + 8);
         return bytes;
     }},
    {"PngWithTooLittleImageData",
     [] {
         return pngHeader(kClaimedSide, kClaimedSide) + pngChunk("IDAT", "\x78\x9c\x63\0\0") +
                pngChunk("IEND", {});
     }},
};

class RefusesHostileFile : public ImageFile, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(RefusesHostileFile, WithinASecondAndWithoutTheMemoryItClaims) {
    const QByteArray bytes = GetParam().bytes();
    ASSERT_FALSE(bytes.isEmpty());
    const QString file = write("hostile", bytes);
    expectCheap(
        [&] {
            errorOf([&] { queryFileInfo(file, 0); });
            EXPECT_EQ(errorOf([&] { loadImageFile(file, 0, 0); }), ReadFailed);
            EXPECT_EQ(errorOf([&] { loadImageData(bytes, 0, 0); }), ReadFailed);
        },
        std::chrono::seconds(1));
}

INSTANTIATE_TEST_SUITE_P(ImageFile, RefusesHostileFile, ::testing::ValuesIn(kHostileFiles),
                         ::testing::PrintToStringParamName());

// What the checks above refuse for lack of bytes, these have: one colour compresses far.
TEST_F(ImageFile, LargePicturesInSmallFilesStillLoad) {
    QImage plain(3000, 2000, QImage::Format_RGB888);
    plain.fill(QColor(40, 90, 160));
    QBuffer progressive;
    progressive.open(QIODevice::WriteOnly);
    QImageWriter writer(&progressive, "jpeg");
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(plain));
    const QString files[] = {write("plain.jpg", progressive.data()), save("plain.png", plain),
                             convert("plain.gif", {"-size", "3000x2000", "xc:rgb(40,90,160)"})};
    for (const QString& file : files) {
        const Bitmap bitmap = loadImageFile(file, 0, 0);
        EXPECT_EQ(bitmap.width(), 3000) << file.toStdString();
        EXPECT_LE(largestDifference(bitmap, plain), 2) << file.toStdString();
    }
}

// The content decides, not where it is held nor what the file is called: libvips would take a
// trailing "[...]" in a name as load options.
TEST_F(ImageFile, ContentIsReadTheSameFromMemoryAndUnderAnyName) {
    const QString jpeg = save("photo.jpg", patternImage(6, 4, QImage::Format_RGB888));
    const QByteArray bytes = testing::fileBytes(jpeg);
    EXPECT_EQ(queryImageData(bytes, 0).format.toStdString(), "jpeg");
    EXPECT_TRUE(samePixels(loadImageData(bytes, 0, 0), loadImageFile(jpeg, 0, 0)));
    for (const char* name : {"jpeg.png", "photo[1]"}) {
        const QString path = write(name, testing::fileBytes(jpeg));
        EXPECT_EQ(queryFileInfo(path, 0).format.toStdString(), "jpeg") << name;
        EXPECT_TRUE(samePixels(loadImageFile(path, 0, 0), loadImageFile(jpeg, 0, 0))) << name;
    }
    EXPECT_EQ(errorOf([] { loadImageData("Only words.\n", 0, 0); }), InvalidFileFormat);
}

struct FormatCase {
    const char* name;
    QImage::Format source;
    const char* file;
    bool viaConvert;  // Qt writes a PNG that ImageMagick turns into `file`
    int bitsPerPixel;
    PixelLayout layout;
};

const FormatCase kFormats[] = {
    {"GreyPng", QImage::Format_Grayscale8, "p.png", false, 0, PixelLayout::Grey},
    {"GreyPngAsRgb", QImage::Format_Grayscale8, "p.png", false, 24, PixelLayout::Rgb},
    {"RgbPngAsRgba", QImage::Format_RGB888, "p.png", false, 32, PixelLayout::Rgba},
    {"RgbaPng", QImage::Format_RGBA8888, "p.png", false, 0, PixelLayout::Rgba},
    {"PalettePng", QImage::Format_Indexed8, "p.png", false, 0, PixelLayout::Rgba},
    {"Jpeg", QImage::Format_RGB888, "p.jpg", false, 0, PixelLayout::Rgb},
    {"Bmp", QImage::Format_RGB888, "p.bmp", false, 0, PixelLayout::Rgb},
    {"Tga", QImage::Format_RGB888, "p.tga", true, 0, PixelLayout::Rgb},
};

class ReadsFormat : public ImageFile, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(ReadsFormat, PixelsMatchWhatWasWritten) {
    const FormatCase& c = GetParam();
    const QImage source = patternImage(7, 5, c.source);
    const QString path =
        c.viaConvert ? convert(c.file, {save("source.png", source)}) : save(c.file, source);
    EXPECT_EQ(queryFileInfo(path, 0).width, 7);
    const Bitmap bitmap = loadImageFile(path, 0, c.bitsPerPixel);
    EXPECT_EQ(bitmap.layout(), c.layout);
    EXPECT_EQ(bitmap.depth(), SampleDepth::Eight);
    // A lossy file is compared with Qt's own decoding of it.
    const bool lossy = QString(c.file).endsWith(".jpg");
    EXPECT_LE(largestDifference(bitmap, lossy ? QImage(path) : source), lossy ? 2 : 0);
}

// A 16-bit PPM, written byte by byte: maxval 65535, big-endian samples.
QByteArray ppm16(int width, int height, const std::vector<quint16>& samples) {
    QByteArray bytes = QByteArray("P6\n") + QByteArray::number(width) + ' ' +
                       QByteArray::number(height) + "\n65535\n";
    for (const quint16 sample : samples) {
        bytes.append(char(sample >> 8)).append(char(sample & 0xFF));
    }
    return bytes;
}

TEST_F(ImageFile, WideFilesKeepSixteenBitsPerChannel) {
    const std::vector<quint16> samples{0, 1, 65535, 12345, 32768, 257, 40000, 255, 65534};
    const QString ppm = write("wide.ppm", ppm16(3, 1, samples));
    const Bitmap fromPpm = loadImageFile(ppm, 0, 0);
    ASSERT_TRUE(fromPpm.isSixteenBit());
    EXPECT_EQ(fromPpm.layout(), PixelLayout::Rgb);
    EXPECT_EQ(std::vector<quint16>(fromPpm.samples16(), fromPpm.samples16() + samples.size()),
              samples);
    // The same samples through ImageMagick into the other wide formats.
    for (const char* name : {"wide.tif", "wide.png", "wide.psd"}) {
        const Bitmap bitmap = loadImageFile(convert(name, {ppm, "-depth", "16"}), 0, 0);
        ASSERT_TRUE(bitmap.isSixteenBit()) << name;
        EXPECT_TRUE(samePixels(bitmap, fromPpm)) << name;
    }
    // Asked for at 8 bits, the same file comes in 8 bits.
    EXPECT_EQ(loadImageFile(ppm, 0, 24).depth(), SampleDepth::Eight);
}

struct ModernWideCase {
    const char* name;
    QStringList saver;  // the vips operation that writes the file, with its options
    const char* file;
    int tolerance;  // what the format's own depth and colour coding may cost
};

class ModernWideFiles : public ImageFile, public ::testing::WithParamInterface<ModernWideCase> {};

// Pictures of more than 8 bits per channel from the newer formats are held at 16 bits: a ramp of
// 1024 steps keeps far more than 256 values in every channel.
TEST_P(ModernWideFiles, KeepMoreThanEightBitsPerChannel) {
    const ModernWideCase& c = GetParam();
    std::vector<quint16> samples;
    for (int y = 0; y < 4; ++y) {
        for (int ramp = y; ramp < 1024 * 64; ramp += 64) {
            samples.insert(samples.end(),
                           {quint16(ramp), quint16(65535 - ramp), quint16((ramp + 20000) % 65536)});
        }
    }
    const QString source = write("source.ppm", ppm16(1024, 4, samples));
    ASSERT_EQ(
        QProcess::execute(
            "vips", QStringList{c.saver[0], source, path(c.file), "--lossless"} + c.saver.mid(1)),
        0);
    const Bitmap bitmap = loadImageFile(path(c.file), 0, 0);
    ASSERT_TRUE(bitmap.isSixteenBit() && bitmap.layout() == PixelLayout::Rgb);
    ASSERT_EQ(bitmap.byteCount() / 2, samples.size());
    int largest = 0;
    std::vector<std::vector<bool>> seen(3, std::vector<bool>(65536));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const quint16 value = bitmap.samples16()[i];
        largest = std::max(largest, std::abs(int(value) - int(samples[i])));
        seen[i % 3][value] = true;
    }
    EXPECT_LE(largest, c.tolerance);
    for (const std::vector<bool>& channel : seen) {
        EXPECT_GT(std::count(channel.begin(), channel.end(), true), 512);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ImageFile, ModernWideFiles,
    ::testing::Values(
        ModernWideCase{
            "Heic10", {"heifsave", "--compression", "hevc", "--bitdepth", "10"}, "w.heic", 1024},
        ModernWideCase{
            "Avif12", {"heifsave", "--compression", "av1", "--bitdepth", "12"}, "w.avif", 1024},
        ModernWideCase{"JpegXl16", {"jxlsave"}, "w.jxl", 0}),
    ::testing::PrintToStringParamName());

INSTANTIATE_TEST_SUITE_P(ImageFile, ReadsFormat, ::testing::ValuesIn(kFormats),
                         ::testing::PrintToStringParamName());

TEST_F(ImageFile, BitsPerPixelChoosesGreyOrRgbAndDroppedAlphaLeavesWhite) {
    const uchar greenBlueClear[] = {0, 255, 0, 255, 0, 0, 255, 255, 10, 200, 30, 0};
    const QString path = save("rgba.png", QImage(greenBlueClear, 3, 1, QImage::Format_RGBA8888));
    EXPECT_EQ(pixelAt(loadImageFile(path, 0, 24), 2, 0), QColor(Qt::white));
    const Bitmap grey = loadImageFile(path, 0, 8);
    ASSERT_EQ(grey.layout(), PixelLayout::Grey);
    EXPECT_GT(grey.row(0)[0], grey.row(0)[1]);  // green looks far brighter than blue
    EXPECT_EQ(grey.row(0)[2], 255);
    for (const int bits : {1, 16, 48, -8}) {
        EXPECT_EQ(errorOf([&] { loadImageFile(path, 0, bits); }), InvalidBitsPerPixel) << bits;
    }
}

TEST_F(ImageFile, MultiPageFilesGiveTheFirstPageUnlessAskedForAnother) {
    for (const char* name : {"pages.tif", "pages.gif"}) {
        const QString path = convert(name, {"-size", "4x3", "xc:red", "xc:blue"});
        EXPECT_EQ(queryFileInfo(path, 0).pageCount, 2) << name;
        EXPECT_EQ(pixelAt(loadImageFile(path, 0, 0), 1, 1), QColor(Qt::red)) << name;
        EXPECT_EQ(pixelAt(loadImageFile(path, 1, 0), 1, 1), QColor(Qt::blue)) << name;
        EXPECT_EQ(errorOf([&] { loadImageFile(path, 2, 0); }), InvalidParameter) << name;
    }
}

TEST_F(ImageFile, OrientationIsAppliedAndTheKeptExifSaysUpright) {
    const QString plain = save("plain.jpg", patternImage(24, 16, QImage::Format_RGB888));
    // Orientation 6 is turned a quarter clockwise, 3 half a turn.
    for (const char orientation : {6, 3}) {
        const QByteArray turned =
            testing::withExifSegment(testing::fileBytes(plain), exifWithOrientation(orientation));
        const Bitmap bitmap = loadImageFile(write("t.jpg", turned), 0, 0);
        const QImage upright =
            QImage(plain).transformed(QTransform().rotate(orientation == 6 ? 90 : 180));
        EXPECT_LE(largestDifference(bitmap, upright), 2) << int(orientation);
        EXPECT_EQ(bitmap.metadata().exif, exifWithOrientation(1));
    }
}

}  // namespace
}  // namespace quorvel::imaging
