// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AppIdentity.h"
#include "SystemInfoLauncher.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;

namespace quorvel::help {

// The help and about window: the title and version, how the slider, the D button, Restore, the
// preview and the save quality factor work, a disclaimer, and a button that starts the System
// Information tool. A fixed 526 by 646 dialog frame; OK (also Enter and Escape) closes it.
class frmHelp : public QDialog {
    Q_OBJECT

public:
    static constexpr QSize kClientSize{526, 646};

    frmHelp(const AppIdentity& app, std::shared_ptr<SystemAccess> system, QWidget* owner);

    QLabel* lblTitle() const { return lblTitle_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdSysInfo() const { return cmdSysInfo_; }

    void cmdOK_Click();
    void cmdSysInfo_Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void createControls();

    AppIdentity app_;
    SystemInfoLauncher launcher_;
    QLabel* lblTitle_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
};

}  // namespace quorvel::help
