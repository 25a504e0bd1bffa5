// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileFormats.h"

#include <QtGlobal>

#include <algorithm>
#include <array>

namespace quorvel::imaging {
namespace {

constexpr Depth kBlackAndWhite{
    1, true, QT_TRANSLATE_NOOP("quorvel::imaging::SaveDialog", "1 bit (black and white)")};
constexpr Depth kSixteenColours{
    4, true, QT_TRANSLATE_NOOP("quorvel::imaging::SaveDialog", "4 bits (16 colours)")};
constexpr Depth kPalette{8, true,
                         QT_TRANSLATE_NOOP("quorvel::imaging::SaveDialog", "8 bits (256 colours)")};
constexpr Depth kGrey{8, false, QT_TRANSLATE_NOOP("quorvel::imaging::SaveDialog", "8 bits (grey)")};
constexpr Depth kTrueColour{
    24, false, QT_TRANSLATE_NOOP("quorvel::imaging::SaveDialog", "24 bits (true colour)")};
constexpr Depth kWithAlpha{
    32, false,
    QT_TRANSLATE_NOOP("quorvel::imaging::SaveDialog", "32 bits (true colour and transparency)")};
constexpr Depth kGrey16{16, false,
                        QT_TRANSLATE_NOOP("quorvel::imaging::SaveDialog", "16 bits (grey)")};
constexpr Depth kTrueColour48{
    48, false, QT_TRANSLATE_NOOP("quorvel::imaging::SaveDialog", "48 bits (16 per channel)")};
constexpr Depth kWithAlpha64{
    64, false,
    QT_TRANSLATE_NOOP("quorvel::imaging::SaveDialog", "64 bits (16 per channel and transparency)")};

constexpr std::array kJpegDepths{kTrueColour, kGrey};
constexpr std::array kBmpDepths{kWithAlpha, kTrueColour, kPalette, kSixteenColours, kBlackAndWhite};
constexpr std::array kWebpDepths{kWithAlpha, kTrueColour};
constexpr std::array kLosslessDepths{kWithAlpha, kTrueColour, kGrey};
// PNG, TIFF and RAW also store 16 bits per channel.
constexpr std::array kWideDepths{kWithAlpha64, kTrueColour48, kWithAlpha,
                                 kTrueColour,  kGrey16,       kGrey};
constexpr std::array kWmfDepths{kTrueColour};
// The ImageMagick PCX writer stores greys and black and white as RGB planes, so only these two
// depths come out as chosen.
constexpr std::array kPcxDepths{kTrueColour, kPalette};

constexpr std::array kFormats{
    FileFormat{fileformat::Jpeg, 3, "JPEG", "jpg", kJpegDepths, true, false, 65500},
    FileFormat{fileformat::Bmp, 75, "BMP", "bmp", kBmpDepths, false, false, 0},
    FileFormat{fileformat::Webp, 73, "WebP", "webp", kWebpDepths, true, false, 16383},
    FileFormat{fileformat::Tiff, 69, "TIFF", "tif", kWideDepths, false, true, 0},
    FileFormat{fileformat::Png, 11, "PNG", "png", kWideDepths, false, false, 0},
    FileFormat{fileformat::Wmf, 79, "WMF", "wmf", kWmfDepths, false, false, 32767},
    FileFormat{fileformat::Pcx, 46, "PCX", "pcx", kPcxDepths, false, false, 65535},
    FileFormat{fileformat::Raw, 143, "RAW", "raw", kWideDepths, false, false, 0},
    FileFormat{fileformat::Tga, 57, "TGA", "tga", kLosslessDepths, false, false, 65535},
};

}  // namespace

std::span<const FileFormat> fileFormats() {
    return kFormats;
}

const FileFormat* fileFormatByCode(int code) {
    const auto* hit = std::find_if(kFormats.begin(), kFormats.end(),
                                   [code](const FileFormat& f) { return f.code == code; });
    return hit == kFormats.end() ? nullptr : hit;
}

const FileFormat* fileFormatById(std::int32_t formatId) {
    const auto* hit =
        std::find_if(kFormats.begin(), kFormats.end(),
                     [formatId](const FileFormat& f) { return f.formatId == formatId; });
    return hit == kFormats.end() ? nullptr : hit;
}

const Depth* depthOf(const FileFormat& format, int bitsPerPixel) {
    const auto hit =
        std::find_if(format.depths.begin(), format.depths.end(),
                     [bitsPerPixel](const Depth& d) { return d.bitsPerPixel == bitsPerPixel; });
    return hit == format.depths.end() ? nullptr : &*hit;
}

}  // namespace quorvel::imaging
