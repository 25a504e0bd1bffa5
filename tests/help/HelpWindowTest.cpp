// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmHelp.h"

#include "HelpCommand.h"
#include "Main.h"
#include "ModalDialogs.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::help {
namespace {

TEST(HelpWindowTest, NamesTheProgramOpensOnceAndClosesOnEscape) {
    app::Main window;
    window.Form_Load("");
    window.show();
    QTest::mouseClick(window.Help(), Qt::LeftButton);
    const QPointer<frmHelp> help = window.HelpCommand()->Window();
    ASSERT_FALSE(help.isNull());
    EXPECT_TRUE(help->isVisible());

    QTest::mouseClick(window.Help(), Qt::LeftButton);
    EXPECT_EQ(window.findChildren<frmHelp*>(), QList<frmHelp*>{help.data()});
    QTest::keyClick(help->focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(testing::waitUntil([&] { return help.isNull(); }));
}

}  // namespace
}  // namespace quorvel::help
