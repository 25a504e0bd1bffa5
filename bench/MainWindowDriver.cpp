// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowDriver.h"

#include "FileFormats.h"
#include "ImageControl.h"
#include "Main.h"
#include "ThumbTextSlider.h"

#include <QApplication>
#include <QTimer>

#include <stdexcept>

namespace quorvel::bench {

MainWindowDriver::MainWindowDriver() : window_(std::make_unique<app::Main>()) {
    window_->Form_Load(QString());
    window_->show();
    QCoreApplication::processEvents();
}

MainWindowDriver::~MainWindowDriver() = default;

void MainWindowDriver::load(const QString& path) {
    loadRefused_ = false;
    // A refused picture is reported in a message box that would wait for a user forever.
    QTimer::singleShot(0, window_.get(), [this] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            loadRefused_ = true;
            box->close();
        }
    });
    window_->LoadFromCommandLine(path);
    if (loadRefused_) {
        throw std::runtime_error("the window refused " + path.toStdString());
    }
}

void MainWindowDriver::moveSlider(int position) {
    QAbstractSlider& slider = *window_->Slider1();
    // Dragging the thumb: with tracking on, moving it notifies once by itself; without, the
    // notification follows as the move ends.
    slider.setSliderPosition(position);
    if (!slider.hasTracking()) {
        slider.triggerAction(QAbstractSlider::SliderMove);
    }
}

void MainWindowDriver::waitUntilSettled() {
    while (!window_->LEAD1()->IsSettled()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void MainWindowDriver::savePng(const QString& path) {
    window_->LEAD4()->SetBitmap(window_->LEAD1()->Bitmap());
    if (window_->LEAD4()->SaveImage(path, imaging::fileformat::Png, 24, 2, false) != 0) {
        throw std::runtime_error("cannot save " + path.toStdString());
    }
}

QImage MainWindowDriver::workingView() const {
    return window_->LEAD1()->DisplayedView();
}

QImage MainWindowDriver::originalView() const {
    return window_->LEAD2()->DisplayedView();
}

}  // namespace quorvel::bench
