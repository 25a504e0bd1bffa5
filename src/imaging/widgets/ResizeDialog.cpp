// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResizeDialog.h"

#include "ImageControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace quorvel::imaging {

using namespace Qt::StringLiterals;

namespace {

int sideFromPercent(int side, double percent) {
    return int(std::clamp<long>(std::lround(side * percent / 100.0), 1, ResizeDialog::kMaxSide));
}

double percentOf(int pixels, int side) {
    return pixels * 100.0 / side;
}

// The program's own updates of the linked fields must not echo back into the field being typed.
template <typename Box, typename Value>
void setQuietly(Box* box, Value value) {
    const QSignalBlocker blocker(box);
    box->setValue(value);
}

QSpinBox* pixelBox(QWidget* parent, const char* name, const QString& accessibleName, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->setRange(1, ResizeDialog::kMaxSide);
    box->setValue(value);
    return box;
}

QDoubleSpinBox* percentBox(QWidget* parent, const char* name, const QString& accessibleName,
                           int side) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->setDecimals(2);
    box->setRange(0.01, percentOf(ResizeDialog::kMaxSide, side));
    box->setSuffix(u" %"_s);
    box->setValue(100.0);
    return box;
}

}  // namespace

ResizeDialog::ResizeDialog(QSize pictureSize, short resizeFlags, QWidget* parent)
    : QDialog(parent), original_(pictureSize) {
    setWindowTitle(tr("Resize"));
    setObjectName(u"ResizeDialog"_s);

    widthPixels_ = pixelBox(this, "widthPixels", tr("Width in pixels"), original_.width());
    heightPixels_ = pixelBox(this, "heightPixels", tr("Height in pixels"), original_.height());
    widthPercent_ = percentBox(this, "widthPercent", tr("Width in percent"), original_.width());
    heightPercent_ = percentBox(this, "heightPercent", tr("Height in percent"), original_.height());

    keepAspectRatio_ = new QCheckBox(tr("&Keep aspect ratio"), this);
    keepAspectRatio_->setObjectName(u"keepAspectRatio"_s);
    keepAspectRatio_->setChecked(true);

    resampling_ = new QComboBox(this);
    resampling_->setObjectName(u"resampling"_s);
    resampling_->setAccessibleName(tr("Resampling"));
    resampling_->addItem(tr("High quality (sharp, slower)"), int(ImageControl::kResizeHighQuality));
    resampling_->addItem(tr("Bilinear (smooth, quick)"), int(ImageControl::kResizeBilinear));
    resampling_->addItem(tr("Nearest neighbour (blocky, quickest)"), 0);
    // Any flags the image control reads as high quality or bilinear select that entry.
    const int preset = (resizeFlags & ImageControl::kResizeHighQuality) ? 0
                       : (resizeFlags & ImageControl::kResizeBilinear)  ? 1
                                                                        : 2;
    resampling_->setCurrentIndex(preset);

    auto* widthLabel = new QLabel(tr("&Width:"), this);
    widthLabel->setBuddy(widthPixels_);
    auto* heightLabel = new QLabel(tr("&Height:"), this);
    heightLabel->setBuddy(heightPixels_);
    auto* resamplingLabel = new QLabel(tr("&Resampling:"), this);
    resamplingLabel->setBuddy(resampling_);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Pixels"), this), 0, 1);
    grid->addWidget(new QLabel(tr("Percent"), this), 0, 2);
    grid->addWidget(widthLabel, 1, 0);
    grid->addWidget(widthPixels_, 1, 1);
    grid->addWidget(widthPercent_, 1, 2);
    grid->addWidget(heightLabel, 2, 0);
    grid->addWidget(heightPixels_, 2, 1);
    grid->addWidget(heightPercent_, 2, 2);
    grid->addWidget(keepAspectRatio_, 3, 1, 1, 2);
    grid->addWidget(resamplingLabel, 4, 0);
    grid->addWidget(resampling_, 4, 1, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        tr("Current size: %1 x %2 pixels").arg(original_.width()).arg(original_.height()), this));
    layout->addLayout(grid);
    layout->addWidget(buttons);

    setTabOrder(widthPixels_, widthPercent_);
    setTabOrder(widthPercent_, heightPixels_);
    setTabOrder(heightPixels_, heightPercent_);
    setTabOrder(heightPercent_, keepAspectRatio_);
    setTabOrder(keepAspectRatio_, resampling_);

    connect(widthPixels_, &QSpinBox::valueChanged, this, &ResizeDialog::widthPixelsChanged);
    connect(heightPixels_, &QSpinBox::valueChanged, this, &ResizeDialog::heightPixelsChanged);
    connect(widthPercent_, &QDoubleSpinBox::valueChanged, this, &ResizeDialog::widthPercentChanged);
    connect(heightPercent_, &QDoubleSpinBox::valueChanged, this,
            &ResizeDialog::heightPercentChanged);
    connect(keepAspectRatio_, &QCheckBox::toggled, this, &ResizeDialog::keepAspectRatioToggled);
    widthPixels_->setFocus();
    widthPixels_->selectAll();
}

std::int32_t ResizeDialog::NewWidth() const {
    return widthPixels_->value();
}

std::int32_t ResizeDialog::NewHeight() const {
    return heightPixels_->value();
}

short ResizeDialog::ResizeFlags() const {
    return short(resampling_->currentData().toInt());
}

// The locked side follows the picture's own ratio, not the rounded pixels of the other field, so
// that stepping one field up and down always comes back to the same partner value.
void ResizeDialog::widthPixelsChanged(int width) {
    const double percent = percentOf(width, original_.width());
    setQuietly(widthPercent_, percent);
    if (keepAspectRatio_->isChecked()) {
        setQuietly(heightPixels_, sideFromPercent(original_.height(), percent));
        setQuietly(heightPercent_, percentOf(heightPixels_->value(), original_.height()));
    }
}

void ResizeDialog::heightPixelsChanged(int height) {
    const double percent = percentOf(height, original_.height());
    setQuietly(heightPercent_, percent);
    if (keepAspectRatio_->isChecked()) {
        setQuietly(widthPixels_, sideFromPercent(original_.width(), percent));
        setQuietly(widthPercent_, percentOf(widthPixels_->value(), original_.width()));
    }
}

void ResizeDialog::widthPercentChanged(double percent) {
    setQuietly(widthPixels_, sideFromPercent(original_.width(), percent));
    if (keepAspectRatio_->isChecked()) {
        setQuietly(heightPixels_, sideFromPercent(original_.height(), percent));
        setQuietly(heightPercent_, percent);
    }
}

void ResizeDialog::heightPercentChanged(double percent) {
    setQuietly(heightPixels_, sideFromPercent(original_.height(), percent));
    if (keepAspectRatio_->isChecked()) {
        setQuietly(widthPixels_, sideFromPercent(original_.width(), percent));
        setQuietly(widthPercent_, percent);
    }
}

void ResizeDialog::keepAspectRatioToggled(bool keep) {
    if (keep) {
        widthPixelsChanged(widthPixels_->value());
    }
}

}  // namespace quorvel::imaging
