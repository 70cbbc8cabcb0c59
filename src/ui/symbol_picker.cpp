#include "ui/symbol_picker.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/core_text.h"
#include "ui/plain_text.h"
#include "ui/spoken_line.h"

namespace zelvar {
namespace {

constexpr int kCodeRole = Qt::UserRole;
constexpr int kTableRole = Qt::UserRole + 1;
constexpr int kListRows = 12;
// Room for the longer names ("house, home station (VHF), primary table") without scrolling.
constexpr int kListCharacters = 48;

// The widest entry the list can show, in the user's language.
int widestEntry(const QFontMetrics& metrics) {
    int widest = 0;
    for (const AprsSymbol& symbol : searchSymbols({})) {
        const std::string code(1, symbol.code);
        widest = std::max(widest,
                          metrics.horizontalAdvance(fromUtf8(describeSymbol(code, symbol.table))));
    }
    return widest;
}

}  // namespace

SymbolPicker::SymbolPicker(QWidget* owner) : QWidget(owner, Qt::Dialog) {
    setObjectName(QStringLiteral("frmSymbols"));
    setWindowTitle(shown(ShownText::SymbolPickerTitle));

    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("edSymbolSearch"));
    search_->setPlaceholderText(shown(ShownText::SymbolSearchHint));
    search_->setAccessibleDescription(shown(ShownText::SymbolSearchHint));
    search_->setClearButtonEnabled(true);
    auto* label = new QLabel(shown(ShownText::SymbolSearch), this);
    label->setBuddy(search_);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstSymbols"));
    list_->setAccessibleName(shown(ShownText::SymbolList));
    list_->setUniformItemSizes(true);
    list_->setMinimumHeight(list_->fontMetrics().lineSpacing() * kListRows);
    // Every entry whole, in a language with longer words too: the frame and the scroll bar beside.
    list_->setMinimumWidth(std::max(list_->fontMetrics().averageCharWidth() * kListCharacters,
                                    widestEntry(list_->fontMetrics()) + 2 * list_->frameWidth() +
                                        list_->verticalScrollBar()->sizeHint().width() +
                                        list_->fontMetrics().averageCharWidth()));
    none_ = new QLabel(this);
    none_->setObjectName(QStringLiteral("lblNoSymbol"));
    none_->setTextFormat(Qt::PlainText);
    none_->setWordWrap(true);
    none_->hide();

    use_ = new QPushButton(shown(ShownText::UseSymbol), this);
    use_->setObjectName(QStringLiteral("cmdUseSymbol"));
    use_->setDefault(true);
    auto* cancel = new QPushButton(shown(ShownText::Cancel), this);
    cancel->setObjectName(QStringLiteral("cmdCancelSymbol"));

    auto* searchLine = new QHBoxLayout;
    searchLine->addWidget(label);
    searchLine->addWidget(search_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(use_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchLine);
    layout->addWidget(list_, 1);
    layout->addWidget(none_);
    layout->addLayout(buttons);

    connect(search_, &QLineEdit::textChanged, this, &SymbolPicker::search);
    connect(search_, &QLineEdit::returnPressed, this, &SymbolPicker::use);
    connect(list_, &QListWidget::itemActivated, this, &SymbolPicker::use);
    connect(use_, &QPushButton::clicked, this, &SymbolPicker::use);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    search_->installEventFilter(this);
    spoken_ = new SpokenLine({search_}, this);
    search();
    hide();
}

void SymbolPicker::pick(const QString& symbol, SymbolTable table) {
    search_->clear();
    search();
    for (int row = 0; row < list_->count(); ++row) {
        const QListWidgetItem* item = list_->item(row);
        if (symbol.size() == 1 && item->data(kCodeRole).toChar() == symbol.front() &&
            item->data(kTableRole).toInt() == static_cast<int>(table)) {
            list_->setCurrentRow(row);
            list_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
        }
    }
    spoken_->now(chosenName());
    show();
    raise();
    activateWindow();
    search_->setFocus(Qt::OtherFocusReason);
}

void SymbolPicker::search() {
    list_->clear();
    const QString typed = search_->text();
    for (const AprsSymbol& symbol : searchSymbols(typed.toStdString())) {
        const std::string code(1, symbol.code);
        auto* item = new QListWidgetItem(fromUtf8(describeSymbol(code, symbol.table)), list_);
        item->setData(kCodeRole, QChar::fromLatin1(symbol.code));
        item->setData(kTableRole, static_cast<int>(symbol.table));
    }
    if (list_->count() > 0)
        list_->setCurrentRow(0);
    // Quoted with its hidden characters by their codes: a pasted U+202E would turn the line. A
    // pasted page of text is quoted within the list's width, its middle left out, so that the
    // answer wraps below the list rather than widen the picker past the screen.
    const QString answer = shown(ShownText::SymbolNoMatch);
    const QFontMetrics metrics = none_->fontMetrics();
    const QString quoted = metrics.elidedText(
        withHiddenShown(typed), Qt::ElideMiddle,
        list_->minimumWidth() - metrics.horizontalAdvance(answer.arg(QString())));
    none_->setText(answer.arg(quoted));
    none_->setVisible(list_->count() == 0);
    use_->setEnabled(list_->count() > 0);
    spoken_->changed(chosenName());
}

QString SymbolPicker::chosenName() const {
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->text() : none_->text();
}

void SymbolPicker::use() {
    const QListWidgetItem* item = list_->currentItem();
    if (!item)
        return;
    emit chosen(item->data(kCodeRole).toChar(),
                static_cast<SymbolTable>(item->data(kTableRole).toInt()));
    close();
}

// Up, Down, Page Up and Page Down in the search move through the list, so the keyboard
// never leaves the search.
bool SymbolPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(list_, event);
            spoken_->now(chosenName());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zelvar
