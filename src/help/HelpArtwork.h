// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QSize>

class QWidget;

namespace quorvel::help {

// The help window's pictures, drawn in code so that they stay sharp at any pixel density
// (`ratio` is the device pixel ratio).

// The program's emblem: a tile split diagonally into a dark and a light half, marked plus and
// minus, under a sun.
QPixmap emblemPicture(QSize size, qreal ratio);

// The exposure controls as the main window shows them, in the style and palette of `look`: the
// slider at its neutral position beside a white-to-black bar, the "D" button below them.
QPixmap exposureControlsPicture(QSize size, qreal ratio, const QWidget& look);

}  // namespace quorvel::help
