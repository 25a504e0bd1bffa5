// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every test runs headless on Qt's offscreen platform unless told otherwise, on a screen large
// enough for the main window at its design size (even at a scale factor of 2), and with settings
// of its own, so that neither the user's settings nor other tests' leak in.
int main(int argc, char** argv) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QUORVEL_TEST_SCREENS "/large.json");
    }
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
