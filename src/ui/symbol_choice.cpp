#include "ui/symbol_choice.h"

#include <QCheckBox>
#include <QPushButton>

#include "text/translation.h"
#include "ui/check_state.h"
#include "ui/core_text.h"
#include "ui/field_edit.h"
#include "ui/latin1_text.h"
#include "ui/symbol_picker.h"

namespace zelvar {

SymbolChoice::SymbolChoice(QWidget* window, const FormControls& controls)
    : QObject(window), window_(window), controls_(controls) {
    ownDescription_ = controls_.edit(Field::Symbol)->accessibleDescription();
    connect(controls_.symbols, &QPushButton::clicked, this, &SymbolChoice::open);
    refresh();
}

QString SymbolChoice::shownName() const {
    const SymbolTable table = isTicked(controls_.box(Field::AlternateTable))
                                  ? SymbolTable::Alternate
                                  : SymbolTable::Primary;
    return fromUtf8(describeSymbol(toLatin1(controls_.edit(Field::Symbol)->text()), table));
}

void SymbolChoice::refresh() {
    const QString name = shownName();
    FieldEdit* symbol = controls_.edit(Field::Symbol);
    symbol->setToolTip(name);
    symbol->setAccessibleDescription(
        fromUtf8(translated("main window", "%1: %2")).arg(ownDescription_, name));
    controls_.symbols->setAccessibleDescription(name);
}

void SymbolChoice::open() {
    if (!picker_) {
        picker_ = new SymbolPicker(window_);
        connect(picker_, &SymbolPicker::chosen, this, [this](QChar code, SymbolTable table) {
            controls_.edit(Field::Symbol)->writeUnfiltered(QString(code));
            controls_.box(Field::AlternateTable)->setChecked(table == SymbolTable::Alternate);
            controls_.edit(Field::Symbol)->setFocus(Qt::OtherFocusReason);
            window_->activateWindow();
        });
    }
    picker_->pick(controls_.edit(Field::Symbol)->text(),
                  isTicked(controls_.box(Field::AlternateTable)) ? SymbolTable::Alternate
                                                                 : SymbolTable::Primary);
}

}  // namespace zelvar
