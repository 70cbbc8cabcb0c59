#include "ui/message_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QWindow>

#include "../transfer/pty_line.h"
#include "setup_window_support.h"
#include "transfer/qt_serial_port_qt.h"

namespace zelvar {
namespace {

using std::chrono::milliseconds;

class MessageDialog : public ::testing::Test {
  protected:
    MessageDialog() : dialog(new Dialog(&owner)) {}

    // Events run at every pump, as the real pacing lets them; `onSleep` sees every pause.
    static SendPacing pumping(std::function<void(milliseconds)> onSleep) {
        return {std::move(onSleep), [] { QApplication::processEvents(); }};
    }

    // The user's click on the close box: the window system sends the close event to the
    // window, not through the program's close().
    void closeBoxClicked() {
        ASSERT_NE(dialog->windowHandle(), nullptr);
        QCloseEvent event;
        QApplication::sendEvent(dialog->windowHandle(), &event);
        QApplication::processEvents();
    }

    QMainWindow owner;
    QPointer<Dialog> dialog;
};

TEST_F(MessageDialog, IsBuiltHiddenAndFixed) {
    EXPECT_EQ(dialog->objectName(), "Dialog");
    EXPECT_EQ(dialog->windowTitle(), "Zelvar");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->parentWidget(), &owner);
    EXPECT_EQ(dialog->minimumSize(), QSize(302, 128));
    EXPECT_EQ(dialog->maximumSize(), QSize(302, 128));
    Qt::WindowFlags flags = dialog->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);

    QLabel* info = dialog->findChild<QLabel*>("lblInfo");
    ASSERT_EQ(info, dialog->info());
    EXPECT_TRUE(info->text().isEmpty());
    EXPECT_EQ(info->geometry(), QRect(8, 8, 281, 81));
    EXPECT_EQ(info->frameShape(), QFrame::Box);
    EXPECT_EQ(info->frameShadow(), QFrame::Plain);
    EXPECT_EQ(info->lineWidth(), 1);
    EXPECT_EQ(info->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    EXPECT_TRUE(info->font().bold());
    EXPECT_DOUBLE_EQ(info->font().pointSizeF(), 13.5);
    EXPECT_EQ(info->font().styleHint(), QFont::SansSerif);

    QPushButton* ok = dialog->findChild<QPushButton*>("OKButton");
    ASSERT_EQ(ok, dialog->okButton());
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->geometry(), QRect(112, 96, 81, 25));
}

TEST_F(MessageDialog, OkButtonComesFirstInTheKeyboardOrder) {
    dialog->show();
    QApplication::processEvents();
    EXPECT_EQ(dialog->focusWidget(), dialog->okButton());
}

TEST_F(MessageDialog, LabelBreaksLinesAtCrLf) {
    dialog->setText(kSentMessage);
    EXPECT_EQ(dialog->info()->text(), "Data sent !\n Be shure that 'Transfer OK' appears on LCD");
    dialog->setText(sendingText("COM2"));
    EXPECT_EQ(dialog->info()->text(), "\nSending data on COM2...");
}

TEST_F(MessageDialog, OkHidesAndKeepsTheText) {
    dialog->setText(kSentMessage);
    dialog->showProgress();
    dialog->okButton()->click();
    ASSERT_FALSE(dialog.isNull());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->info()->text(), "Data sent !\n Be shure that 'Transfer OK' appears on LCD");
}

TEST_F(MessageDialog, UsersCloseRequestOnlyHides) {
    dialog->showProgress();
    QApplication::processEvents();
    closeBoxClicked();
    ASSERT_FALSE(dialog.isNull());
    EXPECT_FALSE(dialog->isVisible());
    dialog->showProgress();
    EXPECT_TRUE(dialog->isVisible()) << "a hidden dialog shows again";
}

TEST_F(MessageDialog, ProgramsCloseDestroysItShownOrHidden) {
    for (bool hidden : {false, true}) {
        QPointer<Dialog> closing = new Dialog(&owner);
        closing->showProgress();
        if (hidden)
            closing->okButton()->click();
        EXPECT_TRUE(closing->close());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(closing.isNull()) << "hidden " << hidden;
    }
}

TEST_F(MessageDialog, CloseBoxDuringASendHidesAndTheSendCompletes) {
    testing::PtyLine line;
    ASSERT_TRUE(line.ok());
    QtSerialPort port(fixedDevice(line.path()));
    SendPacing pacing = pumping([this](milliseconds pause) {
        if (pause == milliseconds(600))
            closeBoxClicked();
    });
    SendResult result = sendConfig(ConfigImage{}, {"4800,n,8,1", 1, "COM1"}, port, *dialog, pacing);
    ASSERT_TRUE(result.sent()) << result.description;
    ASSERT_FALSE(dialog.isNull());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(line.readAvailable().size(), 170u);
    dialog->showProgress();
    EXPECT_EQ(dialog->info()->text(), "Data sent !\n Be shure that 'Transfer OK' appears on LCD");
}

// The window tests show the failed open's message box; a failure after the dialog came up
// leaves it standing with the progress reached.
TEST_F(MessageDialog, FailureMidSendKeepsTheProgressWithOkHidden) {
    testing::PtyLine line;
    ASSERT_TRUE(line.ok());
    QtSerialPort port(fixedDevice(line.path()));
    testing::ModalAnswerer modals;
    SendPacing pacing = pumping([&](milliseconds pause) {
        if (pause == milliseconds(600))
            line.closeMaster();
    });
    SendResult result = sendConfig(ConfigImage{}, {"4800,n,8,1", 1, "COM1"}, port, *dialog, pacing);
    EXPECT_EQ(result.outcome, SendOutcome::Failed);
    ASSERT_EQ(modals.boxes.size(), 1u);
    EXPECT_EQ(modals.boxes.front().text.toStdString(), result.description);
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->okButton()->isVisibleTo(dialog));
    EXPECT_EQ(dialog->info()->text(), "\nSending data on COM1.....");
    closeBoxClicked();
    EXPECT_FALSE(dialog->isVisible()) << "the user can still close it";
}

TEST_F(MessageDialog, DiesWithItsOwner) {
    auto ownerWindow = std::make_unique<QMainWindow>();
    QPointer<Dialog> owned = new Dialog(ownerWindow.get());
    owned->showProgress();
    owned->okButton()->click();
    ownerWindow.reset();
    EXPECT_TRUE(owned.isNull());
}

}  // namespace
}  // namespace zelvar
