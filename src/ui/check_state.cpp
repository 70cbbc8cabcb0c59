#include "ui/check_state.h"

#include <QCheckBox>

namespace zelvar {

int checkValue(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        default:
            return 0;
    }
}

bool isTicked(const QCheckBox* box) {
    return box->checkState() == Qt::Checked;
}

void writeCheck(QCheckBox* box, int value) {
    if (value == 2) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
        return;
    }
    box->setTristate(false);
    box->setCheckState(value == 1 ? Qt::Checked : Qt::Unchecked);
}

void keepTwoStateAfterClick(QCheckBox* box) {
    QObject::connect(box, &QCheckBox::stateChanged, box, [box](int state) {
        if (state != Qt::PartiallyChecked)
            box->setTristate(false);
    });
}

}  // namespace zelvar
