// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestImages.h"

#include "ErrorCodes.h"
#include "ImagingError.h"

#include <QColor>

#include <gtest/gtest.h>

#include <random>

namespace quorvel::imaging {

void PrintTo(PixelLayout layout, std::ostream* out) {
    *out << (layout == PixelLayout::Grey ? "Grey" : layout == PixelLayout::Rgb ? "Rgb" : "Rgba");
}

}  // namespace quorvel::imaging

namespace quorvel::testing {

using imaging::Bitmap;
using imaging::PixelBuffer;
using imaging::PixelLayout;

int errorOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const imaging::ImagingError& error) {
        EXPECT_EQ(error.source(), imaging::kImageControlSource);
        return error.number();
    }
    return 0;
}

QByteArray exifWithOrientation(char orientation) {
    return QByteArray("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24) + orientation +
           QByteArray(7, '\0');
}

QByteArray withExifSegment(QByteArray jpeg, const QByteArray& exif) {
    const qsizetype length = exif.size() + 2;
    return jpeg.insert(2,
                       QByteArray("\xff\xe1", 2) + char(length >> 8) + char(length & 0xff) + exif);
}

Bitmap patternBitmap(int width, int height, PixelLayout layout) {
    PixelBuffer buffer(width, height, layout);
    const int channels = imaging::channelCount(layout);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = buffer.row(y);
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                const bool alpha = layout == PixelLayout::Rgba && c == 3;
                row[x * channels + c] =
                    std::uint8_t(alpha ? (x + y * 3) % 256 : (x * 7 + y * 13 + c * 50) % 256);
            }
        }
    }
    return Bitmap(std::move(buffer));
}

Bitmap randomBitmap(int width, int height, PixelLayout layout, unsigned seed, int lowest) {
    PixelBuffer buffer(width, height, layout);
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < buffer.byteCount(); ++i) {
        buffer.data()[i] = std::uint8_t(lowest + int(random() % unsigned(256 - lowest)));
    }
    return Bitmap(std::move(buffer));
}

Bitmap solidBitmap(int width, int height, PixelLayout layout, int red, int green, int blue,
                   int alpha) {
    PixelBuffer buffer(width, height, layout);
    const int channels = imaging::channelCount(layout);
    const std::uint8_t values[4] = {std::uint8_t(red), std::uint8_t(green), std::uint8_t(blue),
                                    std::uint8_t(alpha)};
    for (std::size_t i = 0; i < buffer.byteCount(); ++i) {
        buffer.data()[i] = values[i % std::size_t(channels)];
    }
    return Bitmap(std::move(buffer));
}

QColor pixelAt(const Bitmap& bitmap, int x, int y) {
    if (bitmap.isSixteenBit()) {
        const auto* p = reinterpret_cast<const std::uint16_t*>(bitmap.row(y)) +
                        std::size_t(x) * std::size_t(bitmap.channels());
        switch (bitmap.layout()) {
            case PixelLayout::Grey:
                return QColor::fromRgba64(p[0], p[0], p[0]);
            case PixelLayout::Rgb:
                return QColor::fromRgba64(p[0], p[1], p[2]);
            case PixelLayout::Rgba:
                return QColor::fromRgba64(p[0], p[1], p[2], p[3]);
        }
    }
    const std::uint8_t* p = bitmap.row(y) + std::size_t(x) * std::size_t(bitmap.channels());
    switch (bitmap.layout()) {
        case PixelLayout::Grey:
            return QColor(p[0], p[0], p[0]);
        case PixelLayout::Rgb:
            return QColor(p[0], p[1], p[2]);
        case PixelLayout::Rgba:
            return QColor(p[0], p[1], p[2], p[3]);
    }
    return {};
}

}  // namespace quorvel::testing
