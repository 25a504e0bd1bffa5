// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageSave.h"

#include "AtomicFile.h"
#include "DepthConversion.h"
#include "DisplayColour.h"
#include "ErrorCodes.h"
#include "FileFormats.h"
#include "FileNames.h"
#include "ImagingError.h"
#include "IptcBlocks.h"
#include "PngText.h"
#include "TiffMetadata.h"
#include "TiffPages.h"
#include "VipsBridge.h"
#include "WmfWriter.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace quorvel::imaging {
namespace {

using vips::VImage;

[[noreturn]] void fail(int code) {
    throw ImagingError(code, kImageControlSource);
}

VImage tagged(const VImage& image) {
    const bool wide = image.format() == VIPS_FORMAT_USHORT;
    VipsInterpretation interpretation =
        image.bands() < 3 ? VIPS_INTERPRETATION_B_W : VIPS_INTERPRETATION_sRGB;
    if (wide) {
        interpretation = image.bands() < 3 ? VIPS_INTERPRETATION_GREY16 : VIPS_INTERPRETATION_RGB16;
    }
    return image.copy(VImage::option()->set("interpretation", interpretation));
}

// `image` comes from toVips: 8-bit grey, RGB or RGBA. Transparency that the target cannot hold
// goes onto white, as on paper.
VImage withChannels(VImage image, int channels) {
    const bool wide = image.format() == VIPS_FORMAT_USHORT;
    const VipsBandFormat format = wide ? VIPS_FORMAT_USHORT : VIPS_FORMAT_UCHAR;
    const double white = wide ? 65535.0 : 255.0;
    const bool alpha = image.bands() == 4;
    if (alpha && channels != 4) {
        vips::VOption* options = VImage::option()->set("background", std::vector<double>{white});
        if (wide) {
            options->set("max_alpha", white);
        }
        image = image.flatten(options).cast(format);
    }
    if (channels == 1 && image.bands() == 3) {
        image = tagged(image)
                    .colourspace(wide ? VIPS_INTERPRETATION_GREY16 : VIPS_INTERPRETATION_B_W)
                    .cast(format);
    } else if (channels != 1 && image.bands() == 1) {
        image = VImage::bandjoin({image, image, image});
    }
    if (channels == 4 && image.bands() == 3) {
        image = image.bandjoin_const({white});
    }
    return tagged(image);
}

// Floyd-Steinberg error diffusion: black and white that keeps the picture's tones, where a plain
// threshold would lose every gradient.
Bitmap ditheredBlackAndWhite(const Bitmap& grey) {
    const int width = grey.width();
    PixelBuffer out(width, grey.height(), PixelLayout::Grey);
    // Errors in sixteenths, with a spare column on either side.
    std::vector<int> error(std::size_t(width) + 2, 0);
    std::vector<int> below(std::size_t(width) + 2, 0);
    for (int y = 0; y < grey.height(); ++y) {
        std::fill(below.begin(), below.end(), 0);
        const std::uint8_t* in = grey.row(y);
        std::uint8_t* row = out.row(y);
        for (int x = 0; x < width; ++x) {
            const std::size_t i = std::size_t(x) + 1;
            const int value = in[x] + error[i] / 16;
            const int chosen = value < 128 ? 0 : 255;
            row[x] = std::uint8_t(chosen);
            const int e = value - chosen;
            error[i + 1] += e * 7;
            below[i - 1] += e * 3;
            below[i] += e * 5;
            below[i + 1] += e;
        }
        std::swap(error, below);
    }
    return Bitmap(std::move(out));
}

// A profile describes pixels of one kind only: an RGB profile on grey pixels misleads readers.
bool profileFits(const QByteArray& icc, int channels) {
    constexpr qsizetype kColourSpaceAt = 16;
    const QByteArray space = icc.mid(kColourSpaceAt, 4);
    return channels == 1 ? space == "GRAY" : space == "RGB ";
}

void setBlob(VImage& image, const char* name, const QByteArray& data) {
    if (!data.isEmpty()) {
        vips_image_set_blob_copy(image.get_image(), name, data.constData(),
                                 std::size_t(data.size()));
    }
}

// The pixels were turned upright on loading: orientation 1 keeps viewers from turning them again.
// libvips writes IPTC into JPEG only, and into TIFF in a form readers refuse; PNG and TIFF get
// theirs after encoding, WebP has no place for it.
VImage withMetadata(const VImage& image, const Metadata& metadata, int formatCode) {
    VImage out = image.copy();
    setBlob(out, VIPS_META_EXIF_NAME, metadata.exif);
    setBlob(out, VIPS_META_XMP_NAME, metadata.xmp);
    if (formatCode == fileformat::Jpeg && !metadata.iptc.isEmpty()) {
        setBlob(out, VIPS_META_IPTC_NAME, photoshopIptcSegment(metadata.iptc));
    }
    if (profileFits(metadata.icc, out.bands() == 4 ? 3 : out.bands())) {
        setBlob(out, VIPS_META_ICC_NAME, metadata.icc);
    }
    out.set(VIPS_META_ORIENTATION, 1);
    return out;
}

// Only these formats carry an ICC profile, and only for colour pixels: anything else must have its
// pixels in sRGB, which every reader assumes without a profile.
bool keepsProfile(const FileFormat& format, int channels) {
    const bool carries = format.code == fileformat::Jpeg || format.code == fileformat::Png ||
                         format.code == fileformat::Tiff || format.code == fileformat::Webp;
    return carries && channels != 1;
}

VImage keptOrInSrgb(const Bitmap& bitmap, bool keepProfile) {
    const QByteArray& icc = bitmap.metadata().icc;
    VImage image = toVips(bitmap);
    if (keepProfile || bitmap.channels() < 3 || !differsFromSrgb(icc)) {
        return image;
    }
    image = image.copy();
    setBlob(image, VIPS_META_ICC_NAME, icc);
    const bool wide = bitmap.isSixteenBit();
    return image
        .icc_transform("srgb", VImage::option()
                                   ->set("embedded", true)
                                   ->set("depth", wide ? 16 : 8)
                                   ->set("intent", VIPS_INTENT_RELATIVE))
        .cast(wide ? VIPS_FORMAT_USHORT : VIPS_FORMAT_UCHAR);
}

QByteArray taken(VipsBlob* blob) {
    std::size_t length = 0;
    const void* data = vips_area_get_data(VIPS_AREA(blob), &length, nullptr, nullptr, nullptr);
    QByteArray bytes(static_cast<const char*>(data), qsizetype(length));
    vips_area_unref(VIPS_AREA(blob));
    return bytes;
}

QByteArray pixelBytes(const VImage& image) {
    std::size_t size = 0;
    void* pixels = image.write_to_memory(&size);
    QByteArray bytes(static_cast<const char*>(pixels), qsizetype(size));
    g_free(pixels);
    return bytes;
}

QByteArray encoded(const Bitmap& bitmap, const FileFormat& format, const Depth& depth, int qFactor,
                   bool bigTiff) {
    const int kept = depth.bitsPerPixel == 1 ? 1 : depth.channels();
    // 16 bits per channel where the depth stores them; every other depth takes 8.
    const Bitmap samples = depth.isSixteenBit() ? toSixteenBits(bitmap) : toEightBits(bitmap);
    VImage pixels = withChannels(keptOrInSrgb(samples, keepsProfile(format, kept)), kept);
    Bitmap blackAndWhite;
    if (depth.bitsPerPixel == 1) {
        blackAndWhite = ditheredBlackAndWhite(fromVips(pixels, {}));
        pixels = tagged(toVips(blackAndWhite));
    }
    const VImage withInfo = withMetadata(pixels, bitmap.metadata(), format.code);
    switch (format.code) {
        case fileformat::Jpeg:
            return taken(withInfo.jpegsave_buffer(VImage::option()
                                                      ->set("Q", qualityFromQFactor(qFactor))
                                                      ->set("optimize_coding", true)));
        case fileformat::Webp:
            return taken(
                withInfo.webpsave_buffer(VImage::option()->set("Q", qualityFromQFactor(qFactor))));
        case fileformat::Png:
            return withIptcText(
                taken(depth.isSixteenBit()
                          ? withInfo.pngsave_buffer(VImage::option()->set("bitdepth", 16))
                          : withInfo.pngsave_buffer()),
                bitmap.metadata().iptc);
        case fileformat::Tiff:
            return withExifAndIptc(
                taken(withInfo.tiffsave_buffer(
                    VImage::option()
                        ->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_DEFLATE)
                        ->set("predictor", VIPS_FOREIGN_TIFF_PREDICTOR_HORIZONTAL)
                        ->set("bigtiff", bigTiff))),
                bitmap.metadata().exif, bitmap.metadata().iptc);
        case fileformat::Raw: {
            QByteArray bytes = pixelBytes(pixels);
            if (depth.isSixteenBit()) {
                // Little-endian samples, whatever the machine.
                qToLittleEndian<quint16>(bytes.constData(), bytes.size() / 2, bytes.data());
            }
            return bytes;
        }
        case fileformat::Wmf: {
            const QByteArray rgb = pixelBytes(pixels);
            return windowsMetafile(pixels.width(), pixels.height(),
                                   reinterpret_cast<const std::uint8_t*>(rgb.constData()));
        }
        default: {
            // BMP, PCX and TGA through ImageMagick, which also quantises the palette depths.
            // None of the three carries EXIF, so no metadata goes along.
            vips::VOption* options =
                VImage::option()->set("format", format.extension)->set("strip", true);
            if (depth.palette) {
                options->set("bitdepth", int(depth.bitsPerPixel));
            }
            return taken(pixels.magicksave_buffer(options));
        }
    }
}

