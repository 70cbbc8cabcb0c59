#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>

#include "ui/character_validator.h"

namespace zelvar {

// One edit field of the main window. What the user types, pastes, drops or composes passes the
// field's character rule (a CharacterValidator); text written by the program goes in as it is.
// Pasted and dropped text is filtered before the field's length cuts it, so the characters that
// go in are the first ones the rule keeps. A masked field overtypes: a typed, composed or pasted
// character replaces the one at the caret, as on a form with printed boxes.
class FieldEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit FieldEdit(QWidget* parent);

    void setCharacterRule(CharacterValidator::Rule rule);
    // At most `length` characters typed, pasted or dropped.
    void setLengthLimit(int length);
    int lengthLimit() const { return lengthLimit_; }
    // A masked field: `positions` characters at most, "_" shown in each one not yet filled.
    void setPositions(int positions);
    // Entering the field selects its whole content, so typing replaces the old value.
    void setSelectAllOnFocus(bool on) { selectAllOnFocus_ = on; }

    // The program's write: no rule applies and no length cuts it (a file's "00600" stays 600 s,
    // not 60, for the build to judge as zelvar-cli does); the field's reactions run as for typed
    // text.
    void writeUnfiltered(const QString& text);

    // The content as the field shows it, "_" in the unfilled positions.
    QString shownText() const;

    // What the content holds that shows nothing (a soft hyphen loaded from a file), with the
    // content made visible: "\"NOC\\u00ADALL-9\": the field holds an invisible soft hyphen
    // (U+00AD)"; empty when it holds nothing of the kind. A red bar marks each such character
    // where it stands, and the field's tip says this.
    QString hiddenCharactersNote() const;

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void selectWholeContent();
    // The prompts in the unfilled positions of a masked field; the bars at hidden characters.
    void paintPrompts(QPainter& painter, const QRect& contents);
    void paintHiddenMarks(QPainter& painter, const QRect& contents);
    // The first characters of `text` the rule keeps, as it changes them, as many as the field's
    // length takes.
    QString filtered(const QString& text) const;
    void pasteFiltered(QClipboard::Mode mode);
    // In a masked field, selects the `count` characters from the caret on, which the next
    // insertion then replaces.
    void overtype(qsizetype count);
    // Undo and redo bring back earlier contents, which passed their gate when they were made.
    void undoUnfiltered();
    void redoUnfiltered();
    template <typename Edit>
    void withoutRule(Edit edit);

    QPointer<CharacterValidator> rule_;
    int positions_ = 0;
    int lengthLimit_ = maxLength();
    bool selectAllOnFocus_ = false;
    bool selectOnMousePress_ = false;
};

}  // namespace zelvar
