#pragma once

#include <QComboBox>

namespace zelvar {

// A drop-down list that a screen reader names by its label ("Mic-E msg"), with the chosen
// entry as its value; a plain list would give the entry as its name on Linux.
class LabelledList : public QComboBox {
    Q_OBJECT

  public:
    explicit LabelledList(QWidget* parent);

  private:
    QString shownEntry_;  // the entry a screen reader was told of last
};

}  // namespace zelvar
