// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace quorvel::imaging {

// The image control's file format codes, as SaveImage takes them and the save dialog returns them.
namespace fileformat {
inline constexpr short Pcx = 1;
inline constexpr short Tiff = 3;
inline constexpr short Tga = 4;
inline constexpr short Bmp = 6;
inline constexpr short Jpeg = 10;
inline constexpr short Wmf = 15;
inline constexpr short Png = 75;
inline constexpr short Raw = 153;
inline constexpr short Webp = 200;
}  // namespace fileformat

// One way of storing a picture at a number of bits per pixel.
struct Depth {
    short bitsPerPixel;
    // Stored as a palette of at most 2^bitsPerPixel colours (1 bit: dithered black and white);
    // otherwise 8 bits is grey, 24 RGB and 32 RGBA, and at 16 bits per channel 16 is grey, 48 RGB
    // and 64 RGBA.
    bool palette;
    // The save dialog's English text for it, which the dialog translates.
    const char* label;

    bool isSixteenBit() const { return bitsPerPixel == 16 || bitsPerPixel >= 48; }
    // Colour channels and alpha stored per pixel.
    int channels() const {
        switch (bitsPerPixel) {
            case 64:
            case 32:
                return 4;
            case 48:
            case 24:
                return 3;
            default:
                return palette ? 3 : 1;
        }
    }
};

// What the save dialog offers for one format and how the saver treats it.
struct FileFormat {
    short code;
    // The dialog component's identifier of the format in its format list.
    std::int32_t formatId;
    const char* name;
    // Without the dot; a path typed without one is completed with it.
    const char* extension;
    std::span<const Depth> depths;
    // Takes the quality factor (2 best quality .. 10 smallest file).
    bool lossy;
    // Can hold several pictures; the multi-page option appends a page.
    bool pages;
    // The longest side the format can store; 0 when only memory limits it.
    int maxSide;
};

// The nine formats in the save dialog's standard order.
std::span<const FileFormat> fileFormats();
// nullptr for a code or identifier that is not in the table.
const FileFormat* fileFormatByCode(int code);
const FileFormat* fileFormatById(std::int32_t formatId);
// nullptr when the format cannot store that many bits per pixel.
const Depth* depthOf(const FileFormat& format, int bitsPerPixel);

}  // namespace quorvel::imaging
