#include "ui/message_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QWindow>

namespace zelvar {
namespace {

class MessageDialog : public ::testing::Test {
  protected:
    MessageDialog() : dialog(new Dialog(&owner)) {}

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

struct ShownText {
    const char* name;
    std::string text;
};

void PrintTo(const ShownText& t, std::ostream* out) {
    *out << t.name;
}

class DialogText : public MessageDialog, public ::testing::WithParamInterface<ShownText> {};

// Every text the send shows fits the label whole, bold, wrapped at blanks where it must.
TEST_P(DialogText, ShowsWhole) {
    dialog->setText(GetParam().text);
    dialog->showProgress();
    QApplication::processEvents();
    const QLabel* info = dialog->info();
    const QRect room = info->contentsRect();
    const QRect needed = info->fontMetrics().boundingRect(
        room, static_cast<int>(info->alignment()) | Qt::TextWordWrap, info->text());
    EXPECT_TRUE(room.contains(needed)) << "needs " << needed.width() << "x" << needed.height()
                                       << ", has " << room.width() << "x" << room.height();
    EXPECT_TRUE(info->font().bold());
    EXPECT_TRUE(info->wordWrap());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DialogText,
    ::testing::Values(ShownText{"DataSent", std::string(kSentMessage)},
                      ShownText{"FirstProgress", sendingText("COM1")},
                      ShownText{"LastProgress", sendingText("COM9") + "..."},
                      ShownText{"LongPortName", sendingText("COM99999999999999999999") + "..."}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(MessageDialog, ShortTextsKeepTheirFullSize) {
    dialog->setText("\r\nOK");
    EXPECT_DOUBLE_EQ(dialog->info()->font().pointSizeF(), 13.5);
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
