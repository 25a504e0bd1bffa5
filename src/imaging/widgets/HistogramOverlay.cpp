// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistogramOverlay.h"

#include "ImageControl.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace quorvel::imaging {
namespace {

constexpr QSize kGraphSize(128, 64);
constexpr int kMargin = 6;

// One channel's curve over the graph: levels left to right, counts bottom to top, scaled to the
// tallest count of all curves (square-rooted, so that small counts still show).
QPainterPath curveOf(const ViewHistogram::Counts& counts, double tallest, QRectF graph) {
    QPainterPath path(graph.bottomLeft());
    for (std::size_t level = 0; level < counts.size(); ++level) {
        const double height = tallest > 0 ? std::sqrt(double(counts[level]) / tallest) : 0.0;
        path.lineTo(graph.left() + graph.width() * double(level) / 255.0,
                    graph.bottom() - graph.height() * height);
    }
    path.lineTo(graph.bottomRight());
    return path;
}

}  // namespace

HistogramOverlay::HistogramOverlay(ImageControl& panel) : QWidget(&panel), panel_(panel) {
    setObjectName(QStringLiteral("HistogramOverlay"));
    setAccessibleName(tr("Histogram"));
    // Clicks go through to the panel, which opens the preview.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    // Wide enough for the longest clipping text in this language and font.
    const QFontMetrics metrics = fontMetrics();
    const int textWidth =
        metrics.horizontalAdvance(clippingText(QStringLiteral("100.0"), QStringLiteral("100.0")));
    resize(std::max(kGraphSize.width(), textWidth) + 2 * kMargin,
           kGraphSize.height() + 2 * kMargin + metrics.height());
    panel.installEventFilter(this);
    placeInCorner();
}

const ViewHistogram& HistogramOverlay::Histogram() {
    const QImage view = panel_.DisplayedView();
    if (view.cacheKey() != countedView_) {
        countedView_ = view.cacheKey();
        histogram_ = histogramOfView(view);
        setAccessibleDescription(clippingText(histogram_));
    }
    return histogram_;
}

QString HistogramOverlay::clippingText(const ViewHistogram& histogram) {
    return clippingText(QString::number(histogram.blackPercent(), 'f', 1),
                        QString::number(histogram.whitePercent(), 'f', 1));
}

QString HistogramOverlay::clippingText(const QString& blackPercent, const QString& whitePercent) {
    return tr("%1 % black, %2 % white").arg(blackPercent, whitePercent);
}

void HistogramOverlay::paintEvent(QPaintEvent*) {
    const ViewHistogram& histogram = Histogram();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0, 0, 0, 128));
    if (histogram.pixels == 0) {
        return;
    }
    const QRectF graph(kMargin, kMargin, kGraphSize.width(), kGraphSize.height());
    double tallest = 0;
    for (const auto* counts :
         {&histogram.luminance, &histogram.red, &histogram.green, &histogram.blue}) {
        tallest = std::max(tallest, double(*std::max_element(counts->begin(), counts->end())));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 110));
    painter.drawPath(curveOf(histogram.luminance, tallest, graph));
    painter.setBrush(Qt::NoBrush);
    const std::pair<const ViewHistogram::Counts*, QColor> channels[] = {
        {&histogram.red, QColor(255, 80, 80, 200)},
        {&histogram.green, QColor(80, 255, 80, 200)},
        {&histogram.blue, QColor(100, 140, 255, 200)}};
    for (const auto& [counts, colour] : channels) {
        painter.setPen(QPen(colour, 1));
        painter.drawPath(curveOf(*counts, tallest, graph));
    }
    painter.setPen(Qt::white);
    painter.drawText(
        QRectF(kMargin, graph.bottom(), width() - 2 * kMargin, height() - graph.bottom() - kMargin),
        Qt::AlignLeft | Qt::AlignVCenter, clippingText(histogram));
}

bool HistogramOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &panel_ && event->type() == QEvent::Resize) {
        placeInCorner();
    }
    return QWidget::eventFilter(watched, event);
}

void HistogramOverlay::placeInCorner() {
    move(panel_.contentsRect().topLeft() + QPoint(3, 3));
}

}  // namespace quorvel::imaging
