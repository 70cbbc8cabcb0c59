#include "text/language_choice.h"

#include <algorithm>

namespace zelvar {
namespace {

std::string_view baseLanguage(std::string_view code) {
    return code.substr(0, code.find('_'));
}

bool isProgramLocale(std::string_view locale) {
    return locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

}  // namespace

std::string languageCode(std::string_view locale) {
    locale = locale.substr(0, locale.find_first_of(".@"));
    std::string code(locale);
    std::replace(code.begin(), code.end(), '-', '_');
    return code;
}

std::vector<std::string> wantedLanguages(const LocaleVariables& variables) {
    const std::string& locale = !variables.all.empty()        ? variables.all
                                : !variables.messages.empty() ? variables.messages
                                                              : variables.lang;
    std::vector<std::string> wanted;
    if (isProgramLocale(locale))
        return wanted;
    std::string_view list = variables.language;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        if (const std::string code = languageCode(list.substr(0, colon)); !code.empty())
            wanted.push_back(code);
        list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
    }
    wanted.push_back(languageCode(locale));
    return wanted;
}

std::optional<std::string> chosenLanguage(const std::vector<std::string>& wanted,
                                          const std::vector<std::string>& available) {
    const auto has = [&](std::string_view code) {
        return std::find(available.begin(), available.end(), code) != available.end();
    };
    for (const std::string& code : wanted) {
        if (has(code))
            return code;
        if (const std::string_view base = baseLanguage(code); has(base))
            return std::string(base);
        if (baseLanguage(code) == "en")
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> askedLanguage(const std::vector<std::string>& arguments) {
    constexpr std::string_view kOption = "--lang";
    // Given twice, the last one counts, as for every other option.
    std::optional<std::string> asked;
    for (std::size_t i = 0; i < arguments.size() && arguments[i] != "--"; ++i) {
        const std::string_view argument = arguments[i];
        if (argument == kOption && i + 1 < arguments.size())
            asked = arguments[++i];
        else if (argument.starts_with(kOption) && argument.size() > kOption.size() &&
                 argument[kOption.size()] == '=')
            asked = std::string(argument.substr(kOption.size() + 1));
    }
    return asked;
}

}  // namespace zelvar
