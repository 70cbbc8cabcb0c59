#include "text/language_choice.h"

#include <algorithm>

#include "common/ascii.h"

namespace zelvar {
namespace {

std::string_view baseLanguage(std::string_view code) {
    return code.substr(0, code.find('_'));
}

bool isProgramLocale(std::string_view locale) {
    return locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

// Only the plain C locale leaves LANGUAGE unheard, as gettext has it: C.UTF-8, the locale of many
// a container and minimal system, is a locale of its own, where "LANGUAGE=de" asks for German.
bool ignoresLanguageList(std::string_view locale) {
    return locale.empty() || locale == "C" || locale == "POSIX";
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
    if (ignoresLanguageList(locale))
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

bool asksForOwnTexts(std::string_view code) {
    return isProgramLocale(code) || asciiLowered(baseLanguage(code)) == "en";
}

std::optional<std::string> chosenLanguage(const std::vector<std::string>& wanted,
                                          const std::vector<std::string>& available) {
    // Language tags ignore case: "DE" is German, "pt_br" Brazilian Portuguese.
    const auto catalogueOf = [&](std::string_view code) -> std::optional<std::string> {
        const auto found = std::find_if(available.begin(), available.end(), [&](const auto& l) {
            return asciiLowered(l) == asciiLowered(code);
        });
        return found == available.end() ? std::nullopt : std::optional<std::string>(*found);
    };
    for (const std::string& code : wanted) {
        if (std::optional<std::string> language = catalogueOf(code))
            return language;
        if (std::optional<std::string> language = catalogueOf(baseLanguage(code)))
            return language;
        if (asksForOwnTexts(code))
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
