#include "ui/field_edit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "ui/key_filters.h"

namespace zelvar {
namespace {

constexpr int kLastLatin1 = 255;
constexpr int kFirstPrintable = 32;

bool isKeyboardEntry(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

}  // namespace

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {
    // Dropped text would bypass the filter.
    setAcceptDrops(false);
}

QString FieldEdit::filtered(const QString& text) const {
    QString kept;
    kept.reserve(text.size());
    for (QChar character : text) {
        int code = character.unicode();
        if (code < kFirstPrintable || code > kLastLatin1)
            continue;
        if (filter_)
            code = filter_(code);
        if (code != kDroppedKey)
            kept.append(QChar(code));
    }
    return kept;
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool isCharacter = typed.size() == 1 && typed.front().unicode() >= kFirstPrintable &&
                             !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (!isCharacter) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString kept = filtered(typed);
    if (kept.isEmpty()) {
        event->accept();
        return;
    }
    QKeyEvent changed(event->type(), event->key(), event->modifiers(), kept, event->isAutoRepeat(),
                      static_cast<quint16>(event->count()));
    QLineEdit::keyPressEvent(&changed);
    event->setAccepted(changed.isAccepted());
}

void FieldEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent changed(event->preeditString(), event->attributes());
    changed.setCommitString(filtered(event->commitString()), event->replacementStart(),
                            event->replacementLength());
    QLineEdit::inputMethodEvent(&changed);
}

void FieldEdit::pasteFiltered() {
    if (isReadOnly())
        return;
    const QString kept = filtered(QGuiApplication::clipboard()->text());
    if (!kept.isEmpty() || hasSelectedText())
        insert(kept);
}

void FieldEdit::selectWholeContent() {
    // Caret at the first position, selection to the end.
    const int end = static_cast<int>(displayText().size());
    setSelection(end, -end);
}

void FieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (selectAllOnFocus_) {
        // A click places the caret after the focus arrives; select once it has.
        if (event->reason() == Qt::MouseFocusReason)
            selectOnMousePress_ = true;
        else
            selectWholeContent();
    } else if (isKeyboardEntry(event->reason())) {
        deselect();
        setCursorPosition(0);
    }
}

void FieldEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (selectOnMousePress_) {
        selectOnMousePress_ = false;
        selectWholeContent();
    }
}

void FieldEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the X11 selection; it goes through the filter like any paste.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        if (!isReadOnly()) {
            setCursorPosition(cursorPositionAt(event->position().toPoint()));
            insert(filtered(clipboard->text(QClipboard::Selection)));
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FieldEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, &FieldEdit::pasteFiltered);
    }
    menu->popup(event->globalPos());
}

}  // namespace zelvar
