#pragma once

#include <QLineEdit>
#include <functional>

namespace zelvar {

// One edit field of the main window. Characters the user types, pastes or composes pass the
// field's key filter first; text written by the program goes in unfiltered. Characters outside
// Latin-1 never get in, because the settings hold one byte per character.
class FieldEdit : public QLineEdit {
    Q_OBJECT

  public:
    // Takes a character code, returns it (possibly changed) or kDroppedKey.
    using KeyFilter = std::function<int(int)>;

    explicit FieldEdit(QWidget* parent);

    void setKeyFilter(KeyFilter filter) { filter_ = std::move(filter); }
    // Entering the field selects its whole content, so typing replaces the old value.
    void setSelectAllOnFocus(bool on) { selectAllOnFocus_ = on; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // `text` with every character the filter drops removed and the others as it changes them.
    QString filtered(const QString& text) const;
    void pasteFiltered();
    void selectWholeContent();

    KeyFilter filter_;
    bool selectAllOnFocus_ = false;
    bool selectOnMousePress_ = false;
};

}  // namespace zelvar
