#include "files/file_arguments.h"

#include <gtest/gtest.h>

namespace zelvar {
namespace {

// What `zelvar-config ARGUMENTS` opens: the first name, whatever its bytes, never an option or
// the language's value; after "--" a name may look like an option.
TEST(FileArgument, IsTheFirstNameOutsideTheOptions) {
    using Arguments = std::vector<std::string>;
    const std::pair<Arguments, std::optional<std::string>> cases[] = {
        {{}, std::nullopt},
        {{"--lang", "de"}, std::nullopt},
        {{"--lang", "de.cfg"}, std::nullopt},
        {{"--lang", "de", "a.cfg", "b.cfg"}, "a.cfg"},
        {{"--lang=de", "caf\xE9.cfg"}, "caf\xE9.cfg"},
        {{"a.cfg", "--lang", "de"}, "a.cfg"},
        {{"--", "--lang"}, "--lang"},
        {{"--", "--", "x"}, "--"},
        {{"-"}, "-"},
        {{"--lang"}, std::nullopt},
    };
    for (const auto& [arguments, expected] : cases) {
        const std::optional<std::filesystem::path> file = fileArgument(arguments);
        ASSERT_EQ(file.has_value(), expected.has_value()) << ::testing::PrintToString(arguments);
        if (expected) {
            EXPECT_EQ(file->native(), *expected);
        }
    }
}

}  // namespace
}  // namespace zelvar
