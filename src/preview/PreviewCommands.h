// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace quorvel::imaging {
class ImageControl;
}

namespace quorvel::preview {

// The click handlers of the main window's two picture panels, bound to its controls: LEAD1 the
// corrected picture, LEAD2 the original. A click opens the modal, maximised preview (Form1) on
// the clicked panel's picture, owned by `owner`; the main window waits until it is closed.
class PreviewCommands : public QObject {
    Q_OBJECT

public:
    struct Controls {
        imaging::ImageControl& LEAD1;
        imaging::ImageControl& LEAD2;
        QWidget& owner;
    };

    explicit PreviewCommands(Controls controls, QObject* parent = nullptr);

    // True when the preview was last asked for from the original panel; set by every panel
    // click, also when the panel holds no picture.
    bool PreviewOriginal() const { return PreviewOriginal_; }

    void LEAD1_Click();
    void LEAD2_Click();

private:
    void showPreview(const imaging::ImageControl& clicked);

    Controls c_;
    bool PreviewOriginal_ = false;
};

}  // namespace quorvel::preview
