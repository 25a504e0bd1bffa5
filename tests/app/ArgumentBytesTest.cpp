// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderEntries.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

// A shell hands the program a name whose bytes are no UTF-8, as a file manager may: the program
// reads exactly that file and writes its result beside it under the same bytes.
TEST(ArgumentBytes, ANameThatIsNoUtf8ReachesTheProgramWhole) {
    QTemporaryDir folder;
    const QByteArray local = QFile::encodeName(folder.path());
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(folder.filePath("plain.png")));
    ASSERT_EQ(::rename((local + "/plain.png").constData(), (local + "/\xff\xfe.png").constData()),
              0);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        environment.remove(QString::fromLatin1(name));
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder.path());
    // QProcess itself would pass the name on as UTF-8; the shell's printf makes the bytes.
    process.start("/bin/sh", {"-c", R"(exec "$0" --batch "$(printf '\377\376').png")",
                              QStringLiteral(QUORVEL_PROGRAM)});
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(testing::folderEntries(local), QList<QByteArray>({"\xff\xfe.png", "\xff\xfe_M.png"}));
    testing::removeFolderFiles(local);
}

}  // namespace
}  // namespace quorvel::app
