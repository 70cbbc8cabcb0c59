#pragma once

class QCheckBox;

namespace zelvar {

// Check boxes as the .cfg stores them: 0 clear, 1 ticked, 2 greyed. Greyed comes only from a
// file; once the user clicks, the box is two-state again.
int checkValue(const QCheckBox* box);
// Ticked, as the build reads the value: a greyed box is not, though QCheckBox::isChecked says so.
bool isTicked(const QCheckBox* box);
void writeCheck(QCheckBox* box, int value);
void keepTwoStateAfterClick(QCheckBox* box);

}  // namespace zelvar
