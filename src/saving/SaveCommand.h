// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace quorvel::imaging {
class ImageControl;
class ImageDialog;
}  // namespace quorvel::imaging

namespace quorvel::saving {

// The Save button, bound to the main window's controls and state: LEAD1 the working picture,
// LEAD4 the save buffer that writes it, LEADDlg1 the save dialog, LastExtension the extension of
// the path last opened or saved.
class SaveCommand : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QWidget& owner;
        imaging::ImageControl& LEAD1;
        imaging::ImageControl& LEAD4;
        imaging::ImageDialog& LEADDlg1;
        QString& LastExtension;
        // Sets the mouse pointer back to the arrow.
        std::function<void()> ResetMousePointer;
    };

    explicit SaveCommand(Controls controls, QObject* parent = nullptr);

    // Shows the save dialog (the format list sent on the first run only, the format preselected
    // from LastExtension) and writes the working picture through LEAD4 to the chosen path,
    // completed with the format's extension when it holds no ".". A returned error code is shown
    // as "SaveFile Error" and still sets LastExtension; a raised error is shown without setting it;
    // a cancelled dialog ends silently.
    void Save_Click();

private:
    void configureFormatList();
    void prepareDialog();
    void saveChosenFile();

    Controls c_;
    bool formatListConfigured_ = false;
};

}  // namespace quorvel::saving
