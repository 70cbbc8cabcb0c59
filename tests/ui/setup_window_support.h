#pragma once

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "ui/setup_window.h"

namespace zelvar::testing {

// Types `keys` into `widget` one key press at a time, each carrying its character, as a keyboard
// does (Latin-1 or not).
void typeKeys(QWidget* widget, const QString& keys);

// One key as an X11 keyboard sends it: editing keys carry control codes as their text (Delete
// "\x7f", Ctrl+A "\x01").
struct X11Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString text;
};
void pressKeys(QWidget* widget, std::initializer_list<X11Key> keys);

// A message box as the user saw it.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString informativeText;
};

// A file dialog as it opened.
struct SeenFileDialog {
    QString title;
    QStringList filters;
    QString selectedFilter;
    QString folder;
    QString fileName;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    bool confirmsOverwrite = false;
};

// Plays the user in front of every modal window the main window opens: message boxes are read
// and answered with OK (or Yes, for the overwrite question), file dialogs are read and given the
// next chosen path, or cancelled. A dialog that will not take the answer is cancelled, so no
// test ever hangs on one.
class ModalAnswerer {
  public:
    ModalAnswerer();

    // The path the next file dialog returns; an empty path cancels it.
    void choose(const QString& path) { choices_.push_back(path); }

    // Called with each message box before it is answered, while it is still open.
    void onBox(std::function<void(const SeenBox&)> check) { onBox_ = std::move(check); }

    std::vector<SeenBox> boxes;
    std::vector<SeenFileDialog> fileDialogs;

  private:
    void answer();
    void answerBox(QMessageBox* box);
    void answerFileDialog(QFileDialog* dialog);

    QTimer poll_;
    std::vector<QString> choices_;
    std::function<void(const SeenBox&)> onBox_;
    QPointer<QFileDialog> answered_;
    int waitedForAnswered_ = 0;
};

// The main window shown and active, with the helpers to find and type into its controls.
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

    // Focus on the field, its content gone, then the keys as the user types them.
    void typeInto(const QString& name, const QString& keys);
    // Focus on the field, caret at the end, then the keys.
    void appendTo(const QString& name, const QString& keys);
    // The name of the control that has the focus (an editable list's own edit counts as it).
    QString focusedName() const;
    void click(const QString& button);

    ModalAnswerer modals;
    std::unique_ptr<SetupWindow> window;
};

}  // namespace zelvar::testing
