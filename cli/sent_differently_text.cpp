#include "sent_differently_text.h"

#include "text/translation.h"

namespace zelvar::cli {

void printSentDifferently(std::ostream& out, const std::vector<NormalisationNote>& notes) {
    if (notes.empty())
        return;
    out << translated("cli", "Sent differently from the file:") << "\n";
    for (const NormalisationNote& note : notes)
        out << "- " << note.text << "\n";
}

}  // namespace zelvar::cli
