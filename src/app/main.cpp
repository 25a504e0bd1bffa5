#include "Main.h"
#include "AppInfo.h"
#include "CommandLine.h"
#include "FileNames.h"

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

    // QApplication::arguments() decodes lossily; a file name that is no UTF-8 must reach the
    // loader whole. argc and argv no longer hold the options Qt took for itself.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments += quorvel::imaging::pathFromLocalBytes(argv[i]);
    }
    Main window;
    window.Form_Load(argumentText(arguments));
    window.show();
    return QApplication::exec();
}
