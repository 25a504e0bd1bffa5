// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpCommand.h"

#include "LinuxSystemAccess.h"
#include "frmHelp.h"

#include <memory>
#include <utility>

namespace quorvel::help {

HelpCommand::HelpCommand(AppIdentity app, QWidget& owner, QObject* parent)
    : QObject(parent), app_(std::move(app)), owner_(owner) {}

frmHelp* HelpCommand::Window() const {
    return window_;
}

void HelpCommand::Help_Click() {
    if (window_ == nullptr) {
        window_ = new frmHelp(app_, std::make_shared<LinuxSystemAccess>(), &owner_);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

}  // namespace quorvel::help
