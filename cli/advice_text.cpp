#include "advice_text.h"

#include <optional>
#include <string>
#include <vector>

#include "common/utf8.h"
#include "terminal_columns.h"

namespace zelvar::cli {

namespace {

// What may end a line: the text up to a space, or in Chinese and Japanese, which put no spaces
// between words, up to a wide character, unless a line would start with a closing mark or end
// with an opening one.
struct Piece {
    std::string text;
    bool spaced = false;  // a space stood before it
};

bool opens(char32_t c) {
    return std::u32string_view(U"\u300C\u300E\uFF08\u3010\u3008\u300A").find(c) !=
           std::u32string_view::npos;
}

bool closes(char32_t c) {
    return std::u32string_view(
               U"\u3001\u3002\uFF0C\uFF0E\uFF09\u300D\u300F\u3011\u3009\u300B\u30FC\uFF01\uFF1F"
               U"\uFF1A")
               .find(c) != std::u32string_view::npos;
}

std::vector<Piece> pieces(std::string_view text) {
    std::vector<Piece> result(1);
    std::optional<char32_t> last;
    bool spaced = false;
    while (!text.empty()) {
        const std::string_view rest = text;
        const std::optional<char32_t> c = takeUtf8(text);
        if (!c)
            text.remove_prefix(1);
        const std::string_view taken = rest.substr(0, rest.size() - text.size());
        if (c == U' ') {
            spaced = true;
            last.reset();
            continue;
        }
        const bool wideBreak = c && last && (isWideCharacter(*c) || isWideCharacter(*last)) &&
                               !closes(*c) && !opens(*last);
        if (spaced || wideBreak) {
            if (!result.back().text.empty())
                result.push_back({});
            result.back().spaced = spaced;
            spaced = false;
        }
        result.back().text += taken;
        last = c;
    }
    return result;
}

}  // namespace

std::string wrapped(std::string_view text, std::size_t indent, std::size_t width) {
    std::string result;
    std::string line(indent, ' ');
    for (const Piece& piece : pieces(text)) {
        const std::size_t columns = terminalColumns(line);
        const bool space = piece.spaced && columns > indent;
        if (columns > indent && columns + (space ? 1 : 0) + terminalColumns(piece.text) > width) {
            result += line + "\n";
            line.assign(indent, ' ');
        } else if (space) {
            line += ' ';
        }
        line += piece.text;
    }
    return result + line + "\n";
}

void printAdvice(std::ostream& out, const std::vector<AdviceNote>& notes, bool explain) {
    for (const AdviceNote& note : notes) {
        out << adviceLine(note) << "\n";
        if (explain)
            out << wrapped(note.why, 4);
    }
}

}  // namespace zelvar::cli
