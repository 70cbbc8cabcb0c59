#pragma once

#include <QLineEdit>
#include <QString>

namespace zelvar {

// A text the program writes (from a file) goes into `field` whole, past its character rule and
// its length, which are for what the user brings: cut to the length, a file's "00600" would be 60
// s. The field's length then holds the text, or `lengthLimit` where that is more.
void writeWhole(QLineEdit* field, const QString& text, int lengthLimit);

}  // namespace zelvar
