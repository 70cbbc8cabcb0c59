#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/setup_window.h"

namespace zelvar::testing {

// What the progress window says at the end of a good send.
inline const QString kSentShown = "Data sent !\n Be shure that 'Transfer OK' appears on LCD";

// Types `keys` one key press at a time, each carrying its character, as a keyboard does.
void typeKeys(QWidget* widget, const QString& keys);

// A key as X11 sends it: editing keys carry control codes as their text (Delete "\x7f").
struct X11Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString text;
};
void pressKeys(QWidget* widget, std::initializer_list<X11Key> keys);
inline const X11Key kEnter{Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")};
inline const X11Key kEscape{Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")};

// Commits `text` at the caret of `widget`, as an input method does once it has composed it.
void compose(QWidget* widget, const QString& text);

// Drops `text` on `widget`, as a drag from another program does.
void dropText(QWidget* widget, const QString& text);

// Activates `shown` and waits until it is the active window, as shortcuts and mnemonics need.
bool activate(QWidget* shown);

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString informativeText;
    bool plain = false;  // every label shows its text as plain text
    QSize size;
};

// Writes `bytes` over the file at `path`.
void writeFile(const QString& path, QByteArrayView bytes);

// A fresh current folder for the life of the object, the one before given back after.
struct FreshCurrentFolder {
    FreshCurrentFolder() { QDir::setCurrent(folder.path()); }
    ~FreshCurrentFolder() { QDir::setCurrent(previous); }
    QString previous = QDir::currentPath();
    QTemporaryDir folder;
};

// Each pair of visible controls of `window` that overlap, by their names ("cmdLatLon and
// cmdSymbols"), once the layout has placed them: one would cover part of the other.
std::vector<std::string> overlappingControls(QWidget* window);

// What a tool tip shows of `tip`, as Qt decides between plain and rich text.
QString shownAsToolTip(const QString& tip);

struct SeenFileDialog {
    QString title, filter, folder, fileName;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    QRect frame, screen;  // where it stands, and its screen's free area
};

// Plays the user at every modal window: boxes get Yes or OK, file dialogs the next chosen path
// (an empty one cancels); one that will not take the answer is cancelled, so no test hangs.
class ModalAnswerer {
  public:
    ModalAnswerer();
    void choose(const QString& path) { choices_.push_back(path); }
    // Called with each message box while it is still open.
    void onBox(std::function<void(const SeenBox&)> check) { onBox_ = std::move(check); }

    std::vector<SeenBox> boxes;
    std::vector<SeenFileDialog> fileDialogs;

  private:
    void answer();
    void answerFileDialog(QFileDialog* dialog);

    QTimer poll_;
    QStringList choices_;
    std::function<void(const SeenBox&)> onBox_;
    QPointer<QFileDialog> answered_;
    int waitedForAnswered_ = 0;
};

class SetupWindowTest : public ::testing::Test {
  protected:
    explicit SetupWindowTest(PortLister lister = systemPorts);
    ~SetupWindowTest() override;

    template <typename T>
    T* control(const QString& name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit* field(const QString& name) { return control<QLineEdit>(name); }
    QString textOf(const QString& name) { return field(name)->text(); }

    // Focus on the field, its content gone (or the caret at the end), then the keys.
    void typeInto(const QString& name, const QString& keys);
    void appendTo(const QString& name, const QString& keys);
    // The focused control's name (an editable list's own edit counts as the list).
    QString focusedName() const;
    void click(const QString& button);

    ModalAnswerer modals;
    std::unique_ptr<SetupWindow> window;
};

}  // namespace zelvar::testing
