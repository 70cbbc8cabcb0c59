#include "ui/field_edit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "common/hidden_characters.h"
#include "config/input_rules.h"
#include "ui/palette_colours.h"
#include "ui/plain_text.h"
#include "ui/whole_text.h"

namespace zelvar {
namespace {

constexpr QChar kPrompt = u'_';
const QColor kHiddenMarkColour(200, 0, 0);
// The line edit keeps this much room between its contents frame and the first character.
constexpr int kTextIndent = 2;

// A key that types its character: no Ctrl, Alt or Meta with it.
bool typesCharacter(const QKeyEvent* event) {
    constexpr Qt::KeyboardModifiers kCommand =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return event->text().size() == 1 && !(event->modifiers() & kCommand);
}

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

void FieldEdit::setLengthLimit(int length) {
    lengthLimit_ = length;
    setMaxLength(std::max(length, static_cast<int>(text().size())));
}

void FieldEdit::setPositions(int positions) {
    positions_ = positions;
    setLengthLimit(positions);
    update();
}

template <typename Edit>
void FieldEdit::withoutRule(Edit edit) {
    setValidator(nullptr);
    edit();
    setValidator(rule_);
}

void FieldEdit::writeUnfiltered(const QString& text) {
    writeWhole(this, text, lengthLimit_);
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
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered(QClipboard::Clipboard);
        event->accept();
        return;
    }
    // A key the rule changes (a lower-case letter in a callsign) goes in already changed, so
    // that the gate has nothing to rewrite and the edit stays undoable.
    const QString typed = event->text();
    if (rule_ && typesCharacter(event)) {
        const int code = rule_->judge(typed.front());
        if (code != kDroppedKey)
            overtype(1);
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

void FieldEdit::inputMethodEvent(QInputMethodEvent* event) {
    // A character a dead key or an input method composes ("^" of the dead key and a blank, a
    // full-width digit) overtypes as a typed one does.
    if (!event->commitString().isEmpty() && event->replacementLength() == 0)
        overtype(filtered(event->commitString()).size());
    QLineEdit::inputMethodEvent(event);
}

QString FieldEdit::filtered(const QString& text) const {
    // No insertion keeps more than the field's length, so the scan stops there; and each
    // character is judged once, as a judgment may read other fields. A pasted book costs no more
    // than a pasted word.
    const qsizetype room = maxLength();
    if (!rule_)
        return text.left(room);
    constexpr int kUnjudged = -1;
    std::vector<int> judged(std::size_t{0x10000}, kUnjudged);
    QString kept;
    for (qsizetype i = 0; i < text.size() && kept.size() < room; ++i) {
        int& code = judged[text[i].unicode()];
        if (code == kUnjudged)
            code = rule_->judge(text[i]);
        if (code != kDroppedKey)
            kept.append(QChar(code));
    }
    return kept;
}

void FieldEdit::overtype(qsizetype count) {
    if (positions_ == 0 || hasSelectedText())
        return;
    const int caret = cursorPosition();
    const auto replaced = static_cast<int>(std::min(count, text().size() - caret));
    if (replaced > 0)
        setSelection(caret, replaced);
}

void FieldEdit::pasteFiltered(QClipboard::Mode mode) {
    if (isReadOnly())
        return;
    const QString pasted = filtered(QGuiApplication::clipboard()->text(mode));
    if (pasted.isEmpty())
        return;
    overtype(pasted.size());
    insert(pasted);
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

void FieldEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the X11 selection, through the filter like any paste.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
        !isReadOnly()) {
        deselect();
        pasteFiltered(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FieldEdit::dropEvent(QDropEvent* event) {
    if (!rule_ || !event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData kept;
    kept.setText(filtered(event->mimeData()->text()));
    QDropEvent filteredDrop(event->position(), event->possibleActions(), &kept, event->buttons(),
                            event->modifiers(), event->type());
    filteredDrop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&filteredDrop);
    event->setDropAction(filteredDrop.dropAction());
    event->setAccepted(filteredDrop.isAccepted());
}

void FieldEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const std::pair<const char*, std::function<void()>> ownEdits[] = {
        {"edit-undo", [this] { undoUnfiltered(); }},
        {"edit-redo", [this] { redoUnfiltered(); }},
        {"edit-paste", [this] { pasteFiltered(QClipboard::Clipboard); }}};
    for (const auto& [name, edit] : ownEdits) {
        if (QAction* action = menu->findChild<QAction*>(QString::fromLatin1(name))) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, edit);
        }
    }
    menu->popup(event->globalPos());
}

QString FieldEdit::hiddenCharactersNote() const {
    const std::string content = text().toStdString();
    const std::string held = hiddenCharactersHeld(content, TextBytes::Utf8);
    if (held.empty())
        return {};
    return QStringLiteral("\"%1\": %2").arg(withHiddenShown(text()), QString::fromStdString(held));
}

bool FieldEdit::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        if (const QString note = hiddenCharactersNote(); !note.isEmpty()) {
            const QString tip =
                toolTip().isEmpty() ? note : toolTip() + QStringLiteral("\n") + note;
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), plainToolTip(tip),
                               this);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void FieldEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &frame, this)
                               .marginsRemoved(textMargins());
    QPainter painter(this);
    painter.setClipRect(contents);
    paintPrompts(painter, contents);
    paintHiddenMarks(painter, contents);
}

