// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExposureState.h"

#include <QObject>

class QAbstractButton;

namespace quorvel::imaging {
class ImageControl;
}

namespace quorvel::tone {

class ThumbTextSlider;

// The exposure slider and Restore, bound to the main window's controls and state: LEAD1 the
// working picture, LEAD2 the picture as loaded, LEAD3 the base every correction starts from.
class Exposure : public QObject {
    Q_OBJECT

public:
    struct Controls {
        imaging::ImageControl& LEAD1;
        imaging::ImageControl& LEAD2;
        imaging::ImageControl& LEAD3;
        ThumbTextSlider& Slider1;
        QAbstractButton& ContrastX;
        ExposureState& state;
    };

    explicit Exposure(Controls controls, QObject* parent = nullptr);

    // Runs for every move of the slider by the user (never for the program's own assignments):
    // takes the base on the first move, shows E beside the thumb and corrects the working picture.
    void Slider1_Scroll();

    // Rebuilds the working picture from the base through the tone curve for E. Any failure ends
    // silently in the base picture unchanged.
    void ApplyExposure(float exposure);

    // Back to the picture as loaded, with the slider at neutral.
    void Restore_Click();

private:
    void showBaseUnchanged();

    Controls c_;
};

}  // namespace quorvel::tone