QByteArray existingFile(const QString& path) {
    QFile file;
    if (!openForReading(file, path)) {
        fail(errc::CannotOpenFile);
    }
    return file.readAll();
}

}  // namespace

int qualityFromQFactor(int qFactor) {
    return 95 - 8 * (qFactor - 2);
}

void saveImageFile(const Bitmap& bitmap, const QString& path, int formatCode, int bitsPerPixel,
                   int qFactor, bool multiPage, Existing kept) {
    if (bitmap.isNull()) {
        fail(errc::InvalidBitmap);
    }
    const std::optional<QByteArray> localPath = localBytesFromPath(path);
    const FileKind target = kindOfFile(path);
    // Anything but a regular file (a folder, a device, a pipe) is no place for a picture, and
    // renaming a file over a device would replace the device.
    if (path.isEmpty() || !localPath || target == FileKind::Other) {
        fail(errc::InvalidFileName);
    }
    const FileFormat* format = fileFormatByCode(formatCode);
    if (format == nullptr) {
        fail(errc::InvalidFileFormat);
    }
    const Depth* depth = depthOf(*format, bitsPerPixel);
    if (depth == nullptr) {
        fail(errc::InvalidBitsPerPixel);
    }
    if (format->lossy && (qFactor < 2 || qFactor > 10)) {
        fail(errc::InvalidQFactor);
    }
    if (format->maxSide > 0 && std::max(bitmap.width(), bitmap.height()) > format->maxSide) {
        fail(errc::FormatNotAvailable);
    }
    const bool append = multiPage && format->pages && target == FileKind::RegularFile;
    const QByteArray existing = append ? existingFile(path) : QByteArray();
    const bool bigTiff = append && isBigTiff(existing);
    QByteArray bytes = guardVips(
        errc::WriteFailed, [&] { return encoded(bitmap, *format, *depth, qFactor, bigTiff); });
    if (bytes.isEmpty()) {
        fail(errc::WriteFailed);
    }
    if (append) {
        bytes = withAppendedPage(existing, bytes);
    }
    if (writeFileAtomically(*localPath, bytes, Staging::Unnamed, kept)) {
        fail(errc::WriteFailed);
    }
}

}  // namespace quorvel::imaging
