// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExposureState.h"

#include <QObject>
#include <QString>

#include <cstdint>

class QAbstractSlider;
class QWidget;

namespace quorvel::imaging {
class ImageControl;
class ImageDialog;
class ImagingError;
}  // namespace quorvel::imaging

namespace quorvel::geometry {

// The geometry commands of the main window: quick rotations and flips, quick resizes, and the
// resize and rotate dialogs. Each changes only the working picture LEAD1 and then makes it the new
// base of the exposure correction (RebaseWorkingImage). A failure ends the command in
// ReportGeometryError, before the rebase, so the slider and the base stay as they were.
class GeometryCommands : public QObject {
    Q_OBJECT

public:
    struct Controls {
        // The main window: owner of the dialogs and message boxes.
        QWidget& owner;
        imaging::ImageControl& LEAD1;
        imaging::ImageControl& LEAD3;
        imaging::ImageDialog& LEADDlg1;
        QAbstractSlider& Slider1;
        tone::ExposureState& state;
    };

    // The error number, source and description of a width or height the resize command cannot
    // take: outside the 16-bit range -32768..32767. The source is the application title.
    static constexpr int kOverflowNumber = 6;
    static inline const QString kOverflowDescription = QStringLiteral("Overflow");

    // `appTitle` captions the error messages and names the source of the overflow error.
    GeometryCommands(Controls controls, QString appTitle, QObject* parent = nullptr);

    // 90, 180 and 270 degrees clockwise, on a grown canvas with white fill.
    void Rotate90_Click();
    void Rotate180_Click();
    void Rotate270_Click();
    // Upside down.
    void updown_Click();
    // Left to right.
    void leftright_Click();

    // 1/2, 1/3, 1/4, 1/5 and 2 times the size, in single precision and unrounded, high quality.
    void Resize2_Click();
    void Resize3_Click();
    void Resize4_Click();
    void Resize5_Click();
    void Resize6_Click();

    // The resize and rotate dialogs over the working picture; cancelling changes nothing.
    void Resize_Click();
    void Rotate_Click();

    // The working picture becomes the base, the slider goes to neutral, the exposure state idle.
    void RebaseWorkingImage();

    // Silent for the cancel code 20150; otherwise a message box captioned with the application
    // title: source, a space, the number, a carriage return, the description.
    void ReportGeometryError(const imaging::ImagingError& error);

private:
    template <typename Body>
    void withPicture(Body&& body);
    void quickResize(float (*newSide)(float side));
    std::int16_t toInteger16(std::int32_t value) const;

    Controls c_;
    QString appTitle_;
};

}  // namespace quorvel::geometry
