#include "ui/labelled_list.h"

#include "ui/window_accessibility.h"

namespace zelvar {

LabelledList::LabelledList(QWidget* parent) : QComboBox(parent) {
    installWindowAccessibility();
}

}  // namespace zelvar
