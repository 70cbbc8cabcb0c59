#pragma once

class QColor;
class QTextDocument;

namespace zelvar {

// Gives every coloured text of `document` its own colour made readable on what it is drawn on:
// its own background where it has one, else `page`. The document's own colours are kept, so a
// later call for another page (a palette switched to dark) starts from them again.
void makeColoursReadable(QTextDocument& document, const QColor& page);

}  // namespace zelvar
