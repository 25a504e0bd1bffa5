// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemInfoLauncher.h"

#include "GetKeyValue.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <exception>
#include <utility>

namespace quorvel::help {

using namespace Qt::StringLiterals;

namespace {

const QString kToolKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s;
const QString kToolValue = u"PATH"_s;
const QString kFolderKey = u"SOFTWARE\\Microsoft\\Shared Tools Location"_s;
const QString kFolderValue = u"MSINFO"_s;
const QString kToolFileName = u"\\MSINFO32.EXE"_s;

}  // namespace

const QString SystemInfoLauncher::kUnavailableText = QString::fromUtf8(QT_TRANSLATE_NOOP(
    "quorvel::help::SystemInfoLauncher", "System Information Is Unavailable At This Time"));

SystemInfoLauncher::SystemInfoLauncher(std::shared_ptr<SystemAccess> system, QString appTitle,
                                       QWidget* owner)
    : system_(std::move(system)), appTitle_(std::move(appTitle)), owner_(owner) {}

void SystemInfoLauncher::StartSysInfo() {
    // Whatever fails on the way ends in the same message.
    try {
        if (tryStart()) {
            return;
        }
    } catch (const std::exception&) {
    }
    showUnavailable();
}

// The first key names the tool itself, trusted without a look at the disk; the second names
// only its folder, which may lack it.
bool SystemInfoLauncher::tryStart() {
    QString SysInfoPath;
    if (!GetKeyValue(*system_, kHkeyLocalMachine, kToolKey, kToolValue, SysInfoPath)) {
        if (!GetKeyValue(*system_, kHkeyLocalMachine, kFolderKey, kFolderValue, SysInfoPath)) {
            return false;
        }
        SysInfoPath += kToolFileName;
        if (!system_->FileExists(SysInfoPath)) {
            return false;
        }
    }
    return system_->StartProgram(SysInfoPath);
}

void SystemInfoLauncher::showUnavailable() {
    QMessageBox box(QMessageBox::NoIcon, appTitle_,
                    QCoreApplication::translate("quorvel::help::SystemInfoLauncher",
                                                kUnavailableText.toUtf8().constData()),
                    QMessageBox::Ok, owner_);
    box.exec();
}

}  // namespace quorvel::help
