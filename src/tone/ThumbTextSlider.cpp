// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThumbTextSlider.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>

namespace quorvel::tone {

ThumbTextSlider::ThumbTextSlider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent) {}

void ThumbTextSlider::SetThumbText(const QString& text) {
    thumbText_ = text;
    QStyleOptionSlider option;
    initStyleOption(&option);
    // The slider's value is about to follow the position the user moved the thumb to.
    option.sliderPosition = sliderPosition();
    option.sliderValue = sliderPosition();
    const QRect thumb =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const QPoint beside = orientation() == Qt::Vertical ? QPoint(thumb.right() + 4, thumb.top())
                                                        : QPoint(thumb.left(), thumb.bottom() + 4);
    QToolTip::showText(mapToGlobal(beside), text, this, thumb);
}

}  // namespace quorvel::tone
