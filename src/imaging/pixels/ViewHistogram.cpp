// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewHistogram.h"

namespace quorvel::imaging {
namespace {

double percentOf(std::uint64_t count, std::uint64_t total) {
    return total == 0 ? 0.0 : 100.0 * double(count) / double(total);
}

}  // namespace

double ViewHistogram::blackPercent() const {
    return percentOf(luminance[0], pixels);
}

double ViewHistogram::whitePercent() const {
    return percentOf(luminance[255], pixels);
}

ViewHistogram histogramOfView(const QImage& view) {
    ViewHistogram result;
    if (view.isNull()) {
        return result;
    }
    // Views are small (a panel's pixels): a plain loop over 32-bit pixels is quick enough.
    const QImage pixels = view.format() == QImage::Format_RGB32 ||
                                  view.format() == QImage::Format_ARGB32_Premultiplied
                              ? view
                              : view.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const unsigned r = unsigned(qRed(line[x]));
            const unsigned g = unsigned(qGreen(line[x]));
            const unsigned b = unsigned(qBlue(line[x]));
            ++result.red[r];
            ++result.green[g];
            ++result.blue[b];
            ++result.luminance[(299u * r + 587u * g + 114u * b + 500u) / 1000u];
        }
    }
    result.pixels = std::uint64_t(pixels.width()) * std::uint64_t(pixels.height());
    return result;
}

}  // namespace quorvel::imaging
