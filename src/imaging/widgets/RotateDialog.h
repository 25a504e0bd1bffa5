// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"

#include <QColor>
#include <QDialog>

#include <cstdint>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace quorvel::imaging {

// Asks for a rotation: the angle in degrees with two decimals, the colour of the uncovered area
// (chosen in a colour picker) and whether the canvas grows to hold the whole turned picture. A
// small preview shows the picture turned as chosen; the caller reads the choice after the dialog
// was accepted.
class RotateDialog : public QDialog {
    Q_OBJECT

public:
    // The preview fits a square of this many pixels.
    static constexpr int kPreviewSide = 200;

    // `angle` in hundredths of a degree clockwise, `fillColor` as 0x00BBGGRR.
    RotateDialog(const Bitmap& picture, std::int32_t angle, std::uint32_t fillColor,
                 bool growCanvas, QWidget* parent = nullptr);

    // Hundredths of a degree clockwise.
    std::int32_t RotateAngle() const;
    // 0x00BBGGRR.
    std::uint32_t FillColor() const;
    bool RotateOption() const;

private:
    void chooseFillColor();
    void showFillColor();
    void updatePreview();

    Bitmap thumbnail_;
    QColor fill_;
    QDoubleSpinBox* angle_ = nullptr;
    QPushButton* fillColor_ = nullptr;
    QCheckBox* growCanvas_ = nullptr;
    QLabel* preview_ = nullptr;
};

}  // namespace quorvel::imaging
