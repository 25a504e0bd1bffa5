// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>

#include <cstdint>

class QScrollBar;

namespace quorvel::imaging {
class ImageControl;
}

namespace quorvel::preview {

// The full-screen preview: one image control over the whole client area showing the original
// or the corrected picture, fitted or at actual size. Left button switches the picture, right
// button the size, middle button (or Escape) closes. At actual size a picture larger than the
// window pans by dragging with the left button, by the scroll bars, the wheel or the arrow keys;
// a left press that ends in a drag does not switch. Space and Enter do what the left and right
// buttons do.
class Form1 : public QDialog {
    Q_OBJECT

public:
    // `corrected` and `original` are the main window's LEAD1 and LEAD2, read at each switch;
    // `PreviewOriginal` says which one was clicked. The window loads at once, in fit mode.
    Form1(const imaging::ImageControl& corrected, const imaging::ImageControl& original,
          bool PreviewOriginal, QWidget* owner);

    imaging::ImageControl* LEAD1() const { return LEAD1_; }
    QScrollBar* HorizontalScrollBar() const { return horizontal_; }
    QScrollBar* VerticalScrollBar() const { return vertical_; }
    std::int32_t SwitchClicks() const { return SwitchClicks_; }
    std::int32_t SizeClicks() const { return SizeClicks_; }

    // The mouse-button handler of the image control: 1 left, 2 right, 4 middle; any other value
    // only rewrites the title. Shift state and position are not used.
    void LEAD1_MouseDown(int button, int shift, int x, int y);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    bool showsOriginal() const;
    bool actualSize() const;
    QString currentTitle() const;
    void layOutScrollBars();
    void scrollTo(QPoint position);
    bool canPan() const;
    bool filterMouse(QEvent* event);
    bool filterKey(QEvent* event);

    const imaging::ImageControl& corrected_;
    const imaging::ImageControl& original_;
    const bool PreviewOriginal_;
    imaging::ImageControl* LEAD1_ = nullptr;
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
    std::int32_t SwitchClicks_ = 0;
    std::int32_t SizeClicks_ = 0;

    // A left press on a picture that can pan: it switches on release, unless it became a drag.
    bool leftPressed_ = false;
    bool dragging_ = false;
    QPoint dragStart_;
    QPoint dragStartScroll_;
};

}  // namespace quorvel::preview
