// SPDX-License-Identifier: GPL-3.0-or-later
#include "RotateDialog.h"

#include "DisplayColour.h"
#include "FittedView.h"
#include "Geometry.h"
#include "ImagingError.h"
#include "QImageConversion.h"
#include "RgbValue.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <new>

namespace quorvel::imaging {

using namespace Qt::StringLiterals;

namespace {

constexpr double kMaxDegrees = 360.0;
const QSize kPreviewBox(RotateDialog::kPreviewSide, RotateDialog::kPreviewSide);
const QSize kSwatchSize(24, 14);

// Turning the whole picture on every keystroke would lag on a large photo; a copy no larger than
// the preview turns in a blink. The copy is in the screen's colours, as the panels are.
Bitmap previewSized(const Bitmap& picture) {
    const QSize size(picture.width(), picture.height());
    if (size.width() <= kPreviewBox.width() && size.height() <= kPreviewBox.height()) {
        if (!needsDisplayConversion(picture.metadata().icc)) {
            return picture;
        }
        return fromQImage(inDisplayColours(toQImage(picture), picture.metadata().icc));
    }
    return fromQImage(scaledView(picture, fittedSize(size, kPreviewBox)));
}

}  // namespace

RotateDialog::RotateDialog(const Bitmap& picture, std::int32_t angle, std::uint32_t fillColor,
                           bool growCanvas, QWidget* parent)
    : QDialog(parent), thumbnail_(previewSized(picture)), fill_(colorFromRgbValue(fillColor)) {
    setWindowTitle(tr("Rotate"));
    setObjectName(u"RotateDialog"_s);

    angle_ = new QDoubleSpinBox(this);
    angle_->setObjectName(u"angle"_s);
    angle_->setAccessibleName(tr("Angle in degrees clockwise"));
    angle_->setDecimals(2);
    angle_->setRange(-kMaxDegrees, kMaxDegrees);
    angle_->setSuffix(u"°"_s);
    angle_->setValue(std::clamp(angle / 100.0, -kMaxDegrees, kMaxDegrees));

    fillColor_ = new QPushButton(tr("&Fill colour..."), this);
    fillColor_->setObjectName(u"fillColor"_s);
    fillColor_->setAccessibleName(tr("Fill colour"));
    fillColor_->setAutoDefault(false);

    growCanvas_ = new QCheckBox(tr("&Enlarge the canvas to show the whole picture"), this);
    growCanvas_->setObjectName(u"growCanvas"_s);
    growCanvas_->setChecked(growCanvas);

    preview_ = new QLabel(this);
    preview_->setObjectName(u"preview"_s);
    preview_->setAccessibleName(tr("Preview"));
    preview_->setFixedSize(kPreviewBox);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);

    auto* form = new QFormLayout;
    form->addRow(tr("&Angle (degrees clockwise):"), angle_);
    form->addRow(tr("Uncovered area:"), fillColor_);
    form->addRow(growCanvas_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* choices = new QVBoxLayout;
    choices->addLayout(form);
    choices->addStretch();
    auto* row = new QHBoxLayout;
    row->addLayout(choices);
    row->addWidget(preview_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);

    connect(angle_, &QDoubleSpinBox::valueChanged, this, &RotateDialog::updatePreview);
    connect(growCanvas_, &QCheckBox::toggled, this, &RotateDialog::updatePreview);
    connect(fillColor_, &QPushButton::clicked, this, &RotateDialog::chooseFillColor);
    showFillColor();
    updatePreview();
    angle_->setFocus();
    angle_->selectAll();
}

std::int32_t RotateDialog::RotateAngle() const {
    return std::int32_t(std::lround(angle_->value() * 100.0));
}

std::uint32_t RotateDialog::FillColor() const {
    return rgbValueFromColor(fill_);
}

bool RotateDialog::RotateOption() const {
    return growCanvas_->isChecked();
}

void RotateDialog::chooseFillColor() {
    QColorDialog picker(fill_, this);
    picker.setWindowTitle(tr("Fill Colour"));
    // Qt's own picker looks the same everywhere, and tests can drive it.
    picker.setOption(QColorDialog::DontUseNativeDialog);
    if (picker.exec() != QDialog::Accepted) {
        return;
    }
    fill_ = picker.selectedColor();
    showFillColor();
    updatePreview();
}

void RotateDialog::showFillColor() {
    QPixmap swatch(kSwatchSize);
    swatch.fill(fill_);
    fillColor_->setIcon(QIcon(swatch));
    fillColor_->setIconSize(kSwatchSize);
    fillColor_->setAccessibleDescription(fill_.name());
}

void RotateDialog::updatePreview() {
    try {
        const QImage turned =
            toQImage(rotated(thumbnail_, RotateAngle(), RotateOption(), fill_))
                .scaled(kPreviewBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        preview_->setPixmap(QPixmap::fromImage(turned));
    } catch (const ImagingError&) {
        // The preview is a courtesy: the choice stays possible without it.
        preview_->clear();
    } catch (const std::bad_alloc&) {
        preview_->clear();
    }
}

}  // namespace quorvel::imaging
