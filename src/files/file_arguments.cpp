#include "files/file_arguments.h"

#include <string_view>

namespace zelvar {

std::optional<std::filesystem::path> fileArgument(const std::vector<std::string>& arguments) {
    bool optionsOver = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!optionsOver && argument == "--") {
            optionsOver = true;
        } else if (!optionsOver && argument == "--lang") {
            ++i;  // its value
        } else if (optionsOver || argument == "-" || !argument.starts_with('-')) {
            return std::filesystem::path(arguments[i]);
        }
    }
    return std::nullopt;
}

}  // namespace zelvar
