// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QSize>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace quorvel::imaging {

// Asks for a new picture size, in pixels or in percent of the current size, with the aspect ratio
// locked by default, and for the resampling. It starts from the current size and the given
// ResizeFlags; the caller reads the choice after the dialog was accepted.
class ResizeDialog : public QDialog {
    Q_OBJECT

public:
    // The largest side the dialog offers; the image control refuses what exceeds its budget.
    static constexpr int kMaxSide = 1'000'000;

    ResizeDialog(QSize pictureSize, short resizeFlags, QWidget* parent = nullptr);

    std::int32_t NewWidth() const;
    std::int32_t NewHeight() const;
    // The ResizeImage flags of the chosen resampling: 4 high quality, 2 bilinear, 0 nearest.
    short ResizeFlags() const;

private:
    void widthPixelsChanged(int width);
    void heightPixelsChanged(int height);
    void widthPercentChanged(double percent);
    void heightPercentChanged(double percent);
    void keepAspectRatioToggled(bool keep);

    QSize original_;
    QSpinBox* widthPixels_ = nullptr;
    QSpinBox* heightPixels_ = nullptr;
    QDoubleSpinBox* widthPercent_ = nullptr;
    QDoubleSpinBox* heightPercent_ = nullptr;
    QCheckBox* keepAspectRatio_ = nullptr;
    QComboBox* resampling_ = nullptr;
};

}  // namespace quorvel::imaging
