#include "QImageConversion.h"

#include <cstring>

namespace quorvel::imaging {

QImage toQImage(const Bitmap& bitmap) {
    if (bitmap.isNull()) {
        return {};
    }
    QImage::Format format = QImage::Format_RGB888;
    switch (bitmap.layout()) {
        case PixelLayout::Grey:
            format = QImage::Format_Grayscale8;
            break;
        case PixelLayout::Rgb:
            format = QImage::Format_RGB888;
            break;
        case PixelLayout::Rgba:
            format = QImage::Format_RGBA8888;
            break;
    }
    // The QImage holds a copy of the Bitmap handle, which keeps the shared pixels alive.
    auto* keepAlive = new Bitmap(bitmap);
    return QImage(
        bitmap.pixels(), bitmap.width(), bitmap.height(), qsizetype(bitmap.rowBytes()), format,
        [](void* held) { delete static_cast<Bitmap*>(held); }, keepAlive);
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
