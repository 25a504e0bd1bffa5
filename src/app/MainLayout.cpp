// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainLayout.h"

#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>

namespace quorvel::app {
namespace {

constexpr int kTwipsPerPixel = 15;

using Follow = MainLayout::Follow;

// The panels share the extra width and take the extra height; what lies between them stays
// centred between them, the titles over their panels, and everything below moves down with their
// lower edge.
constexpr Follow kLeftPanel{0.0, 0.5, 0.0, 1.0};
constexpr Follow kRightPanel{0.5, 0.5, 0.0, 1.0};
constexpr Follow kOverLeftPanel{0.25, 0.0, 0.0, 0.0};
constexpr Follow kOverRightPanel{0.75, 0.0, 0.0, 0.0};
constexpr Follow kTopCentre{0.5, 0.0, 0.0, 0.0};
constexpr Follow kTopRight{1.0, 0.0, 0.0, 0.0};
constexpr Follow kBetweenPanels{0.5, 0.0, 0.0, 1.0};
constexpr Follow kBelowPanels{0.0, 0.0, 1.0, 0.0};
constexpr Follow kBelowBetweenPanels{0.5, 0.0, 1.0, 0.0};
constexpr Follow kBelowAcross{0.0, 1.0, 1.0, 0.0};

// The row of commands stays spread evenly under both panels.
constexpr Follow belowAt(double share) {
    return Follow{share, 0.0, 1.0, 0.0};
}

// The panels, the slider with the "D" button, the banner and the panel titles have set places.
// Below the panels (which end at pixel 349, the "D" button at 361) come a line, a row of commands,
// a row of frames (turning and flipping on the left, quick resize on the right), both rows as wide
// as the two panels, another line and the web address.
constexpr std::array kPlacements{
    MainLayout::Placement{"LeftPicture", 240, 150, 3240, 750},
    MainLayout::Placement{"Label3", 3720, 480, 4452, 612, kTopCentre},
    MainLayout::Placement{"RightPicture", 8535, 150, 3240, 750, kTopRight},
    MainLayout::Placement{"Label1", 2400, 960, 1200, 285, kOverLeftPanel},
    MainLayout::Placement{"Label2", 8640, 960, 1200, 285, kOverRightPanel},
    MainLayout::Placement{"GlimraPicture", 5940, 1125, 390, 390, kTopCentre},
    MainLayout::Placement{"LEAD2", 240, 1440, 5052, 3792, kLeftPanel},
    MainLayout::Placement{"Slider1", 5880, 1560, 516, 3372, kBetweenPanels},
    MainLayout::Placement{"ContrastX", 5880, 5040, 375, 375, kBelowBetweenPanels},
    MainLayout::Placement{"LEAD1", 6720, 1440, 5052, 3792, kRightPanel},
    MainLayout::Placement{"LEAD3", 0, 0, 375, 375},
    MainLayout::Placement{"LEAD4", 375, 0, 375, 375},
    MainLayout::Placement{"UpperLine", 240, 5550, 11535, 30, kBelowAcross},
    MainLayout::Placement{"LoadLead", 240, 5670, 1785, 420, belowAt(0.0)},
    MainLayout::Placement{"Save", 2190, 5670, 1785, 420, belowAt(0.2)},
    MainLayout::Placement{"Restore", 4140, 5670, 1785, 420, belowAt(0.4)},
    MainLayout::Placement{"Resize", 6090, 5670, 1785, 420, belowAt(0.6)},
    MainLayout::Placement{"Rotate", 8040, 5670, 1785, 420, belowAt(0.8)},
    MainLayout::Placement{"Help", 9990, 5670, 1785, 420, belowAt(1.0)},
    MainLayout::Placement{"QuickRotateFrame", 240, 6210, 3000, 900, kBelowPanels},
    MainLayout::Placement{"Rotate90", 180, 330, 780, 420},
    MainLayout::Placement{"Rotate180", 1110, 330, 780, 420},
    MainLayout::Placement{"Rotate270", 2040, 330, 780, 420},
    // Flush with the left panel's right edge, as the quick resize frame is with the right
    // panel's left edge.
    MainLayout::Placement{"FlipFrame", 3495, 6210, 1800, 900, kBelowBetweenPanels},
    MainLayout::Placement{"updown", 180, 330, 660, 420},
    MainLayout::Placement{"leftright", 960, 330, 660, 420},
    MainLayout::Placement{"QuickResizeFrame", 6720, 6210, 5055, 900, kBelowBetweenPanels},
    MainLayout::Placement{"Resize6", 210, 330, 855, 420},
    MainLayout::Placement{"Resize2", 1155, 330, 855, 420},
    MainLayout::Placement{"Resize3", 2100, 330, 855, 420},
    MainLayout::Placement{"Resize4", 3045, 330, 855, 420},
    MainLayout::Placement{"Resize5", 3990, 330, 855, 420},
    MainLayout::Placement{"LowerLine", 240, 7260, 11535, 30, kBelowAcross},
    MainLayout::Placement{"WebAddress", 3765, 7350, 4500, 270, kBelowBetweenPanels},
};

int pixels(int twips) {
    return int(std::lround(double(twips) / kTwipsPerPixel));
}

}  // namespace

std::span<const MainLayout::Placement> MainLayout::placements() {
    return kPlacements;
}

QRect MainLayout::pixelRect(const Placement& placement) {
    return QRect(pixels(placement.left), pixels(placement.top), pixels(placement.width),
                 pixels(placement.height));
}

QSize MainLayout::minimumClientSize(QSize available) {
    return kClientSize.boundedTo(available).expandedTo(kSmallestClientSize);
}

// Edges rather than sizes follow the growth, each rounded on its own, so that controls that meet
// at the design size still meet at any size (an odd extra width gives one panel the extra pixel).
// Below the design width every edge scales, in its parent, by the same factor: the row of six
// commands and the frames below the panels then keep their gaps, which a shrinking of the panels
// alone would close.
QRect MainLayout::pixelRect(const Placement& placement, QSize clientSize) {
    const QRect design = pixelRect(placement);
    const QSize size = clientSize.expandedTo(kSmallestClientSize);
    // Missing width is taken by the scaling; missing height, like extra height, by the panels.
    const int extraWidth = std::max(0, size.width() - kClientSize.width());
    const int extraHeight = size.height() - kClientSize.height();
    const double scale = std::min(1.0, double(size.width()) / kClientSize.width());
    const auto scaled = [scale](int x) { return int(std::lround(x * scale)); };
    const auto shift = [](int length, double share) { return int(std::lround(length * share)); };
    const Follow& follow = placement.follow;
    const int left = scaled(design.left()) + shift(extraWidth, follow.moveX);
    const int right = scaled(design.left() + design.width()) +
                      shift(extraWidth, follow.moveX + follow.growX);
    const int top = design.top() + shift(extraHeight, follow.moveY);
    const int bottom =
        design.top() + design.height() + shift(extraHeight, follow.moveY + follow.growY);
    return QRect(left, top, right - left, bottom - top);
}

void MainLayout::apply(QWidget& window, QSize clientSize) {
    for (const Placement& placement : kPlacements) {
        if (auto* control = window.findChild<QWidget*>(QLatin1String(placement.name))) {
            control->setGeometry(pixelRect(placement, clientSize));
        }
    }
}

}  // namespace quorvel::app
