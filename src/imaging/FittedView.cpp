#include "FittedView.h"

#include "QImageConversion.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorvel::imaging {
namespace {

QImage::Format viewFormat(const Bitmap& bitmap) {
    return bitmap.hasAlpha() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

// Area average over integer boxes straight from the Bitmap into a paintable image. Box edges are
// spread evenly, so every source pixel counts exactly once.
QImage boxReduced(const Bitmap& bitmap, QSize size) {
    const int sw = bitmap.width();
    const int sh = bitmap.height();
    const int dw = size.width();
    const int dh = size.height();
    const int channels = bitmap.channels();
    const bool alpha = bitmap.hasAlpha();

    std::vector<int> xStart(std::size_t(dw) + 1);
    for (int x = 0; x <= dw; ++x) {
        xStart[std::size_t(x)] = int(std::int64_t(x) * sw / dw);
    }
    QImage result(size, viewFormat(bitmap));
    std::vector<std::uint64_t> sums(std::size_t(dw) * 4);
    for (int y = 0; y < dh; ++y) {
        const int y0 = int(std::int64_t(y) * sh / dh);
        const int y1 = int(std::int64_t(y + 1) * sh / dh);
        std::fill(sums.begin(), sums.end(), 0);
        for (int sy = y0; sy < y1; ++sy) {
            const std::uint8_t* row = bitmap.row(sy);
            for (int x = 0; x < dw; ++x) {
                std::uint64_t* sum = &sums[std::size_t(x) * 4];
                const std::uint8_t* p =
                    row + std::size_t(xStart[std::size_t(x)]) * std::size_t(channels);
                const std::uint8_t* end =
                    row + std::size_t(xStart[std::size_t(x) + 1]) * std::size_t(channels);
                if (channels == 1) {
                    for (; p < end; ++p) {
                        sum[0] += *p;
                    }
                } else if (!alpha) {
                    for (; p < end; p += 3) {
                        sum[0] += p[0];
                        sum[1] += p[1];
                        sum[2] += p[2];
                    }
                } else {
                    // Colours weighted by their opacity: transparent pixels add no colour.
                    for (; p < end; p += 4) {
                        sum[0] += unsigned(p[0]) * p[3];
                        sum[1] += unsigned(p[1]) * p[3];
                        sum[2] += unsigned(p[2]) * p[3];
                        sum[3] += p[3];
                    }
                }
            }
        }
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < dw; ++x) {
            const std::uint64_t* sum = &sums[std::size_t(x) * 4];
            const std::uint64_t n =
                std::uint64_t(xStart[std::size_t(x) + 1] - xStart[std::size_t(x)]) *
                std::uint64_t(y1 - y0);
            const std::uint64_t half = n / 2;
            if (channels == 1) {
                const int v = int((sum[0] + half) / n);
                out[x] = qRgb(v, v, v);
            } else if (!alpha) {
                out[x] = qRgb(int((sum[0] + half) / n), int((sum[1] + half) / n),
                              int((sum[2] + half) / n));
            } else {
                const std::uint64_t colourDivisor = n * 255;
                const std::uint64_t colourHalf = colourDivisor / 2;
                out[x] =
                    qRgba(int((sum[0] + colourHalf) / colourDivisor),
                          int((sum[1] + colourHalf) / colourDivisor),
                          int((sum[2] + colourHalf) / colourDivisor), int((sum[3] + half) / n));
            }
        }
    }
    return result;
}

}  // namespace

QSize fittedSize(QSize imageSize, QSize bounds) {
    if (imageSize.isEmpty() || bounds.isEmpty()) {
        return {1, 1};
    }
    const double scale = std::min(double(bounds.width()) / imageSize.width(),
                                  double(bounds.height()) / imageSize.height());
    return {std::max(1, int(std::lround(imageSize.width() * scale))),
            std::max(1, int(std::lround(imageSize.height() * scale)))};
}

QImage scaledView(const Bitmap& bitmap, QSize size) {
    if (bitmap.isNull() || size.isEmpty()) {
        return {};
    }
    const QSize source(bitmap.width(), bitmap.height());
    // Large reductions go through the box filter to within a factor of two of the target, which is
    // where Qt's smooth scaling is both sharp and quick; small ones and enlargements go to Qt.
    const int factor = std::min(source.width() / size.width(), source.height() / size.height());
    QImage view;
    if (factor >= 2) {
        view = boxReduced(bitmap, QSize(std::max(size.width(), source.width() / factor),
                                        std::max(size.height(), source.height() / factor)));
    } else {
        view = toQImage(bitmap).convertToFormat(viewFormat(bitmap));
    }
    if (view.size() != size) {
        view = view.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return view;
}

}  // namespace quorvel::imaging
