// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>

namespace quorvel::app {

// The main window's own pictures, drawn in code so that they stay sharp at any pixel density
// (`ratio` is the device pixel ratio). `ink` is the colour of the lines on button faces.

// Flip button: a double arrow up and down across a dashed mirror line.
QPixmap flipUpDownPicture(QSize size, qreal ratio, const QColor& ink);
// Mirror button: a double arrow left and right across a dashed mirror line.
QPixmap flipLeftRightPicture(QSize size, qreal ratio, const QColor& ink);
// The emblem above the exposure slider: an S-shaped tone curve over a dark-to-light ramp.
QPixmap contrastPicture(QSize size, qreal ratio);
// A small landscape under a sun; `exposure` 1 is well exposed, lower values are darker.
QPixmap landscapePicture(QSize size, qreal ratio, double exposure);

}  // namespace quorvel::app
