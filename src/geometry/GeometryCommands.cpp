// SPDX-License-Identifier: GPL-3.0-or-later
#include "GeometryCommands.h"

#include "BusyCursor.h"
#include "ErrorCodes.h"
#include "FailurePath.h"
#include "ImageControl.h"
#include "ImageDialog.h"
#include "ImagingError.h"

#include <QAbstractSlider>
#include <QMessageBox>
#include <QWidget>

#include <limits>
#include <utility>

namespace quorvel::geometry {
namespace {

constexpr int kNeutralSliderValue = 20;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr short kHighQuality = imaging::ImageControl::kResizeHighQuality;
// The dialog component's own option bits for the two dialogs.
constexpr std::int32_t kResizeDialogFlags = 0x41200000;
constexpr std::int32_t kRotateDialogFlags = 0x42000001;

}  // namespace

GeometryCommands::GeometryCommands(Controls controls, QString appTitle, QObject* parent)
    : QObject(parent), c_(controls), appTitle_(std::move(appTitle)) {}

// One failure path for a command's whole body: the first failure skips the remaining steps, the
// rebase included. Nothing escapes into the event loop. The busy cursor of a body has gone by the
// time the message shows, since the body's scope has been left.
template <typename Body>
void GeometryCommands::withPicture(Body&& body) {
    if (c_.LEAD1.Bitmap().isNull()) {
        return;
    }
    imaging::withFailurePath(body, [this](const imaging::ImagingError& error) {
        ReportGeometryError(error);
    });
}

// The quick rotations and flips are not expected to fail, but a failing image control must still
// end in a message rather than in a half-finished command.
void GeometryCommands::Rotate90_Click() {
    withPicture([&] {
        const imaging::BusyCursor busy;
        c_.LEAD1.RotateImage(9000, true, kWhite);
        RebaseWorkingImage();
    });
}

void GeometryCommands::Rotate180_Click() {
    withPicture([&] {
        const imaging::BusyCursor busy;
        c_.LEAD1.RotateImage(18000, true, kWhite);
        RebaseWorkingImage();
    });
}

void GeometryCommands::Rotate270_Click() {
    withPicture([&] {
        const imaging::BusyCursor busy;
        c_.LEAD1.RotateImage(27000, true, kWhite);
        RebaseWorkingImage();
    });
}

void GeometryCommands::updown_Click() {
    withPicture([&] {
        const imaging::BusyCursor busy;
        c_.LEAD1.FlipImage();
        RebaseWorkingImage();
    });
}

void GeometryCommands::leftright_Click() {
    withPicture([&] {
        const imaging::BusyCursor busy;
        c_.LEAD1.MirrorImage();
        RebaseWorkingImage();
    });
}

void GeometryCommands::Resize2_Click() {
    quickResize([](float side) { return side / 2.0f; });
}

void GeometryCommands::Resize3_Click() {
    quickResize([](float side) { return side / 3.0f; });
}

void GeometryCommands::Resize4_Click() {
    quickResize([](float side) { return side / 4.0f; });
}

void GeometryCommands::Resize5_Click() {
    quickResize([](float side) { return side / 5.0f; });
}

void GeometryCommands::Resize6_Click() {
    quickResize([](float side) { return side + side; });
}

// The sizes go on as fractions: whole pixels, and refusing a size below one pixel, are the image
// control's business.
void GeometryCommands::quickResize(float (*newSide)(float side)) {
    withPicture([&] {
        const float width = newSide(c_.LEAD1.ImageWidth());
        const float height = newSide(c_.LEAD1.ImageHeight());
        const imaging::BusyCursor busy;
        c_.LEAD1.ResizeImage(width, height, kHighQuality);
        RebaseWorkingImage();
    });
}

// The presets are written on every use, so a dialog never opens with an earlier choice.
void GeometryCommands::Resize_Click() {
    withPicture([&] {
        c_.LEADDlg1.SetDialogBitmap(c_.LEAD1.Bitmap());
        c_.LEADDlg1.SetDialogFlags(kResizeDialogFlags);
        c_.LEADDlg1.SetResizeFlags(kHighQuality);
        c_.LEADDlg1.ShowResizeDialog(&c_.owner);
        c_.LEADDlg1.SetDialogBitmap({});
        const float width = toInteger16(c_.LEADDlg1.NewWidth());
        const float height = toInteger16(c_.LEADDlg1.NewHeight());
        const short flags = c_.LEADDlg1.ResizeFlags();
        const imaging::BusyCursor busy;
        c_.LEAD1.ResizeImage(width, height, flags);
        RebaseWorkingImage();
    });
}

void GeometryCommands::Rotate_Click() {
    withPicture([&] {
        c_.LEADDlg1.SetRotateAngle(0);
        c_.LEADDlg1.SetDialogFlags(kRotateDialogFlags);
        c_.LEADDlg1.SetFillColor(kWhite);
        c_.LEADDlg1.SetDialogBitmap(c_.LEAD1.Bitmap());
        c_.LEADDlg1.ShowRotateDialog(&c_.owner);
        c_.LEADDlg1.SetDialogBitmap({});
        const std::int32_t angle = c_.LEADDlg1.RotateAngle();
        const bool growCanvas = c_.LEADDlg1.RotateOption();
        const std::uint32_t fill = c_.LEADDlg1.FillColor();
        const imaging::BusyCursor busy;
        c_.LEAD1.RotateImage(angle, growCanvas, fill);
        RebaseWorkingImage();
    });
}

void GeometryCommands::RebaseWorkingImage() {
    c_.LEAD3.SetBitmap(c_.LEAD1.Bitmap());
    // The program's own assignment: no slider notification follows.
    c_.Slider1.setValue(kNeutralSliderValue);
    c_.state.ExposureActive = 0.0f;
}

void GeometryCommands::ReportGeometryError(const imaging::ImagingError& error) {
    if (error.number() == imaging::errc::Cancelled) {
        return;
    }
    const QString text =
        error.source() + u' ' + QString::number(error.number()) + u'\r' + error.description();
    QMessageBox box(QMessageBox::Warning, appTitle_, text, QMessageBox::Ok, &c_.owner);
    box.exec();
}

std::int16_t GeometryCommands::toInteger16(std::int32_t value) const {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        throw imaging::ImagingError(kOverflowNumber, appTitle_, kOverflowDescription);
    }
    return std::int16_t(value);
}

}  // namespace quorvel::geometry