void FieldEdit::paintPrompts(QPainter& painter, const QRect& contents) {
    const QString prompts = shownText().mid(text().size());
    if (prompts.isEmpty())
        return;
    // The prompts follow the characters on their baseline, where the next ones will go.
    const QFontMetrics metrics = fontMetrics();
    const int x = contents.x() + kTextIndent + metrics.horizontalAdvance(text());
    // On the line of the characters shown; with none, where the line edit would put a typed
    // "_" (it centres a line by the height of its characters).
    const int lineHeight = std::max(metrics.boundingRect(shownText()).height(), metrics.height());
    const int top = text().isEmpty() ? contents.y() + (contents.height() - lineHeight + 1) / 2
                                     : cursorRect().top();
    // In the placeholder's colour, so that an empty position never looks like a typed "_".
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::PlaceholderText));
    painter.drawText(QPoint(x, top + metrics.ascent()), prompts);
}

void FieldEdit::paintHiddenMarks(QPainter& painter, const QRect& contents) {
    const QString content = text();
    const QFontMetrics metrics = fontMetrics();
    // A bar from the top of the characters to below their baseline, as wide as a stroke.
    const int width = std::max(2, metrics.lineWidth() * 2);
    const QColor colour = readableOn(kHiddenMarkColour, palette().color(QPalette::Base));
    const QRect caret = cursorRect();
    const int top = caret.top() + 1;
    // A text longer than the field scrolls with the caret: the marks move as far as the caret
    // stands from where the unscrolled text would put it (it stands in the middle of its rect).
    const int caretX = (caret.left() + caret.right() + 1) / 2;
    const int unscrolledCaretX =
        contents.x() + kTextIndent + metrics.horizontalAdvance(content.left(cursorPosition()));
    const int scroll = std::max(0, unscrolledCaretX - caretX);
    // Each stretch up to the next hidden character is measured once, rather than each one's whole
    // prefix: a file's 60,000 soft hyphens held the window for minutes at every paint. The marks
    // start and end where the field does, and a mark on the last one's place is not drawn again.
    const qsizetype first =
        std::max(0, cursorPositionAt(QPoint(contents.left() - width, caret.center().y())) - 1);
    int x = contents.x() + kTextIndent - scroll + metrics.horizontalAdvance(content.left(first));
    std::optional<int> lastMark;
    qsizetype measured = first;
    for (qsizetype i = first; i < content.size() && x - width <= contents.right(); ++i) {
        if (!hiddenCharacterName(content[i].unicode()))
            continue;
        x += metrics.horizontalAdvance(content.mid(measured, i - measured));
        measured = i;
        if (lastMark == x)
            continue;
        painter.fillRect(QRect(x - width / 2, top, width, metrics.height()), colour);
        lastMark = x;
    }
}

}  // namespace zelvar
