// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QStyleOptionToolButton>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvel::help {
namespace {

// The main window's slider: 0 to 40, neutral at 20, ticks every 5 on the right, 34 by 225
// pixels, with the 25-pixel "D" button below it.
constexpr QRect kSliderRect{14, 4, 34, 225};
constexpr QRect kButtonRect{14, 247, 25, 25};
// The bar beside the slider, as tall as the slider's travel.
constexpr QRect kBarRect{52, 12, 14, 212};

QPixmap blankPicture(QSize size, qreal ratio) {
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    return picture;
}

void drawSlider(QPainter& painter, const QWidget& look) {
    QStyleOptionSlider slider;
    slider.initFrom(&look);
    slider.rect = QRect(QPoint(0, 0), kSliderRect.size());
    slider.orientation = Qt::Vertical;
    slider.minimum = 0;
    slider.maximum = 40;
    slider.sliderPosition = 20;
    slider.sliderValue = 20;
    slider.singleStep = 1;
    slider.pageStep = 5;
    slider.tickPosition = QSlider::TicksRight;
    slider.tickInterval = 5;
    slider.subControls =
        QStyle::SC_SliderGroove | QStyle::SC_SliderHandle | QStyle::SC_SliderTickmarks;
    slider.state &= ~QStyle::State_HasFocus;
    painter.save();
    painter.translate(kSliderRect.topLeft());
    look.style()->drawComplexControl(QStyle::CC_Slider, &slider, &painter);
    painter.restore();
}

void drawButton(QPainter& painter, const QWidget& look) {
    QStyleOptionToolButton button;
    button.initFrom(&look);
    button.rect = QRect(QPoint(0, 0), kButtonRect.size());
    button.text = QStringLiteral("D");
    button.toolButtonStyle = Qt::ToolButtonTextOnly;
    button.subControls = QStyle::SC_ToolButton;
    button.state = (button.state & ~QStyle::State_HasFocus) | QStyle::State_Raised;
    painter.save();
    painter.translate(kButtonRect.topLeft());
    look.style()->drawComplexControl(QStyle::CC_ToolButton, &button, &painter);
    painter.restore();
}

}  // namespace

QPixmap emblemPicture(QSize size, qreal ratio) {
    QPixmap picture = blankPicture(size, ratio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF tile = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(2.5, 2.5, -2.5, -2.5);
    const qreal radius = std::min(tile.width(), tile.height()) * 0.18;

    QPainterPath outline;
    outline.addRoundedRect(tile, radius, radius);
    painter.setClipPath(outline);
    painter.fillRect(tile, QColor(250, 244, 226));
    QPolygonF darkHalf{tile.bottomLeft(), tile.topRight(), tile.bottomRight()};
    QLinearGradient shade(tile.topLeft(), tile.bottomRight());
    shade.setColorAt(0, QColor(70, 76, 92));
    shade.setColorAt(1, QColor(22, 24, 30));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawPolygon(darkHalf);

    // A sun in the light half: the well exposed side.
    const QPointF sun(tile.left() + tile.width() * 0.3, tile.top() + tile.height() * 0.3);
    const qreal sunRadius = tile.height() * 0.11;
    painter.setBrush(QColor(255, 176, 40));
    painter.drawEllipse(sun, sunRadius, sunRadius);
    painter.setPen(QPen(QColor(255, 176, 40), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int ray = 0; ray < 8; ++ray) {
        const qreal angle = ray * std::numbers::pi / 4;
        const QPointF along(std::cos(angle), std::sin(angle));
        painter.drawLine(sun + along * sunRadius * 1.5, sun + along * sunRadius * 2.2);
    }

    // Plus on the light side, minus on the dark side, as on an exposure dial.
    const qreal arm = tile.width() * 0.09;
    painter.setPen(QPen(QColor(40, 44, 54), 2.4, Qt::SolidLine, Qt::RoundCap));
    const QPointF plus(tile.left() + tile.width() * 0.3, tile.top() + tile.height() * 0.72);
    painter.drawLine(plus - QPointF(arm, 0), plus + QPointF(arm, 0));
    painter.drawLine(plus - QPointF(0, arm), plus + QPointF(0, arm));
    painter.setPen(QPen(QColor(240, 240, 240), 2.4, Qt::SolidLine, Qt::RoundCap));
    const QPointF minus(tile.left() + tile.width() * 0.72, tile.top() + tile.height() * 0.72);
    painter.drawLine(minus - QPointF(arm, 0), minus + QPointF(arm, 0));

    painter.setClipping(false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.drawPath(outline);
    return picture;
}

QPixmap exposureControlsPicture(QSize size, qreal ratio, const QWidget& look) {
    QPixmap picture = blankPicture(size, ratio);
    QPainter painter(&picture);
    drawSlider(painter, look);

    // Brighter at the top, where the slider raises the exposure.
    QLinearGradient bar(QPointF(kBarRect.topLeft()), QPointF(kBarRect.bottomLeft()));
    bar.setColorAt(0, Qt::white);
    bar.setColorAt(1, Qt::black);
    painter.fillRect(kBarRect, bar);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawRect(kBarRect.adjusted(-1, -1, 0, 0));

    drawButton(painter, look);
    return picture;
}

}  // namespace quorvel::help
