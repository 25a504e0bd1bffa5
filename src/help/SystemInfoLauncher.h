// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SystemAccess.h"

#include <QString>

#include <memory>

class QWidget;

namespace quorvel::help {

// Starts the operating system's System Information tool, found through the registry.
class SystemInfoLauncher {
public:
    static const QString kUnavailableText;

    // Messages show `appTitle` as caption and are owned by `owner`.
    SystemInfoLauncher(std::shared_ptr<SystemAccess> system, QString appTitle, QWidget* owner);

    // Starts the tool named by the first registry key, else the one in the folder the second key
    // names; when neither works (or anything fails on the way) says so in a message box.
    void StartSysInfo();

private:
    bool tryStart();
    void showUnavailable();

    std::shared_ptr<SystemAccess> system_;
    QString appTitle_;
    QWidget* owner_;
};

}  // namespace quorvel::help
