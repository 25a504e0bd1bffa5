// SPDX-License-Identifier: GPL-3.0-or-later
#include "QImageConversion.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace quorvel::imaging {

namespace {

// Qt has no three-channel 16-bit format: each pixel gets an opaque fourth channel.
QImage rgb16Copy(const Bitmap& bitmap) {
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGBX64);
    if (image.isNull()) {
        throw std::bad_alloc();
    }
    for (int y = 0; y < bitmap.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint16_t*>(bitmap.row(y));
        auto* out = reinterpret_cast<std::uint16_t*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x, in += 3, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 0xFFFF;
        }
    }
    return image;
}

// 16-bit RGB straight to RGB32 in one pass, each sample at its nearest 8-bit level as Qt's own
// conversion rounds it, without the RGBX64 copy in between.
QImage rgb16Region(const Bitmap& bitmap, const QRect& region) {
    QImage image(region.size(), QImage::Format_RGB32);
    if (image.isNull()) {
        throw std::bad_alloc();
    }
    const auto level = [](std::uint16_t value) { return (unsigned(value) + 128u) / 257u; };
    for (int y = 0; y < region.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint16_t*>(bitmap.row(region.top() + y)) +
                         std::size_t(region.left()) * 3;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < region.width(); ++x, in += 3) {
            out[x] = 0xFF000000u | level(in[0]) << 16 | level(in[1]) << 8 | level(in[2]);
        }
    }
    return image;
}

}  // namespace

QImage toQImage(const Bitmap& bitmap) {
    if (bitmap.isNull()) {
        return {};
    }
    if (bitmap.isSixteenBit() && bitmap.layout() == PixelLayout::Rgb) {
        return rgb16Copy(bitmap);
    }
    const bool wide = bitmap.isSixteenBit();
    QImage::Format format = QImage::Format_RGB888;
    switch (bitmap.layout()) {
        case PixelLayout::Grey:
            format = wide ? QImage::Format_Grayscale16 : QImage::Format_Grayscale8;
            break;
        case PixelLayout::Rgb:
            format = QImage::Format_RGB888;
            break;
        case PixelLayout::Rgba:
            format = wide ? QImage::Format_RGBA64 : QImage::Format_RGBA8888;
            break;
    }
    // The QImage holds a copy of the Bitmap handle, which keeps the shared pixels alive.
    auto* keepAlive = new Bitmap(bitmap);
    return QImage(
        bitmap.pixels(), bitmap.width(), bitmap.height(), qsizetype(bitmap.rowBytes()), format,
        [](void* held) { delete static_cast<Bitmap*>(held); }, keepAlive);
}

QImage paintableRegion(const Bitmap& bitmap, const QRect& region) {
    const QRect clipped = region & QRect(0, 0, bitmap.width(), bitmap.height());
    if (bitmap.isNull() || clipped.isEmpty()) {
        return {};
    }
    if (bitmap.isSixteenBit() && bitmap.layout() == PixelLayout::Rgb) {
        return rgb16Region(bitmap, clipped);
    }
    // The other layouts are read in place, so only the region is copied and converted.
    return toQImage(bitmap).copy(clipped).convertToFormat(
        bitmap.hasAlpha() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
}

Bitmap fromQImage(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    PixelLayout layout = PixelLayout::Rgb;
    QImage converted;
    if (image.isGrayscale() && !image.hasAlphaChannel()) {
        layout = PixelLayout::Grey;
        converted = image.convertToFormat(QImage::Format_Grayscale8);
    } else if (image.hasAlphaChannel()) {
        layout = PixelLayout::Rgba;
        converted = image.convertToFormat(QImage::Format_RGBA8888);
    } else {
        converted = image.convertToFormat(QImage::Format_RGB888);
    }
    PixelBuffer buffer(converted.width(), converted.height(), layout);
    for (int y = 0; y < converted.height(); ++y) {
        std::memcpy(buffer.row(y), converted.constScanLine(y), buffer.rowBytes());
    }
    return Bitmap(std::move(buffer));
}

}  // namespace quorvel::imaging
