// SPDX-License-Identifier: GPL-3.0-or-later
#include "QImageConversion.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace quorvel::imaging {

namespace {

// Qt has no three-channel 16-bit format: each pixel of `region` gets an opaque fourth channel.
QImage rgb16Copy(const Bitmap& bitmap, const QRect& region) {
    QImage image(region.size(), QImage::Format_RGBX64);
    if (image.isNull()) {
        throw std::bad_alloc();
    }
    for (int y = 0; y < region.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint16_t*>(bitmap.row(region.top() + y)) +
                         region.left() * 3;
        auto* out = reinterpret_cast<std::uint16_t*>(image.scanLine(y));
        for (int x = 0; x < region.width(); ++x, in += 3, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 0xFFFF;
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
        return rgb16Copy(bitmap, QRect(0, 0, bitmap.width(), bitmap.height()));
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

QImage toQImage(const Bitmap& bitmap, const QRect& region) {
    const QRect clipped = region & QRect(0, 0, bitmap.width(), bitmap.height());
    if (bitmap.isNull() || clipped.isEmpty()) {
        return {};
    }
    if (bitmap.isSixteenBit() && bitmap.layout() == PixelLayout::Rgb) {
        return rgb16Copy(bitmap, clipped);
    }
    return toQImage(bitmap).copy(clipped);
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
