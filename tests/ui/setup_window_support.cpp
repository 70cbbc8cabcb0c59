#include "setup_window_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

#include "ui/instructions_viewer.h"

namespace zelvar::testing {
namespace {

constexpr int kPollMs = 5;
// How long a file dialog may keep the screen after it was answered (in polls).
constexpr int kAnswerPatience = 200;

}  // namespace

void typeKeys(QWidget* widget, const QString& keys) {
    for (QChar character : keys) {
        // Qt numbers the keys of printable characters by their upper-case code.
        const QChar upper = character.toUpper();
        const auto key = static_cast<Qt::Key>(upper.unicode() <= 0xff || character.unicode() > 0xff
                                                  ? upper.unicode()
                                                  : character.unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(character), Qt::NoModifier);
    }
}

void pressKeys(QWidget* widget, std::initializer_list<X11Key> keys) {
    for (const X11Key& key : keys)
        QTest::sendKeyEvent(QTest::Click, widget, key.key, key.text, key.modifiers);
}

ModalAnswerer::ModalAnswerer() {
    QObject::connect(&poll_, &QTimer::timeout, [this] { answer(); });
    poll_.start(kPollMs);
}

void ModalAnswerer::answer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        answerBox(box);
    else if (auto* dialog = qobject_cast<QFileDialog*>(modal))
        answerFileDialog(dialog);
}

void ModalAnswerer::answerBox(QMessageBox* box) {
    SeenBox seen{box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                 box->informativeText()};
    boxes.push_back(seen);
    if (onBox_)
        onBox_(seen);
    QAbstractButton* yes = box->button(QMessageBox::Yes);
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    if (QAbstractButton* answer = yes ? yes : ok)
        answer->click();
    else
        box->reject();
}

void ModalAnswerer::answerFileDialog(QFileDialog* dialog) {
    if (dialog == answered_) {
        // It refused the path, or asks a question that is still coming.
        if (++waitedForAnswered_ > kAnswerPatience)
            dialog->reject();
        return;
    }
    answered_ = dialog;
    waitedForAnswered_ = 0;
    const QStringList selected = dialog->selectedFiles();
    fileDialogs.push_back({dialog->windowTitle(), dialog->nameFilters(),
                           dialog->selectedNameFilter(), dialog->directory().absolutePath(),
                           selected.isEmpty() ? QString() : QFileInfo(selected.front()).fileName(),
                           dialog->acceptMode(),
                           !dialog->testOption(QFileDialog::DontConfirmOverwrite)});
    const QString path = choices_.empty() ? QString() : choices_.front();
    if (!choices_.empty())
        choices_.erase(choices_.begin());
    if (path.isEmpty()) {
        dialog->reject();
        return;
    }
    dialog->selectFile(path);
    // Accepted from the event loop, so that an overwrite question it asks meets this poll.
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
}

SetupWindowTest::SetupWindowTest(PortLister lister)
    : window(new SetupWindow(nullptr, std::move(lister))) {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

SetupWindowTest::~SetupWindowTest() {
    if (InstructionsViewer* viewer = InstructionsViewer::instance())
        viewer->close();
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void SetupWindowTest::typeInto(const QString& name, const QString& keys) {
    QLineEdit* edit = field(name);
    edit->setFocus(Qt::OtherFocusReason);
    edit->clear();
    typeKeys(edit, keys);
}

void SetupWindowTest::appendTo(const QString& name, const QString& keys) {
    QLineEdit* edit = field(name);
    edit->setFocus(Qt::OtherFocusReason);
    edit->end(false);
    typeKeys(edit, keys);
}

QString SetupWindowTest::focusedName() const {
    const QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return {};
    if (focus->objectName().isEmpty() && qobject_cast<const QComboBox*>(focus->parentWidget()))
        return focus->parentWidget()->objectName();
    return focus->objectName();
}

void SetupWindowTest::click(const QString& button) {
    QPushButton* pressed = control<QPushButton>(button);
    ASSERT_NE(pressed, nullptr);
    QTest::mouseClick(pressed, Qt::LeftButton);
}

}  // namespace zelvar::testing
