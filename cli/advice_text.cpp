#include "advice_text.h"

#include "common/ascii.h"
#include "terminal_columns.h"

namespace zelvar::cli {

std::string wrapped(std::string_view text, std::size_t indent, std::size_t width) {
    std::string result;
    std::string line(indent, ' ');
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        const std::size_t columns = terminalColumns(line);
        if (columns > indent && columns + 1 + terminalColumns(word) > width) {
            result += line + "\n";
            line.assign(indent, ' ');
        }
        line += (line.size() > indent ? " " : "") + std::string(word);
        text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
    }
    return result + line + "\n";
}

void printAdvice(std::ostream& out, const std::vector<AdviceNote>& notes, bool explain) {
    for (const AdviceNote& note : notes) {
        out << escapedControls(adviceLine(note)) << "\n";
        if (explain)
            out << wrapped(note.why, 4);
    }
}

}  // namespace zelvar::cli
