// SPDX-License-Identifier: GPL-3.0-or-later
#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace quorvel::app {
namespace {

QPixmap blankPicture(QSize size, qreal ratio) {
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    return picture;
}

// A double-headed arrow from `from` to `to`, heads `head` long.
void drawDoubleArrow(QPainter& painter, QPointF from, QPointF to, qreal head) {
    const QLineF shaft(from, to);
    const QPointF along = (to - from) / shaft.length();
    const QPointF across(-along.y(), along.x());
    painter.drawLine(from + along * head * 0.8, to - along * head * 0.8);
    for (const auto& [tip, inward] : {std::pair{from, along}, std::pair{to, -along}}) {
        painter.drawPolygon(QPolygonF{tip, tip + inward * head + across * head * 0.6,
                                      tip + inward * head - across * head * 0.6});
    }
}

QPixmap flipPicture(QSize size, qreal ratio, const QColor& ink, Qt::Orientation arrow) {
    QPixmap picture = blankPicture(size, ratio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(3, 3, -3, -3);
    const qreal head = std::min(area.width(), area.height()) * 0.28;

    painter.setPen(QPen(ink, 1, Qt::DashLine));
    if (arrow == Qt::Vertical) {
        painter.drawLine(QPointF(area.left(), area.center().y()),
                         QPointF(area.right(), area.center().y()));
    } else {
        painter.drawLine(QPointF(area.center().x(), area.top()),
                         QPointF(area.center().x(), area.bottom()));
    }
    painter.setPen(QPen(ink, 1.6));
    painter.setBrush(ink);
    if (arrow == Qt::Vertical) {
        drawDoubleArrow(painter, QPointF(area.center().x(), area.top()),
                        QPointF(area.center().x(), area.bottom()), head);
    } else {
        drawDoubleArrow(painter, QPointF(area.left(), area.center().y()),
                        QPointF(area.right(), area.center().y()), head);
    }
    return picture;
}

QColor exposed(const QColor& color, double exposure) {
    return QColor::fromRgbF(float(std::min(1.0, color.redF() * exposure)),
                            float(std::min(1.0, color.greenF() * exposure)),
                            float(std::min(1.0, color.blueF() * exposure)));
}

}  // namespace

QPixmap flipUpDownPicture(QSize size, qreal ratio, const QColor& ink) {
    return flipPicture(size, ratio, ink, Qt::Vertical);
}

QPixmap flipLeftRightPicture(QSize size, qreal ratio, const QColor& ink) {
    return flipPicture(size, ratio, ink, Qt::Horizontal);
}

QPixmap contrastPicture(QSize size, qreal ratio) {
    QPixmap picture = blankPicture(size, ratio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);

    QLinearGradient ramp(area.topLeft(), area.topRight());
    ramp.setColorAt(0, QColor(24, 24, 28));
    ramp.setColorAt(1, QColor(250, 246, 232));
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(ramp);
    painter.drawRoundedRect(area, 3, 3);

    QPainterPath curve(area.bottomLeft());
    curve.cubicTo(QPointF(area.left() + area.width() * 0.55, area.bottom()),
                  QPointF(area.left() + area.width() * 0.45, area.top()), area.topRight());
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 170, 40), 2));
    painter.drawPath(curve);
    return picture;
}

QPixmap landscapePicture(QSize size, qreal ratio, double exposure) {
    QPixmap picture = blankPicture(size, ratio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, exposed(QColor(70, 130, 200), exposure));
    sky.setColorAt(1, exposed(QColor(235, 215, 170), exposure));
    painter.fillRect(QRectF(0, 0, w, h), sky);

    painter.setPen(Qt::NoPen);
    painter.setBrush(exposed(QColor(255, 225, 120), exposure));
    painter.drawEllipse(QPointF(w * 0.78, h * 0.32), h * 0.16, h * 0.16);

    painter.setBrush(exposed(QColor(90, 110, 120), exposure));
    painter.drawPolygon(QPolygonF{{0, h * 0.75},
                                  {w * 0.22, h * 0.38},
                                  {w * 0.42, h * 0.66},
                                  {w * 0.6, h * 0.45},
                                  {w, h * 0.8},
                                  {w, h},
                                  {0, h}});
    painter.setBrush(exposed(QColor(60, 120, 60), exposure));
    QPainterPath meadow(QPointF(0, h * 0.86));
    meadow.cubicTo(QPointF(w * 0.35, h * 0.72), QPointF(w * 0.65, h * 0.95), QPointF(w, h * 0.8));
    meadow.lineTo(w, h);
    meadow.lineTo(0, h);
    painter.drawPath(meadow);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return picture;
}

}  // namespace quorvel::app
