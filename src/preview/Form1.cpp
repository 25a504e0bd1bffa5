// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "ImageControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace quorvel::preview {

using imaging::ImageControl;
using namespace Qt::StringLiterals;

namespace {

// Pixels the picture moves per arrow key, and per wheel notch for each wheel scroll line.
constexpr int kLineStep = 40;
constexpr int kWheelNotch = 120;

// English; shown through tr().
const char* const kToolTip =
    QT_TRANSLATE_NOOP("quorvel::preview::Form1",
                      "Click mouse left button to switch, right to actual size, middle to close");
// Titles by picture and size; each begins with a blank.
const char* const kCorrectedFit =
    QT_TRANSLATE_NOOP("quorvel::preview::Form1", " Beautified, Fit to Screen");
const char* const kCorrectedActualSize =
    QT_TRANSLATE_NOOP("quorvel::preview::Form1", " Beautified, Actual Size");
const char* const kOriginalFit =
    QT_TRANSLATE_NOOP("quorvel::preview::Form1", " Original, Fit to Screen");
const char* const kOriginalActualSize =
    QT_TRANSLATE_NOOP("quorvel::preview::Form1", " Original, Actual Size");

int shiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

}  // namespace

Form1::Form1(const ImageControl& corrected, const ImageControl& original, bool PreviewOriginal,
             QWidget* owner)
    : QDialog(owner),
      corrected_(corrected),
      original_(original),
      PreviewOriginal_(PreviewOriginal) {
    setObjectName(u"Form1"_s);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);

    LEAD1_ = new ImageControl(this);
    LEAD1_->setObjectName(u"LEAD1"_s);
    LEAD1_->setToolTip(tr(kToolTip));
    LEAD1_->setAccessibleName(tr("Preview picture"));
    LEAD1_->setAccessibleDescription(tr(kToolTip));
    LEAD1_->installEventFilter(this);
    connect(LEAD1_, &ImageControl::MouseDown, this, &Form1::LEAD1_MouseDown);

    // The bars lie over the control's edges; its contents margins keep the picture clear of them.
    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    horizontal_->setObjectName(u"HorizontalScrollBar"_s);
    horizontal_->setAccessibleName(tr("Horizontal position"));
    vertical_ = new QScrollBar(Qt::Vertical, this);
    vertical_->setObjectName(u"VerticalScrollBar"_s);
    vertical_->setAccessibleName(tr("Vertical position"));
    for (QScrollBar* bar : {horizontal_, vertical_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setSingleStep(kLineStep);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this,
                [this] { scrollTo(QPoint(horizontal_->value(), vertical_->value())); });
    }
    LEAD1_->setFocus();

    Form_Load();
}

void Form1::Form_Load() {
    setWindowState(windowState() | Qt::WindowMaximized);
    LEAD1_->SetDisplayScaling(ImageControl::kFit);
    LEAD1_->SetImageOption(633, 1);
    if (!PreviewOriginal_) {
        LEAD1_->SetBitmap(corrected_.Bitmap());
        setWindowTitle(tr(kCorrectedFit));
    } else {
        LEAD1_->SetBitmap(original_.Bitmap());
        setWindowTitle(tr(kOriginalFit));
    }
    SwitchClicks_ = 0;
    SizeClicks_ = 0;
}

void Form1::LEAD1_MouseDown(int button, int /*shift*/, int /*x*/, int /*y*/) {
    setWindowTitle(QString());
    switch (button) {
        case ImageControl::kMiddleButton:
            close();
            return;
        case ImageControl::kLeftButton:
            ++SwitchClicks_;
            LEAD1_->SetBitmap(showsOriginal() ? original_.Bitmap() : corrected_.Bitmap());
            break;
        case ImageControl::kRightButton:
            ++SizeClicks_;
            LEAD1_->SetDisplayScaling(actualSize() ? ImageControl::kActualSize
                                                   : ImageControl::kFit);
            break;
        default:
            break;
    }
    setWindowTitle(currentTitle());
    layOutScrollBars();
}

bool Form1::showsOriginal() const {
    const bool switched = SwitchClicks_ % 2 != 0;
    return PreviewOriginal_ != switched;
}

bool Form1::actualSize() const {
    return SizeClicks_ % 2 != 0;
}

QString Form1::currentTitle() const {
    if (showsOriginal()) {
        return tr(actualSize() ? kOriginalActualSize : kOriginalFit);
    }
    return tr(actualSize() ? kCorrectedActualSize : kCorrectedFit);
}

void Form1::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LEAD1_->setGeometry(0, 0, width(), height());
    layOutScrollBars();
}

