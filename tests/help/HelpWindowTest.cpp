#include "frmHelp.h"

#include "HelpCommand.h"
#include "Main.h"
#include "MessageRecorder.h"
#include "ModalDialogs.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::help {
namespace {

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_.Form_Load("");
        window_.show();
    }

    frmHelp* clickHelp() {
        QTest::mouseClick(window_.Help(), Qt::LeftButton);
        return window_.HelpCommand()->Window();
    }

    app::Main window_;
};

TEST_F(HelpWindowTest, OneModelessFixedWindowNamesTheProgramAndItsVersion) {
    const QPointer<frmHelp> help = clickHelp();
    ASSERT_FALSE(help.isNull());
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle().toStdString(), "Help/About Quorvel");
    EXPECT_EQ(help->lblTitle()->text().toStdString(), "Quorvel Version 3.0.0");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(help->parentWidget(), &window_);
    EXPECT_EQ(help->size(), QSize(526, 646));
    EXPECT_FALSE(help->windowFlags() & Qt::WindowMinMaxButtonsHint);

    EXPECT_EQ(clickHelp(), help.data());
    EXPECT_EQ(window_.findChildren<frmHelp*>().size(), 1);
    QTest::mouseClick(help->cmdOK(), Qt::LeftButton);
    ASSERT_TRUE(testing::waitUntil([&] { return help.isNull(); }));
    // Made anew; Escape presses OK.
    const QPointer<frmHelp> again = clickHelp();
    ASSERT_FALSE(again.isNull());
    EXPECT_TRUE(again->isVisible());
    QTest::keyClick(again->focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(testing::waitUntil([&] { return again.isNull(); }));
}

TEST_F(HelpWindowTest, AltSOnThisPlatformSaysSystemInformationIsUnavailable) {
    frmHelp* help = clickHelp();
    ASSERT_NE(help, nullptr);
    const MessageRecorder messages;
    // The mnemonic reaches the button only in the focused window, and presses it visibly: the
    // click follows a moment later.
    ASSERT_TRUE(
        testing::waitUntil([&] { return QGuiApplication::focusWindow() == help->windowHandle(); }));
    QTest::keyClick(help->focusWidget(), Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(testing::waitUntil([&] { return !messages.seen.isEmpty(); }));
    EXPECT_EQ(messages.seen, QStringList{kUnavailable});
}

}  // namespace
}  // namespace quorvel::help
