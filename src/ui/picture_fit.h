#pragma once

#include <QtGlobal>

class QTextDocument;

namespace zelvar {

// Narrows every picture of `document` that is wider than `width` to that width, its height in
// proportion, and gives narrowed ones back their own size once there is room for it again.
// Returns whether a picture changed size.
bool fitPicturesToWidth(QTextDocument& document, qreal width);

}  // namespace zelvar
