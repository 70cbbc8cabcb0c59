#include "ui/labelled_list.h"

#include <QAccessible>
#include <utility>

#include "ui/window_accessibility.h"

namespace zelvar {

LabelledList::LabelledList(QWidget* parent) : QComboBox(parent) {
    installWindowAccessibility();
    // The entry is the list's text for a screen reader: a new one replaces it.
    connect(this, &QComboBox::currentTextChanged, this, [this](const QString& entry) {
        const QString before = std::exchange(shownEntry_, entry);
        if (!QAccessible::isActive())
            return;
        QAccessibleTextUpdateEvent replaced(this, 0, before, entry);
        QAccessible::updateAccessibility(&replaced);
    });
}

}  // namespace zelvar
