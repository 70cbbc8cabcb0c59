#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zelvar {

// The file the window's command line names, as its own bytes (a name need not be UTF-8): the
// first argument that is no option, nor the value of "--lang"; every argument after "--" is a
// name. `arguments` come without the program's name, as Qt leaves them once it has taken its own
// options, and after Qt's parser has refused any other option. "-" alone is a name too.
std::optional<std::filesystem::path> fileArgument(const std::vector<std::string>& arguments);

}  // namespace zelvar
