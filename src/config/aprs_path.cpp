#include "config/aprs_path.h"

#include "config/text_number.h"

namespace zelvar {

std::vector<std::string_view> pathEntries(std::string_view path) {
    auto blank = [](std::string_view entry) { return trimSpaces(entry).empty(); };
    for (;;) {
        std::size_t comma = path.size() > 1 ? path.find(',', 1) : std::string_view::npos;
        if (comma == std::string_view::npos)
            return blank(path) ? std::vector<std::string_view>{} : std::vector{path};
        std::string_view first = path.substr(0, comma);
        std::string_view rest = path.substr(comma + 1);
        if (!blank(first))
            return blank(rest) ? std::vector{first} : std::vector{first, rest};
        path = rest;
    }
}

}  // namespace zelvar
