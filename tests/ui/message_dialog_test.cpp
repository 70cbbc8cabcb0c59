#include "ui/message_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QWindow>

#include "setup_window_support.h"

namespace zelvar {
namespace {

using testing::kSentShown;

class ProgressDialog : public ::testing::Test {
  protected:
    QMainWindow owner;
    QPointer<MessageDialog> dialog = new MessageDialog(&owner);
};

// OK and the title bar's close box only hide it, text kept; the program's close ends it.
TEST_F(ProgressDialog, TheUserHidesItTheProgramClosesIt) {
    dialog->setText(kSentMessage);
    dialog->showProgress();
    dialog->okButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    dialog->showProgress();
    QCloseEvent event;
    QApplication::sendEvent(dialog->windowHandle(), &event);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->info()->text(), kSentShown);
    EXPECT_TRUE(dialog->close());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(ProgressDialog, EveryTextOfTheSendFitsWhole) {
    for (const std::string& text : {std::string(kSentMessage), sendingText("COM9") + "...",
                                    sendingText("COM99999999999999999999") + "..."}) {
        dialog->setText(text);
        dialog->showProgress();
        QApplication::processEvents();
        const QLabel* info = dialog->info();
        const QRect room = info->contentsRect();
        const QRect needed = info->fontMetrics().boundingRect(
            room, int(info->alignment()) | Qt::TextWordWrap, info->text());
        EXPECT_TRUE(room.contains(needed) && info->wordWrap() && info->font().bold()) << text;
    }
}

}  // namespace
}  // namespace zelvar
