// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFile.h"

#include "DepthConversion.h"
#include "ErrorCodes.h"
#include "FileNames.h"
#include "FileSanity.h"
#include "Geometry.h"
#include "ImagingError.h"
#include "IptcBlocks.h"
#include "PixelBudget.h"
#include "RawFile.h"
#include "VipsBridge.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::imaging {
namespace {

using vips::VImage;

[[noreturn]] void fail(int code) {
    throw ImagingError(code, kImageControlSource);
}

// A file's bytes come from its path, or are already in memory.
struct Input {
    QString path;  // empty for contents in memory
    QByteArray localPath;
    QByteArray contents;
};

// libvips would report every one of these as "not a known format"; the user deserves the reason.
Input checkedFile(const QString& path) {
    const std::optional<QByteArray> localPath = localBytesFromPath(path);
    if (path.isEmpty() || !localPath) {
        fail(errc::InvalidFileName);
    }
    const FileKind kind = kindOfFile(path);
    if (kind == FileKind::Missing) {
        fail(errc::FileNotFound);
    }
    // Folders, but also pipes and devices: sniffing those could block or never end.
    QFile file;
    if (kind != FileKind::RegularFile || !openForReading(file, path)) {
        fail(errc::CannotOpenFile);
    }
    return {path, *localPath, {}};
}

struct Loader {
    std::string name;       // the file loader's nickname, e.g. "jpegload"
    std::string operation;  // what reads this input, e.g. "jpegload_buffer"
};

// Chosen by content: every loader with a sniffer is asked before suffixes count, so a JPEG
// named .png is read as the JPEG it is. None when libvips knows no loader for the input.
std::optional<Loader> loaderOf(const Input& input) {
    const char* typeName = nullptr;
    if (input.path.isEmpty()) {
        typeName = vips_foreign_find_load_buffer(input.contents.constData(),
                                                 std::size_t(input.contents.size()));
    } else {
        // libvips takes a trailing "[...]" as load options; an empty "[]" keeps such a name
        // whole.
        const QByteArray& path = input.localPath;
        const QByteArray name = path.endsWith(']') ? path + "[]" : path;
        typeName = vips_foreign_find_load(name.constData());
    }
    const char* nickname = typeName ? vips_nickname_find(g_type_from_name(typeName)) : nullptr;
    if (nickname == nullptr) {
        vips_error_clear();
        return std::nullopt;
    }
    std::string name = nickname;
    if (name.ends_with("_buffer")) {
        name.resize(name.size() - std::strlen("_buffer"));
    }
    return Loader{name, nickname};
}

Loader findLoader(const Input& input) {
    std::optional<Loader> loader = loaderOf(input);
    if (!loader) {
        fail(errc::InvalidFileFormat);
    }
    return *loader;
}

// Camera RAW goes to LibRaw: libvips would read a DNG or another TIFF-based RAW file as its
// undeveloped mosaic or its small preview, and most other RAW formats not at all. Files that
// libvips knows as another format never are RAW. LibRaw reads files only.
std::unique_ptr<RawFile> openRaw(const Input& input, int page) {
    if (input.path.isEmpty()) {
        return nullptr;
    }
    const std::optional<Loader> loader =
        guardVips(errc::InvalidFileFormat, [&] { return loaderOf(input); });
    if (loader && loader->name != "tiffload" && loader->name != "magickload") {
        return nullptr;
    }
    std::unique_ptr<RawFile> raw = RawFile::open(input.localPath);
    if (raw && page != 0) {
        fail(errc::InvalidParameter);
    }
    return raw;
}

bool acceptsPage(const std::string& operationName) {
    VipsOperation* operation = vips_operation_new(operationName.c_str());
    if (operation == nullptr) {
        vips_error_clear();
        return false;
    }
    GParamSpec* spec = nullptr;
    VipsArgumentClass* argumentClass = nullptr;
    VipsArgumentInstance* argumentInstance = nullptr;
    const bool accepts = vips_object_get_argument(VIPS_OBJECT(operation), "page", &spec,
                                                  &argumentClass, &argumentInstance) == 0;
    g_object_unref(operation);
    if (!accepts) {
        vips_error_clear();
    }
    return accepts;
}

// Reads the header only: loaders decode when pixels are first asked for. Sequential access lets
// the decoder stream straight into the final buffer, and a truncated file is refused rather
// than shown half grey. (The ImageMagick loader is the exception: it decodes here.)
VImage openWith(const Loader& loader, const Input& input, int page) {
    VImage image;
    vips::VOption* options = VImage::option()
                                 ->set("access", VIPS_ACCESS_SEQUENTIAL)
                                 ->set("fail_on", VIPS_FAIL_ON_TRUNCATED)
                                 ->set("out", &image);
    // The blob borrows the contents, which the caller keeps until the image is decoded.
    VipsBlob* blob = nullptr;
    if (input.path.isEmpty()) {
        blob =
            vips_blob_new(nullptr, input.contents.constData(), std::size_t(input.contents.size()));
        options->set("buffer", blob);
    } else {
        options->set("filename", input.localPath.constData());
    }
    if (page > 0) {
        options->set("page", page);
    }
    try {
        VImage::call(loader.operation.c_str(), options);
    } catch (...) {
        if (blob != nullptr) {
            vips_area_unref(VIPS_AREA(blob));
        }
        throw;
    }
    if (blob != nullptr) {
        vips_area_unref(VIPS_AREA(blob));
    }
    return image;
}

// The checks of FileSanity read the bytes; a mapped file costs no copy, and its pages leave
// memory with the mapping.
template <typename Check>
void checkBytes(const Input& input, Check&& check) {
    if (input.path.isEmpty()) {
        check(QByteArrayView(input.contents));
        return;
    }
    QFile file;
    if (!openForReading(file, input.path)) {
        fail(errc::CannotOpenFile);
    }
    const uchar* bytes = file.size() > 0 ? file.map(0, file.size()) : nullptr;
    if (bytes == nullptr) {
        fail(errc::ReadFailed);
    }
    try {
        check(QByteArrayView(bytes, file.size()));
    } catch (...) {
        file.unmap(const_cast<uchar*>(bytes));
        throw;
    }
    file.unmap(const_cast<uchar*>(bytes));
}

struct OpenedPage {
    VImage image;
    Loader loader;
    int pageCount = 1;
};

OpenedPage openPage(const Input& input, int page) {
    if (page < 0) {
        fail(errc::InvalidParameter);
    }
    return guardVips(errc::InvalidFileFormat, [&] {
        const Loader loader = findLoader(input);
        // Some readers take in a header's chunks whole, trusting their declared lengths.
        if (hasHeaderSanityCheck(loader.name)) {
            checkBytes(input, [&](QByteArrayView bytes) { checkHeaderSanity(loader.name, bytes); });
        }
        OpenedPage opened{openWith(loader, input, 0), loader, 1};
        if (opened.image.get_typeof(VIPS_META_N_PAGES) != 0) {
            opened.pageCount = std::max(1, opened.image.get_int(VIPS_META_N_PAGES));
        }
        if (page >= opened.pageCount || (page > 0 && !acceptsPage(loader.operation))) {
            fail(errc::InvalidParameter);
        }
        if (page > 0) {
            opened.image = openWith(loader, input, page);
        }
        return opened;
    });
}

bool isGrey(VipsInterpretation interpretation) {
    return interpretation == VIPS_INTERPRETATION_B_W ||
           interpretation == VIPS_INTERPRETATION_GREY16;
}

VImage toUchar(const VImage& image) {
    const VipsBandFormat format = image.format();
    if (format == VIPS_FORMAT_UCHAR) {
        return image;
    }
    // Wide unsigned samples keep their top bits; everything else is clipped to 0..255, which is
    // the range libvips uses for float grey and sRGB.
    const bool shift = format == VIPS_FORMAT_USHORT || format == VIPS_FORMAT_UINT;
    return image.cast(VIPS_FORMAT_UCHAR, VImage::option()->set("shift", shift));
}

bool holdsRgbProfile(const VImage& image) {
    if (image.get_typeof(VIPS_META_ICC_NAME) == 0) {
        return false;
    }
    std::size_t length = 0;
    const auto* icc = static_cast<const char*>(image.get_blob(VIPS_META_ICC_NAME, &length));
    constexpr std::size_t kColourSpaceAt = 16;
    return length >= kColourSpaceAt + 4 && std::string_view(icc + kColourSpaceAt, 4) == "RGB ";
}

bool isRgb(VipsInterpretation interpretation) {
    return interpretation == VIPS_INTERPRETATION_sRGB ||
           interpretation == VIPS_INTERPRETATION_RGB || interpretation == VIPS_INTERPRETATION_RGB16;
}

// CMYK without a profile was almost always made from RGB by the plain formula (k = 1 - max(r, g,
// b), c = (1 - r - k) / (1 - k), ...), as ImageMagick does; undoing it gives back the
// picture it was made from. A printing-press profile would show such files far too light, because
// their black ink alone then cannot reach black.
VImage inksAsMade(const VImage& cmyk) {
    const VImage inks = toUchar(cmyk);
    const VImage paper = inks.extract_band(0, VImage::option()->set("n", 3)).linear(-1.0, 255.0);
    const VImage light = inks.extract_band(3).linear(-1.0, 255.0);
    return (paper * light)
        .linear(1.0 / 255.0, 0.5)
        .cast(VIPS_FORMAT_UCHAR)
        .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

// The sample format the picture is kept in: ushort for sixteen-bit pictures, else uchar.
VImage toSamples(const VImage& image, bool wide) {
    if (!wide) {
        return toUchar(image);
    }
    switch (image.format()) {
        case VIPS_FORMAT_USHORT:
            return image;
        case VIPS_FORMAT_UCHAR:
            return image.cast(VIPS_FORMAT_USHORT).linear(257.0, 0.0).cast(VIPS_FORMAT_USHORT);
        default:
            // Conversions to RGB16 and GREY16 answer in 0..65535.
            return image.cast(VIPS_FORMAT_USHORT);
    }
}

// `colour` holds colour bands only. The result is grey when the source was grey; RGB pixels with
// an RGB profile stay in the profile's space (the profile goes along, and only painting converts
// them); every other kind of picture is converted to sRGB. Wide keeps sixteen bits per sample.
VImage inSrgb(VImage colour, bool grey, bool wide) {
    if (!grey && colour.bands() == 3 && isRgb(colour.interpretation()) && holdsRgbProfile(colour)) {
        return colour;
    }
    if (colour.get_typeof(VIPS_META_ICC_NAME) == 0 &&
        colour.interpretation() == VIPS_INTERPRETATION_CMYK && colour.bands() == 4) {
        return inksAsMade(colour);
    }
    const VipsInterpretation greySpace =
        wide ? VIPS_INTERPRETATION_GREY16 : VIPS_INTERPRETATION_B_W;
    const VipsInterpretation colourSpace =
        wide ? VIPS_INTERPRETATION_RGB16 : VIPS_INTERPRETATION_sRGB;
    if (colour.get_typeof(VIPS_META_ICC_NAME) != 0) {
        try {
            const VImage converted = colour.icc_transform(
                "srgb", VImage::option()->set("embedded", true)->set("depth", wide ? 16 : 8));
            return grey ? converted.colourspace(greySpace) : converted;
        } catch (const vips::VError&) {
            // A broken profile, or one for another kind of picture: the interpretation alone
            // still gives a usable picture, as viewers commonly do.
            vips_error_clear();
        }
    }
    if (!vips_colourspace_issupported(colour.get_image())) {
        return colour;
    }
    return colour.colourspace(grey ? greySpace : colourSpace);
}

VImage profiledToSrgb(const VImage& image, bool wide) {
    return toSamples(
        image.icc_transform("srgb",
                            VImage::option()->set("embedded", true)->set("depth", wide ? 16 : 8)),
        wide);
}

// More than eight bits per channel: such pictures are kept at sixteen.
bool isWide(const VImage& image) {
    return image.format() == VIPS_FORMAT_USHORT;
}

// sRGB (or grey, or RGB in its own profile's space) with 1 to 4 bands, alpha last, 8 bits per
// sample or, for a wide source, 16. Every step works pixel by pixel, so the pipeline still streams.
VImage displayable(VImage image, bool wide) {
    const bool grey = isGrey(image.guess_interpretation());
    // Alpha is taken apart first: colour conversions would clip a 16-bit alpha to 8 bits instead
    // of scaling it. By libvips' convention it is the last band.
    std::optional<VImage> alpha;
    if (image.has_alpha()) {
        const int colourBands = image.bands() - 1;
        alpha = toSamples(image.extract_band(colourBands), wide);
        image = image.extract_band(0, VImage::option()->set("n", colourBands));
    }
    image = toSamples(inSrgb(image, grey, wide), wide);
    const bool greyResult = image.interpretation() == VIPS_INTERPRETATION_B_W ||
                            image.interpretation() == VIPS_INTERPRETATION_GREY16;
    const int colour = image.bands() < 3 || greyResult ? 1 : 3;
    if (image.bands() > colour) {
        // Extra channels (spot colours, masks) have no place in an RGB picture.
        image = image.extract_band(0, VImage::option()->set("n", colour));
    }
    return alpha ? image.bandjoin(*alpha) : image;
}

PixelLayout naturalLayout(const VImage& image) {
    switch (image.bands()) {
        case 1:
            return PixelLayout::Grey;
        case 3:
            return PixelLayout::Rgb;
        default:
            return PixelLayout::Rgba;
    }
}

// `image` comes from displayable().
VImage toLayout(VImage image, PixelLayout layout, bool wide) {
    bool alpha = image.bands() == 2 || image.bands() == 4;
    if (alpha && layout != PixelLayout::Rgba) {
        // Transparent parts go on white, as on paper, rather than revealing whatever colour the
        // file kept under them.
        const double white = wide ? 65535 : 255;
        image = toSamples(image.flatten(VImage::option()
                                            ->set("background", std::vector<double>{white})
                                            ->set("max_alpha", white)),
                          wide);
        alpha = false;
    }
    const int colour = image.bands() - (alpha ? 1 : 0);
    if (layout == PixelLayout::Grey && colour == 3) {
        image = toSamples(
            image.colourspace(wide ? VIPS_INTERPRETATION_GREY16 : VIPS_INTERPRETATION_B_W), wide);
    } else if (layout != PixelLayout::Grey && colour == 1) {
        const VImage grey = image.extract_band(0);
        std::vector<VImage> bands{grey, grey, grey};
        if (alpha) {
            bands.push_back(image.extract_band(1));
        }
        image = VImage::bandjoin(bands);
    }
    if (layout == PixelLayout::Rgba && !alpha) {
        image = image.bandjoin_const({wide ? 65535.0 : 255.0});
    }
    return image;
}

QByteArray blob(const VImage& image, const char* name) {
    if (image.get_typeof(name) == 0) {
        return {};
    }
    std::size_t length = 0;
    const void* data = image.get_blob(name, &length);
    return QByteArray(static_cast<const char*>(data), qsizetype(length));
}

// A profile only describes pixels of its own kind; an RGB profile left on a picture turned grey
// would mislead whoever saves it.
bool profileFits(const QByteArray& icc, PixelLayout layout) {
    constexpr qsizetype kColourSpaceAt = 16;
    if (icc.size() < kColourSpaceAt + 4) {
        return false;
    }
    const QByteArray space = icc.mid(kColourSpaceAt, 4);
    return layout == PixelLayout::Grey ? space == "GRAY" : space == "RGB ";
}

// The pixels are turned upright on loading, so the EXIF travelling with them must say so, or a
// viewer would turn a saved copy a second time.
QByteArray withUprightOrientation(QByteArray exif) {
    const qsizetype base = exif.startsWith(QByteArrayView("Exif\0\0", 6)) ? 6 : 0;
    if (exif.size() < base + 8) {
        return exif;
    }
    const bool little = exif.mid(base, 2) == "II";
    if (!little && exif.mid(base, 2) != "MM") {
        return exif;
    }
    auto* bytes = reinterpret_cast<uchar*>(exif.data());
    const auto read16 = [&](qsizetype at) {
        return little ? qFromLittleEndian<quint16>(bytes + at)
                      : qFromBigEndian<quint16>(bytes + at);
    };
    const auto read32 = [&](qsizetype at) {
        return little ? qFromLittleEndian<quint32>(bytes + at)
                      : qFromBigEndian<quint32>(bytes + at);
    };
    constexpr quint16 kOrientationTag = 0x0112;
    constexpr quint16 kShortType = 3;
    const qint64 directory = base + qint64(read32(base + 4));
    if (directory + 2 > exif.size()) {
        return exif;
    }
    const int entries = read16(directory);
    for (int i = 0; i < entries; ++i) {
        const qint64 entry = directory + 2 + 12 * qint64(i);
        if (entry + 12 > exif.size()) {
            break;
        }
        if (read16(entry) == kOrientationTag && read16(entry + 2) == kShortType) {
            if (little) {
                qToLittleEndian<quint16>(1, bytes + entry + 8);
            } else {
                qToBigEndian<quint16>(1, bytes + entry + 8);
            }
        }
    }
    return exif;
}

int orientationOf(const OpenedPage& opened) {
    const VImage& image = opened.image;
    // ImageMagick reports where a file's rows start (bottom for most TGAs) as its orientation, yet
    // delivers the rows upright already; turning them again would flip the picture.
    if (opened.loader.name == "magickload" || image.get_typeof(VIPS_META_ORIENTATION) == 0) {
        return 1;
    }
    return image.get_int(VIPS_META_ORIENTATION);
}

// Sequential reading cannot turn the picture inside the pipeline, so the decoded Bitmap is turned
// afterwards; quarter turns and flips of pixels in memory are cheap.
Bitmap upright(const Bitmap& bitmap, int orientation) {
    const auto clockwise = [](const Bitmap& source, int hundredths) {
        return rotated(source, hundredths, false, QColor(Qt::white));
    };
    Bitmap turned;
    switch (orientation) {
        case 2:
            turned = mirrored(bitmap);
            break;
        case 3:
            turned = clockwise(bitmap, 18000);
            break;
        case 4:
            turned = flipped(bitmap);
            break;
        case 5:
            turned = mirrored(clockwise(bitmap, 9000));
            break;
        case 6:
            turned = clockwise(bitmap, 9000);
            break;
        case 7:
            turned = flipped(clockwise(bitmap, 9000));
            break;
        case 8:
            turned = clockwise(bitmap, 27000);
            break;
        default:  // 1, or a value EXIF does not define
            return bitmap;
    }
    Metadata metadata = bitmap.metadata();
    metadata.exif = withUprightOrientation(std::move(metadata.exif));
    return turned.withMetadata(std::move(metadata));
}

// A developed RAW picture in the layout asked for; bitsPerPixel 0 keeps it as it is.
Bitmap inLayout(const Bitmap& developed, int bitsPerPixel) {
    const PixelLayout layout = bitsPerPixel == 8    ? PixelLayout::Grey
                               : bitsPerPixel == 24 ? PixelLayout::Rgb
                               : bitsPerPixel == 32 ? PixelLayout::Rgba
                                                    : developed.layout();
    if (bitsPerPixel == 0) {
        return developed;
    }
    // An explicit depth asks for eight bits per sample.
    const Bitmap eightBits = toEightBits(developed);
    if (layout == eightBits.layout()) {
        return eightBits;
    }
    return guardVips(errc::ReadFailed,
                     [&] { return fromVips(toLayout(toVips(eightBits), layout, false), {}); });
}

FileInfo infoOf(const OpenedPage& opened) {
    const VImage& image = opened.image;
    FileInfo info;
    info.width = image.width();
    info.height = image.height();
    info.bitsPerPixel = image.bands() * int(vips_format_sizeof(image.format())) * 8;
    info.pageCount = opened.pageCount;
    info.format = QString::fromStdString(opened.loader.name);
    if (info.format.endsWith(QLatin1String("load"))) {
        info.format.chop(4);
    }
    return info;
}

Bitmap load(const Input& input, int page, int bitsPerPixel) {
    if (bitsPerPixel != 0 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32) {
        fail(errc::InvalidBitsPerPixel);
    }
    if (const std::unique_ptr<RawFile> raw = openRaw(input, page)) {
        return inLayout(raw->develop(), bitsPerPixel);
    }
    const OpenedPage opened = openPage(input, page);
    // Before anything is decoded: a tiny file may declare an enormous picture.
    checkPixelBudget(opened.image.width(), opened.image.height());
    if (hasSanityCheck(opened.loader.name)) {
        checkBytes(input,
                   [&](QByteArrayView bytes) { checkFileSanity(opened.loader.name, bytes); });
    }
    return guardVips(errc::ReadFailed, [&] {
        // An explicit depth asks for eight bits per sample.
        const bool wide = bitsPerPixel == 0 && isWide(opened.image);
        const VImage source = displayable(opened.image, wide);
        const PixelLayout layout = bitsPerPixel == 8    ? PixelLayout::Grey
                                   : bitsPerPixel == 24 ? PixelLayout::Rgb
                                   : bitsPerPixel == 32 ? PixelLayout::Rgba
                                                        : naturalLayout(source);
        // Grey is computed from sRGB, so colours kept in their own space are converted first.
        VImage pixels =
            toLayout(layout == PixelLayout::Grey && source.bands() >= 3 && holdsRgbProfile(source)
                         ? profiledToSrgb(source, wide)
                         : source,
                     layout, wide);
        // A decoder's error reaches the caller only from the thread that decodes; another
        // worker waiting for the same rows gets them blacked out with no error, so the verdict
        // on a damaged file would depend on timing. The decode is sequential anyway.
        pixels.set(VIPS_META_CONCURRENCY, 1);
        Metadata metadata{blob(pixels, VIPS_META_EXIF_NAME), blob(pixels, VIPS_META_ICC_NAME),
                          blob(pixels, VIPS_META_XMP_NAME),
                          iptcRecordsFrom(blob(pixels, VIPS_META_IPTC_NAME))};
        if (!profileFits(metadata.icc, layout)) {
            metadata.icc.clear();
        }
        return upright(fromVips(pixels, std::move(metadata)), orientationOf(opened));
    });
}

Input inMemory(const QByteArray& contents) {
    if (contents.isEmpty()) {
        fail(errc::InvalidFileFormat);
    }
    return {{}, {}, contents};
}

}  // namespace

FileInfo queryFileInfo(const QString& path, int page) {
    const Input input = checkedFile(path);
    if (const std::unique_ptr<RawFile> raw = openRaw(input, page)) {
        return FileInfo{raw->width(), raw->height(), 48, 1, QStringLiteral("libraw")};
    }
    return infoOf(openPage(input, page));
}

Bitmap loadImageFile(const QString& path, int page, int bitsPerPixel) {
    return load(checkedFile(path), page, bitsPerPixel);
}

FileInfo queryImageData(const QByteArray& contents, int page) {
    return infoOf(openPage(inMemory(contents), page));
}

Bitmap loadImageData(const QByteArray& contents, int page, int bitsPerPixel) {
    return load(inMemory(contents), page, bitsPerPixel);
}

}  // namespace quorvel::imaging
