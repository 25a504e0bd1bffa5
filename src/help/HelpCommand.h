// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AppIdentity.h"

#include <QObject>
#include <QPointer>

namespace quorvel::help {

class frmHelp;

// The main window's "Help" command: one modeless help window at a time, owned by `owner`.
class HelpCommand : public QObject {
    Q_OBJECT

public:
    HelpCommand(AppIdentity app, QWidget& owner, QObject* parent = nullptr);

    // Creates the help window unless one is open, then shows it in front.
    void Help_Click();

    // The open help window, or null once it has been closed.
    frmHelp* Window() const;

private:
    AppIdentity app_;
    QWidget& owner_;
    QPointer<frmHelp> window_;
};

}  // namespace quorvel::help
