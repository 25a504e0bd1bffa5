#include "Main.h"
#include "AppInfo.h"
#include "CommandLine.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    using namespace quorvel::app;
    QApplication application(argc, argv);
    QApplication::setApplicationName(kAppTitle);
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    // The same artwork as the installed icon, for every window and whatever the desktop's theme.
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/quorvel-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    // Matches the installed desktop entry, so that the desktop groups the window under it.
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvel"));

    Main window;
    window.Form_Load(argumentText(QApplication::arguments()));
    window.show();
    return QApplication::exec();
}
