#include "ui/field_edit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include "config/input_rules.h"

namespace zelvar {
namespace {

constexpr QChar kPrompt = u'_';
// The line edit keeps this much room between its contents frame and the first character.
constexpr int kTextIndent = 2;

bool isKeyboardEntry(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

}  // namespace

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {}

void FieldEdit::setCharacterRule(CharacterValidator::Rule rule) {
    delete rule_;
    rule_ = new CharacterValidator(this, std::move(rule));
    setValidator(rule_);
}

void FieldEdit::setPositions(int positions) {
    positions_ = positions;
    setMaxLength(positions);
    update();
}

template <typename Edit>
void FieldEdit::withoutRule(Edit edit) {
    setValidator(nullptr);
    edit();
    setValidator(rule_);
}

void FieldEdit::writeUnfiltered(const QString& text) {
    withoutRule([&] { setText(text); });
}

void FieldEdit::undoUnfiltered() {
    withoutRule([this] { undo(); });
}

void FieldEdit::redoUnfiltered() {
    withoutRule([this] { redo(); });
}

QString FieldEdit::shownText() const {
    const QString content = text();
    return content + QString(std::max<qsizetype>(positions_ - content.size(), 0), kPrompt);
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo)) {
        undoUnfiltered();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        redoUnfiltered();
        event->accept();
        return;
    }
    // A key the rule changes (a lower-case letter in a callsign) goes in already changed, so
    // that the gate has nothing to rewrite and the edit stays undoable.
    const QString typed = event->text();
    if (rule_ && typed.size() == 1 && !(event->modifiers() & Qt::ControlModifier)) {
        const int code = rule_->judge(typed.front());
        if (code != kDroppedKey && code != typed.front().unicode()) {
            QKeyEvent changed(event->type(), event->key(), event->modifiers(), QString(QChar(code)),
                              event->isAutoRepeat(), static_cast<quint16>(event->count()));
            QLineEdit::keyPressEvent(&changed);
            event->setAccepted(changed.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void FieldEdit::selectWholeContent() {
    // Caret at the first position, selection to the end.
    const int end = static_cast<int>(text().size());
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

void FieldEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const std::pair<const char*, void (FieldEdit::*)()> unfiltered[] = {
        {"edit-undo", &FieldEdit::undoUnfiltered}, {"edit-redo", &FieldEdit::redoUnfiltered}};
    for (const auto& [name, edit] : unfiltered) {
        if (QAction* action = menu->findChild<QAction*>(QString::fromLatin1(name))) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, edit);
        }
    }
    menu->popup(event->globalPos());
}

void FieldEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    const QString prompts = shownText().mid(text().size());
    if (prompts.isEmpty())
        return;
    // The prompts follow the characters on their baseline, where the next ones will go.
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &frame, this)
                               .marginsRemoved(textMargins());
    const QFontMetrics metrics = fontMetrics();
    const int x = contents.x() + kTextIndent + metrics.horizontalAdvance(text());
    const int top = contents.y() + (contents.height() - metrics.height() + 1) / 2;
    QPainter painter(this);
    painter.setClipRect(contents);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(QPoint(x, top + metrics.ascent()), prompts);
}

}  // namespace zelvar
