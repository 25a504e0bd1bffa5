#pragma once

#include <QRect>
#include <QSize>

#include <span>

class QWidget;

namespace quorvel::app {

// Where each control of the main window sits at the design size of its client area. Kept in one
// table so that the layout can later follow the window's size.
class MainLayout {
public:
    static constexpr QSize kClientSize{802, 514};

    // A control, by object name, and its rectangle in twips (15 twips make one pixel at 96 dots
    // per inch) within its parent: the buttons of a frame are placed inside the frame.
    struct Placement {
        const char* name;
        int left;
        int top;
        int width;
        int height;
    };

    static std::span<const Placement> placements();
    // The rectangle in pixels, each value rounded on its own.
    static QRect pixelRect(const Placement& placement);
    // Moves every control of `window` named in the table to its place.
    static void apply(QWidget& window);
};

}  // namespace quorvel::app
