// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"
#include "AppInfo.h"
#include "CommandLine.h"
#include "DisplayColour.h"
#include "FileNames.h"
#include "OptionRun.h"
#include "ScreenProfile.h"
#include "StartMode.h"
#include "Translations.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

#include <unistd.h>
#include <cstdio>

namespace {

void nameApplication() {
    using namespace quorvel::app;
    QCoreApplication::setApplicationName(kAppTitle);
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
}

// Qt's own decoding of the arguments is lossy; a file name that is no UTF-8 must reach the loader
// whole.
QStringList programArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments += quorvel::imaging::pathFromLocalBytes(argv[i]);
    }
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quorvel::app;
    // Options need no window, so they are decided before anything connects to a display.
    const StartMode mode = startMode(argc > 1 ? argv[1] : nullptr);
    if (mode != StartMode::Window) {
        QCoreApplication application(argc, argv);
        nameApplication();
        Translations::install(application);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return runOption(mode, programArguments(argc, argv),
                         {out, err, ::isatty(STDERR_FILENO) == 1});
    }

    QApplication application(argc, argv);
    nameApplication();
    Translations::install(application);
    // The same artwork as the installed icon, for every window and whatever the desktop's theme.
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/quorvel-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    // Read once: pictures are painted in the screen's colours where the desktop publishes them.
    quorvel::imaging::setDisplayProfile(quorvel::imaging::screenProfile());
    // Matches the installed desktop entry, so that the desktop groups the window under it.
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvel"));

    Main window;
    // argc and argv no longer hold the options Qt took for itself.
    window.Form_Load(argumentText(programArguments(argc, argv)));
    window.show();
    return QApplication::exec();
}
