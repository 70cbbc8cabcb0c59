#include "ui/form_changes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace zelvar {

FormChanges::FormChanges(QWidget* form, QObject* parent) : QObject(parent) {
    turn_.setSingleShot(true);
    turn_.setInterval(0);
    connect(&turn_, &QTimer::timeout, this, &FormChanges::changed);
    const auto note = [this] {
        if (!turn_.isActive())
            turn_.start();
    };
    // An editable list's own edit is among the line edits, so typed list text counts too.
    for (QLineEdit* edit : form->findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, note);
    for (QCheckBox* box : form->findChildren<QCheckBox*>())
        connect(box, &QCheckBox::stateChanged, this, note);
    for (QComboBox* list : form->findChildren<QComboBox*>())
        connect(list, &QComboBox::currentIndexChanged, this, note);
}

}  // namespace zelvar
