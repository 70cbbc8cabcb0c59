#include "ui/whole_text.h"

#include <QValidator>
#include <algorithm>

namespace zelvar {

void writeWhole(QLineEdit* field, const QString& text, int lengthLimit) {
    const int room = std::max(lengthLimit, static_cast<int>(text.size()));
    const QValidator* rule = field->validator();
    field->setValidator(nullptr);
    // Raised before and lowered after: lowered first, it would cut the old text, a change of its
    // own.
    if (field->maxLength() < room)
        field->setMaxLength(room);
    field->setText(text);
    field->setMaxLength(room);
    field->setValidator(rule);
}

}  // namespace zelvar
