#include "MainLayout.h"

#include <QWidget>

#include <array>
#include <cmath>

namespace quorvel::app {
namespace {

constexpr int kTwipsPerPixel = 15;

// The panels, the slider with the "D" button, the banner and the panel titles have set places.
// Below the panels (which end at pixel 349, the "D" button at 361) come a line, a row of commands,
// a row of frames (turning and flipping on the left, quick resize on the right), both rows as wide
// as the two panels, another line and the web address.
constexpr std::array kPlacements{
    MainLayout::Placement{"LeftPicture", 240, 150, 3240, 750},
    MainLayout::Placement{"Label3", 3720, 480, 4452, 612},
    MainLayout::Placement{"RightPicture", 8535, 150, 3240, 750},
    MainLayout::Placement{"Label1", 2400, 960, 1200, 285},
    MainLayout::Placement{"Label2", 8640, 960, 1200, 285},
    MainLayout::Placement{"GlimraPicture", 5940, 1125, 390, 390},
    MainLayout::Placement{"LEAD2", 240, 1440, 5052, 3792},
    MainLayout::Placement{"Slider1", 5880, 1560, 516, 3372},
    MainLayout::Placement{"ContrastX", 5880, 5040, 375, 375},
    MainLayout::Placement{"LEAD1", 6720, 1440, 5052, 3792},
    MainLayout::Placement{"LEAD3", 0, 0, 375, 375},
    MainLayout::Placement{"LEAD4", 375, 0, 375, 375},
    MainLayout::Placement{"UpperLine", 240, 5550, 11535, 30},
    MainLayout::Placement{"LoadLead", 240, 5670, 1785, 420},
    MainLayout::Placement{"Save", 2190, 5670, 1785, 420},
    MainLayout::Placement{"Restore", 4140, 5670, 1785, 420},
    MainLayout::Placement{"Resize", 6090, 5670, 1785, 420},
    MainLayout::Placement{"Rotate", 8040, 5670, 1785, 420},
    MainLayout::Placement{"Help", 9990, 5670, 1785, 420},
    MainLayout::Placement{"QuickRotateFrame", 240, 6210, 3000, 900},
    MainLayout::Placement{"Rotate90", 180, 330, 780, 420},
    MainLayout::Placement{"Rotate180", 1110, 330, 780, 420},
    MainLayout::Placement{"Rotate270", 2040, 330, 780, 420},
    MainLayout::Placement{"FlipFrame", 3495, 6210, 1800, 900},
    MainLayout::Placement{"updown", 180, 330, 660, 420},
    MainLayout::Placement{"leftright", 960, 330, 660, 420},
    MainLayout::Placement{"QuickResizeFrame", 6720, 6210, 5055, 900},
    MainLayout::Placement{"Resize6", 210, 330, 855, 420},
    MainLayout::Placement{"Resize2", 1155, 330, 855, 420},
    MainLayout::Placement{"Resize3", 2100, 330, 855, 420},
    MainLayout::Placement{"Resize4", 3045, 330, 855, 420},
    MainLayout::Placement{"Resize5", 3990, 330, 855, 420},
    MainLayout::Placement{"LowerLine", 240, 7260, 11535, 30},
    MainLayout::Placement{"WebAddress", 3765, 7350, 4500, 270},
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

void MainLayout::apply(QWidget& window) {
    for (const Placement& placement : kPlacements) {
        if (auto* control = window.findChild<QWidget*>(QLatin1String(placement.name))) {
            control->setGeometry(pixelRect(placement));
        }
    }
}

}  // namespace quorvel::app