void Form1::layOutScrollBars() {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool needHorizontal = false;
    bool needVertical = false;
    LEAD1_->setContentsMargins(0, 0, 0, 0);
    if (actualSize()) {
        // Each bar narrows the other direction, which may then overflow as well.
        for (int pass = 0; pass < 2; ++pass) {
            const QSize range = LEAD1_->ScrollRange();
            needHorizontal = needHorizontal || range.width() > 0;
            needVertical = needVertical || range.height() > 0;
            LEAD1_->setContentsMargins(0, 0, needVertical ? extent : 0,
                                       needHorizontal ? extent : 0);
        }
    }
    const QRect area = LEAD1_->geometry();
    vertical_->setGeometry(area.right() + 1 - extent, area.top(), extent,
                           area.height() - (needHorizontal ? extent : 0));
    horizontal_->setGeometry(area.left(), area.bottom() + 1 - extent,
                             area.width() - (needVertical ? extent : 0), extent);

    // A smaller window or a narrower view may leave the old position beyond the new range.
    LEAD1_->SetScrollPosition(LEAD1_->ScrollPosition());
    const QSize range = LEAD1_->ScrollRange();
    const QSize page = LEAD1_->contentsRect().size() * devicePixelRatioF();
    {
        const QSignalBlocker blockHorizontal(horizontal_);
        const QSignalBlocker blockVertical(vertical_);
        horizontal_->setRange(0, range.width());
        horizontal_->setPageStep(std::max(1, page.width()));
        horizontal_->setValue(LEAD1_->ScrollPosition().x());
        vertical_->setRange(0, range.height());
        vertical_->setPageStep(std::max(1, page.height()));
        vertical_->setValue(LEAD1_->ScrollPosition().y());
    }
    horizontal_->setVisible(needHorizontal);
    vertical_->setVisible(needVertical);
    horizontal_->raise();
    vertical_->raise();
    if (canPan()) {
        LEAD1_->setCursor(Qt::OpenHandCursor);
    } else {
        LEAD1_->unsetCursor();
    }
}

void Form1::scrollTo(QPoint position) {
    LEAD1_->SetScrollPosition(position);
    const QSignalBlocker blockHorizontal(horizontal_);
    const QSignalBlocker blockVertical(vertical_);
    horizontal_->setValue(LEAD1_->ScrollPosition().x());
    vertical_->setValue(LEAD1_->ScrollPosition().y());
}

bool Form1::canPan() const {
    const QSize range = LEAD1_->ScrollRange();
    return actualSize() && (range.width() > 0 || range.height() > 0);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched != LEAD1_) {
        return QDialog::eventFilter(watched, event);
    }
    return filterMouse(event) || filterKey(event);
}

// A left press on a picture that can pan is held back from the control: the release decides
// whether it was a click (switch) or a drag (pan).
bool Form1::filterMouse(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || !canPan()) {
                return false;
            }
            leftPressed_ = true;
            dragging_ = false;
            dragStart_ = mouse->position().toPoint();
            dragStartScroll_ = LEAD1_->ScrollPosition();
            return true;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!leftPressed_) {
                return false;
            }
            const QPoint moved = mouse->position().toPoint() - dragStart_;
            if (!dragging_ && moved.manhattanLength() < QApplication::startDragDistance()) {
                return true;
            }
            if (!dragging_) {
                dragging_ = true;
                LEAD1_->setCursor(Qt::ClosedHandCursor);
            }
            // The picture follows the pointer; scroll positions count picture pixels.
            scrollTo(dragStartScroll_ - moved * devicePixelRatioF());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!leftPressed_ || mouse->button() != Qt::LeftButton) {
                return false;
            }
            leftPressed_ = false;
            if (dragging_) {
                dragging_ = false;
                layOutScrollBars();
            } else {
                const QPoint at = mouse->position().toPoint();
                LEAD1_MouseDown(ImageControl::kLeftButton, shiftCode(mouse->modifiers()), at.x(),
                                at.y());
            }
            return true;
        }
        case QEvent::Wheel: {
            if (!canPan()) {
                return false;
            }
            const auto* wheel = static_cast<QWheelEvent*>(event);
            QPoint delta = wheel->angleDelta();
            if (wheel->modifiers().testFlag(Qt::ShiftModifier)) {
                delta = delta.transposed();
            }
            const int step = QApplication::wheelScrollLines() * kLineStep;
            scrollTo(LEAD1_->ScrollPosition() - delta * step / kWheelNotch);
            return true;
        }
        default:
            return false;
    }
}

bool Form1::filterKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const int shift = shiftCode(key->modifiers());
    switch (key->key()) {
        case Qt::Key_Space:
            LEAD1_MouseDown(ImageControl::kLeftButton, shift, 0, 0);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            LEAD1_MouseDown(ImageControl::kRightButton, shift, 0, 0);
            return true;
        default:
            break;
    }
    if (!canPan()) {
        return false;
    }
    const std::pair<Qt::Key, QPoint> steps[] = {{Qt::Key_Left, {-kLineStep, 0}},
                                                {Qt::Key_Right, {kLineStep, 0}},
                                                {Qt::Key_Up, {0, -kLineStep}},
                                                {Qt::Key_Down, {0, kLineStep}}};
    for (const auto& [stepKey, step] : steps) {
        if (key->key() == stepKey) {
            scrollTo(LEAD1_->ScrollPosition() + step);
            return true;
        }
    }
    return false;
}

}  // namespace quorvel::preview
