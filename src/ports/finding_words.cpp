#include "ports/finding_words.h"

#include <algorithm>

#include "common/ascii.h"
#include "text/translation.h"

namespace zelvar {

std::string shellWord(std::string_view word) {
    const bool plain = !word.empty() && std::ranges::all_of(word, [](char c) {
        return isAsciiLower(c) || isAsciiUpper(c) || isAsciiDigit(c) ||
               std::string_view("_-./:@%+=,").find(c) != std::string_view::npos;
    });
    if (plain)
        return std::string(word);
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string modeText(const PathStatus& status) {
    std::string text = status.characterDevice ? "c" : "-";
    for (int shift : {6, 3, 0}) {
        const std::uint32_t bits = status.mode >> shift;
        text += bits & 4 ? 'r' : '-';
        text += bits & 2 ? 'w' : '-';
        text += bits & 1 ? 'x' : '-';
    }
    return text;
}

std::string listedPortsText(const std::vector<NumberedPort>& ports) {
    const std::string counted =
        withArguments(translatedPlural("port doctor", "the system lists %1 serial device",
                                       "the system lists %1 serial devices", ports.size()),
                      {std::to_string(ports.size())});
    // The list is joined in the language's words: French puts a no-break space before the
    // colon, Japanese writes full-width ones.
    std::string listed;
    for (const NumberedPort& port : ports) {
        const std::string named =
            withArguments(translated("port doctor", "port %1 %2"),
                          {std::to_string(port.number), port.device.location});
        listed = listed.empty()
                     ? named
                     : withArguments(translated("port doctor", "%1, %2"), {listed, named});
    }
    return listed.empty() ? counted
                          : withArguments(translated("port doctor", "%1: %2"), {counted, listed});
}

std::string_view baseName(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace zelvar
