#include "setup_window_support.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QScreen>
#include <QTextDocument>
#include <algorithm>
#include <iterator>

#include "ui/instructions_viewer.h"

namespace zelvar::testing {

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

void compose(QWidget* widget, const QString& text) {
    QInputMethodEvent composed;
    composed.setCommitString(text);
    QApplication::sendEvent(widget, &composed);
}

void dropText(QWidget* widget, const QString& text) {
    QMimeData dropped;
    dropped.setText(text);
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, {}, QEvent::Drop);
    QApplication::sendEvent(widget, &drop);
}

bool activate(QWidget* shown) {
    shown->activateWindow();
    return QTest::qWaitFor([shown] { return QApplication::activeWindow() == shown; });
}

void writeFile(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), bytes.size());
}

std::vector<std::string> overlappingControls(QWidget* window) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const auto isControl = [](const QWidget* widget) {
        return qobject_cast<const QAbstractButton*>(widget) ||
               qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
               qobject_cast<const QLabel*>(widget);
    };
    std::vector<std::pair<QRect, QString>> placed;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        // A list's own edit is part of the list.
        if (widget->window() == window && widget->isVisibleTo(window) && isControl(widget) &&
            !isControl(widget->parentWidget()))
            placed.emplace_back(QRect(widget->mapTo(window, QPoint()), widget->size()),
                                widget->objectName());
    }
    std::vector<std::string> overlapping;
    for (auto one = placed.begin(); one != placed.end(); ++one) {
        for (auto other = std::next(one); other != placed.end(); ++other) {
            if (one->first.intersects(other->first))
                overlapping.push_back((one->second + " and " + other->second).toStdString());
        }
    }
    return overlapping;
}

QString shownAsToolTip(const QString& tip) {
    QTextDocument shown;
    if (Qt::mightBeRichText(tip))
        shown.setHtml(tip);
    else
        shown.setPlainText(tip);
    return shown.toPlainText();
}

ModalAnswerer::ModalAnswerer() {
    QObject::connect(&poll_, &QTimer::timeout, [this] { answer(); });
    poll_.start(5);
}

void ModalAnswerer::answer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<QFileDialog*>(modal))
        return answerFileDialog(dialog);
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box)
        return;
    const QList<QLabel*> labels = box->findChildren<QLabel*>();
    const bool plain = std::ranges::all_of(labels, [](const QLabel* label) {
        return label->text().isEmpty() || label->textFormat() == Qt::PlainText;
    });
    boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                     box->informativeText(), plain, box->size()});
    if (onBox_)
        onBox_(boxes.back());
    if (QAbstractButton* yes = box->button(QMessageBox::Yes))
        return yes->click();
    box->accept();
}

void ModalAnswerer::answerFileDialog(QFileDialog* dialog) {
    if (dialog == answered_) {
        // It refused the path, or asks a question that is still coming.
        if (++waitedForAnswered_ > 200)
            dialog->reject();
        return;
    }
    answered_ = dialog;
    waitedForAnswered_ = 0;
    const QStringList selected = dialog->selectedFiles();
    fileDialogs.push_back(
        {dialog->windowTitle(), dialog->selectedNameFilter(), dialog->directory().absolutePath(),
         selected.isEmpty() ? QString() : QFileInfo(selected.front()).fileName(),
         dialog->acceptMode(), dialog->frameGeometry(), dialog->screen()->availableGeometry()});
    const QString path = choices_.isEmpty() ? QString() : choices_.takeFirst();
    if (path.isEmpty())
        return dialog->reject();
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
    field(name)->setFocus(Qt::OtherFocusReason);
    field(name)->clear();
    typeKeys(field(name), keys);
}

void SetupWindowTest::appendTo(const QString& name, const QString& keys) {
    field(name)->setFocus(Qt::OtherFocusReason);
    field(name)->end(false);
    typeKeys(field(name), keys);
}

QString SetupWindowTest::focusedName() const {
    const QWidget* focus = QApplication::focusWidget();
    if (focus && focus->objectName().isEmpty() && qobject_cast<QComboBox*>(focus->parentWidget()))
        return focus->parentWidget()->objectName();
    return focus ? focus->objectName() : QString();
}

void SetupWindowTest::click(const QString& button) {
    QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
}

}  // namespace zelvar::testing
