#include "Main.h"
#include "AppInfo.h"
#include "CommandLine.h"

#include <QApplication>

int main(int argc, char** argv) {
    using namespace quorvel::app;
    QApplication application(argc, argv);
    QApplication::setApplicationName(kAppTitle);
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));

    Main window;
    window.Form_Load(argumentText(QApplication::arguments()));
    window.show();
    return QApplication::exec();
}
