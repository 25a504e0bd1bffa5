// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

#include <span>

class QWidget;

namespace quorvel::app {

// Where each control of the main window sits. One table holds the places at the design size of
// the client area; a larger client area grows the two picture panels, which share the extra
// width and take all the extra height, and every other control keeps its place relative to them.
// On a screen too small for the design size the client area may be smaller, down to
// kSmallestClientSize: the panels (and the slider beside them) give up the missing height, and
// every control gives up a share of its width in proportion.
class MainLayout {
public:
    static constexpr QSize kClientSize{802, 514};
    static constexpr QSize kSmallestClientSize{640, 400};

    // The smallest client area the window allows on a screen leaving `available` for it: the
    // design size where it fits, else as much as there is, never below kSmallestClientSize.
    static QSize minimumClientSize(QSize available);

    // How a control follows the growth of its parent beyond the design size: its left edge moves
    // by `moveX` of the extra width and its right edge by `moveX + growX`; likewise downwards.
    struct Follow {
        double moveX = 0.0;
        double growX = 0.0;
        double moveY = 0.0;
        double growY = 0.0;
    };

    // A control, by object name, and its rectangle in twips (15 twips make one pixel at 96 dots
    // per inch) within its parent: the buttons of a frame are placed inside the frame and keep
    // their places there.
    struct Placement {
        const char* name;
        int left;
        int top;
        int width;
        int height;
        Follow follow = {};
    };

    static std::span<const Placement> placements();
    // The rectangle in pixels at the design size, each value rounded on its own.
    static QRect pixelRect(const Placement& placement);
    // The rectangle in pixels within a client area of `clientSize`; a size below
    // kSmallestClientSize counts as kSmallestClientSize.
    static QRect pixelRect(const Placement& placement, QSize clientSize);
    // Moves every control of `window` named in the table to its place for `clientSize`.
    static void apply(QWidget& window, QSize clientSize = kClientSize);
};

}  // namespace quorvel::app
