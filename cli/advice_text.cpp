#include "advice_text.h"

#include <algorithm>

#include "common/ascii.h"

namespace zelvar::cli {
namespace {

std::string counted(long count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace

std::string wrapped(std::string_view text, std::size_t indent, std::size_t width) {
    std::string result;
    std::string line(indent, ' ');
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        if (line.size() > indent && line.size() + 1 + word.size() > width) {
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
        out << adviceLevelName(note.level) << ": " << fieldLabel(note.field) << ": "
            << escapedControls(note.text) << "\n";
        if (explain)
            out << wrapped(note.why, 4);
    }
}

std::string adviceSummary(const std::vector<AdviceNote>& notes) {
    if (notes.empty())
        return "No advice: the settings follow the usual APRS practice.";
    const auto warnings = std::count_if(notes.begin(), notes.end(), [](const AdviceNote& note) {
        return note.level == AdviceLevel::Warning;
    });
    const auto hints = static_cast<long>(notes.size()) - warnings;
    return counted(static_cast<long>(warnings), "warning", "warnings") + ", " +
           counted(hints, "hint", "hints");
}

}  // namespace zelvar::cli
