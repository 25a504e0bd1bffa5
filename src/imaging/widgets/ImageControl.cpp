// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageControl.h"

#include "DisplayColour.h"
#include "ErrorCodes.h"
#include "FittedView.h"
#include "Geometry.h"
#include "ImageSave.h"
#include "ImagingError.h"
#include "QImageConversion.h"
#include "RemapJob.h"
#include "RemapWorker.h"
#include "RgbValue.h"

#include <qdrawutil.h>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <cmath>
#include <new>

namespace quorvel::imaging {
namespace {

// Allocation failures surface as the imaging error users understand.
template <typename Work>
auto translatingBadAlloc(Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        throw ImagingError(errc::NoMemory, kImageControlSource);
    }
}

int mouseButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return ImageControl::kLeftButton;
        case Qt::RightButton:
            return ImageControl::kRightButton;
        case Qt::MiddleButton:
            return ImageControl::kMiddleButton;
        default:
            return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

// Rounds a requested side to whole pixels. A request below one pixel is refused rather than
// rounded up, so that reducing a tiny picture says so instead of quietly keeping one pixel.
int wholePixels(float requested) {
    if (!std::isfinite(requested) || requested < 1.0f) {
        throw ImagingError(errc::InvalidSize, kImageControlSource);
    }
    if (requested > 1e9f) {
        throw ImagingError(errc::NoMemory, kImageControlSource);
    }
    return int(std::lround(requested));
}

Resampling resamplingFromFlags(short flags) {
    if (flags & ImageControl::kResizeHighQuality) {
        return Resampling::HighQuality;
    }
    if (flags & ImageControl::kResizeBilinear) {
        return Resampling::Bilinear;
    }
    return Resampling::Nearest;
}

}  // namespace

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
    for (int i = 0; i < 256; ++i) {
        remap_[std::size_t(i)] = i;
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

ImageControl::~ImageControl() {
    abandonRemap();
    remapWorker_.reset();
}

imaging::Bitmap ImageControl::Bitmap() const {
    settleRemap();
    return bitmap_;
}

void ImageControl::SetBitmap(const imaging::Bitmap& bitmap) {
    replaceBitmap(bitmap);
}

void ImageControl::SetRepaintEnabled(bool enabled) {
    repaintEnabled_ = enabled;
    if (enabled) {
        showCurrentPicture();
    }
}

void ImageControl::SetDisplayScaling(int scaling) {
    displayScaling_ = scaling;
    scroll_ = {};
    update();
}

void ImageControl::QueryFileInfo(const QString& path, int page, int /*flags*/) {
    fileInfo_ = translatingBadAlloc([&] { return queryFileInfo(path, page); });
}

void ImageControl::LoadFile(const QString& path, short bitsPerPixel, int page, int /*pageCount*/) {
    replaceBitmap(translatingBadAlloc([&] { return loadImageFile(path, page, bitsPerPixel); }));
}

void ImageControl::ComputeHistogram(short channel) {
    histogram_ = computeHistogram(requireBitmap(), channel);
}

std::uint32_t ImageControl::HistogramCount(int level) const {
    if (level < 0 || level > 255) {
        throw ImagingError(errc::InvalidParameter, kImageControlSource);
    }
    return histogram_[std::size_t(level)];
}

void ImageControl::SetRemapTableLength(short length) {
    if (length != 256) {
        throw ImagingError(errc::InvalidParameter, kImageControlSource);
    }
    remapTableLength_ = length;
}

std::int32_t ImageControl::RemapEntry(int index) const {
    if (index < 0 || index > 255) {
        throw ImagingError(errc::InvalidParameter, kImageControlSource);
    }
    return remap_[std::size_t(index)];
}

void ImageControl::SetRemapEntry(int index, std::int32_t value) {
    if (index < 0 || index > 255) {
        throw ImagingError(errc::InvalidParameter, kImageControlSource);
    }
    remap_[std::size_t(index)] = value;
    remapCurve_[std::size_t(index)] = value / 255.0;
}

void ImageControl::SetRemapCurve(const RemapCurve& curve) {
    remapCurve_ = curve;
}

void ImageControl::ApplyRemap(short channel) {
    const imaging::Bitmap& source = requireBitmap();
    RemapTable table{};
    bool identity = true;
    for (std::size_t v = 0; v < table.size(); ++v) {
        if (remap_[v] < 0 || remap_[v] > 255) {
            throw ImagingError(errc::InvalidParameter, kImageControlSource);
        }
        table[v] = std::uint8_t(remap_[v]);
        identity = identity && remap_[v] == std::int32_t(v);
    }
    if (channel < kAllChannels || channel > 3) {
        throw ImagingError(errc::InvalidParameter, kImageControlSource);
    }
    // The neutral slider position sends the identity: the picture stays what it is, without a
    // pass over every pixel.
    if (source.isSixteenBit()) {
        identity = remapCurve_ == identityCurve();
    }
    if (identity) {
        replaceBitmap(source);
        return;
    }
    // The source stays held as the picture until the remap is settled.
    const imaging::Bitmap kept = source;
    abandonRemap();
    const QSize viewport = viewportSize();
    const QSize viewSize = displayScaling_ == kFit && !viewport.isEmpty()
                               ? fittedSize({kept.width(), kept.height()}, viewport)
                               : QSize();
    pendingRemap_ = std::make_shared<RemapJob>(kept, table, remapCurve_, channel, viewSize);
    pendingSubmitted_ = false;
    // Handed to the worker once the command in progress is done with the pictures it replaces,
    // so that the result can take over their memory.
    QMetaObject::invokeMethod(
        this, [this, weak = std::weak_ptr<RemapJob>(pendingRemap_)] { submitRemap(weak.lock()); },
        Qt::QueuedConnection);
    if (repaintEnabled_) {
        showCurrentPicture();
    }
}

void ImageControl::submitRemap(const std::shared_ptr<RemapJob>& job) {
    if (!job || job != pendingRemap_ || pendingSubmitted_) {
        return;
    }
    if (!remapWorker_) {
        remapWorker_ = std::make_unique<RemapWorker>();
    }
    pendingSubmitted_ = true;
    // The worker stops before this control goes, so the control outlives every post.
    remapWorker_->submit(job, [this, weak = std::weak_ptr<RemapJob>(job)] {
        QMetaObject::invokeMethod(
            this, [this, weak] { takeFinishedRemap(weak.lock()); }, Qt::QueuedConnection);
    });
}

void ImageControl::showCurrentPicture() {
    displayed_ = bitmap_;
    displayedRemap_ = pendingRemap_;
    // The view stays until rebuilt, but the picture it was made from (and the remap that made
    // it) need not.
    viewSource_ = {};
    viewRemap_.reset();
    update();
}

bool ImageControl::IsSettled() const {
    return !pendingRemap_ && !displayedRemap_;
}

void ImageControl::ResizeImage(float width, float height, short flags) {
    const imaging::Bitmap& source = requireBitmap();
    const int w = wholePixels(width);
    const int h = wholePixels(height);
    replaceBitmap(
        translatingBadAlloc([&] { return resized(source, w, h, resamplingFromFlags(flags)); }));
}

void ImageControl::RotateImage(std::int32_t angle, bool growCanvas, std::uint32_t fillColor) {
    const imaging::Bitmap& source = requireBitmap();
    replaceBitmap(translatingBadAlloc(
        [&] { return rotated(source, angle, growCanvas, colorFromRgbValue(fillColor)); }));
}

void ImageControl::FlipImage() {
    const imaging::Bitmap& source = requireBitmap();
    replaceBitmap(translatingBadAlloc([&] { return flipped(source); }));
}

void ImageControl::MirrorImage() {
    const imaging::Bitmap& source = requireBitmap();
    replaceBitmap(translatingBadAlloc([&] { return mirrored(source); }));
}

short ImageControl::SaveImage(const QString& path, short format, short bitsPerPixel, short qFactor,
                              bool multiPage) {
    try {
        saveImageFile(Bitmap(), path, format, bitsPerPixel, qFactor, multiPage);
        return 0;
    } catch (const ImagingError& error) {
        return short(error.number());
    } catch (const std::bad_alloc&) {
        return short(errc::NoMemory);
    } catch (const std::exception&) {
        return short(errc::GeneralFailure);
    }
}

void ImageControl::SetAppearance(int appearance) {
    appearance_ = appearance;
    update();
}

void ImageControl::SetBorderStyle(short style) {
    borderStyle_ = style;
    update();
}

void ImageControl::SetBackColor(std::uint32_t color) {
    backColor_ = color;
    update();
}

int ImageControl::ImageOption(int number) const {
    const auto found = imageOptions_.find(number);
    return found == imageOptions_.end() ? 0 : found->second;
}

void ImageControl::SetImageOption(int number, int value) {
    imageOptions_[number] = value;
}

void ImageControl::SetScrollPosition(QPoint position) {
    const QSize range = ScrollRange();
    scroll_ = QPoint(std::clamp(position.x(), 0, range.width()),
                     std::clamp(position.y(), 0, range.height()));
    update();
}

QSize ImageControl::ScrollRange() const {
    const QSize overflow = QSize(displayed_.width(), displayed_.height()) - viewportSize();
    return QSize(std::max(0, overflow.width()), std::max(0, overflow.height()));
}

QImage ImageControl::DisplayedView() const {
    rebuildViewIfStale();
    return view_;
}

const imaging::Bitmap& ImageControl::requireBitmap() const {
    settleRemap();
    if (bitmap_.isNull()) {
        throw ImagingError(errc::InvalidBitmap, kImageControlSource);
    }
    return bitmap_;
}

void ImageControl::replaceBitmap(imaging::Bitmap bitmap) {
    abandonRemap();
    bitmap_ = std::move(bitmap);
    if (repaintEnabled_) {
        scroll_ = {};
        showCurrentPicture();
    }
}

void ImageControl::abandonRemap() {
    if (pendingRemap_) {
        pendingRemap_->abandon();
        pendingRemap_.reset();
    }
}

void ImageControl::settleRemap() const {
    if (pendingRemap_) {
        const bool submitted = pendingSubmitted_;
        if (!submitted) {
            // Not with the worker yet: made here and now.
            pendingRemap_->abandon();
        }
        bitmap_ = pendingRemap_->result();
        if (!submitted) {
            // The panel turns to the exact result as it does when the worker finishes.
            auto* self = const_cast<ImageControl*>(this);
            QMetaObject::invokeMethod(
                self, [self, job = pendingRemap_] { self->takeFinishedRemap(job); },
                Qt::QueuedConnection);
        }
        pendingRemap_.reset();
    }
}

void ImageControl::takeFinishedRemap(const std::shared_ptr<RemapJob>& job) {
    if (!job) {
        return;
    }
    if (job == pendingRemap_) {
        settleRemap();
    }
    if (job == displayedRemap_) {
        displayed_ = job->result();
        displayedRemap_.reset();
        viewSource_ = {};
        update();
    }
}

QRect ImageControl::viewportRect() const {
    const int inset = borderStyle_ != 0 ? (appearance_ != 0 ? 2 : 1) : 0;
    // Contents margins leave room for what a window lays over the control, such as scroll bars.
    return contentsRect().adjusted(inset, inset, -inset, -inset);
}

QSize ImageControl::viewportSize() const {
    // Views are built in device pixels so that they stay crisp on high-density screens.
    return viewportRect().size() * devicePixelRatioF();
}

void ImageControl::rebuildViewIfStale() const {
    const QSize viewport = viewportSize();
    if (displayedRemap_ && displayScaling_ != kFit) {
        // Pixels shown one to one must be the remapped ones themselves.
        if (displayedRemap_ == pendingRemap_) {
            settleRemap();
        }
        displayed_ = displayedRemap_->result();
        displayedRemap_.reset();
    }
    const bool fresh = viewSource_.sharesPixelsWith(displayed_) && viewViewport_ == viewport &&
                       viewScaling_ == displayScaling_ && viewScroll_ == scroll_ &&
                       viewRemap_ == displayedRemap_;
    if (fresh || (displayed_.isNull() && view_.isNull())) {
        return;
    }
    viewSource_ = displayed_;
    viewRemap_ = displayedRemap_;
    viewViewport_ = viewport;
    viewScaling_ = displayScaling_;
    viewScroll_ = scroll_;
    if (displayed_.isNull() || viewport.isEmpty()) {
        view_ = QImage();
    } else if (displayScaling_ == kActualSize) {
        // Only the visible part is converted: the picture may be far larger than the screen.
        const QRect visible =
            QRect(scroll_, viewport) & QRect(0, 0, displayed_.width(), displayed_.height());
        view_ = inDisplayColours(paintableRegion(displayed_, visible), displayed_.metadata().icc);
    } else {
        const QSize size = fittedSize({displayed_.width(), displayed_.height()}, viewport);
        if (displayedRemap_) {
            // Remapped in the picture's own colours, as the picture is, and only then converted
            // for the screen, so that the view equals the settled one in any colour space.
            view_ = inDisplayColours(remappedView(storedView(displayed_, size), displayed_.layout(),
                                                 displayedRemap_->table(),
                                                 displayedRemap_->channel()),
                                     displayed_.metadata().icc);
        } else {
            view_ = scaledView(displayed_, size);
        }
    }
    view_.setDevicePixelRatio(devicePixelRatioF());
}

void ImageControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colorFromRgbValue(backColor_));
    if (borderStyle_ != 0) {
        const QPalette& pal = palette();
        if (appearance_ != 0) {
            qDrawShadePanel(&painter, rect(), pal, true, 2);
        } else {
            painter.setPen(pal.color(QPalette::WindowText));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    rebuildViewIfStale();
    if (!view_.isNull()) {
        const QRect viewport = viewportRect();
        const QSize shown = view_.deviceIndependentSize().toSize();
        const QPoint topLeft(
            viewport.left() + std::max(0, (viewport.width() - shown.width()) / 2),
            viewport.top() + std::max(0, (viewport.height() - shown.height()) / 2));
        painter.drawImage(topLeft, view_);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = viewportRect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    Q_EMIT MouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                     int(event->position().x()), int(event->position().y()));
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) {
        Q_EMIT Click();
    }
}

void ImageControl::keyPressEvent(QKeyEvent* event) {
    // Keyboard users open what a click opens.
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        Q_EMIT Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace quorvel::imaging
