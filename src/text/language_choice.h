#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvar {

// The locale variables of the environment, as gettext reads them.
struct LocaleVariables {
    std::string language;  // LANGUAGE: "de:fr", languages in the order of preference
    std::string all;       // LC_ALL
    std::string messages;  // LC_MESSAGES
    std::string lang;      // LANG
};

// "de_DE.UTF-8@euro", "pt-BR": "de_DE", "pt_BR"; the code the catalogues are named by.
std::string languageCode(std::string_view locale);

// The languages asked for, best first: LANGUAGE's list, unless the locale (LC_ALL, else
// LC_MESSAGES, else LANG) is unset, "C" or "POSIX", which asks for the program's own texts, as
// gettext has it; then the locale.
std::vector<std::string> wantedLanguages(const LocaleVariables& variables);

// Whether a language code asks for the program's own texts: English, or the C locale.
bool asksForOwnTexts(std::string_view code);

// The first wanted language that has a catalogue, in any case ("de_DE" takes "de" where there is
// no "de_DE", "DE" takes "de"); nothing where English or C comes first or none has one: the
// program's own texts.
std::optional<std::string> chosenLanguage(const std::vector<std::string>& wanted,
                                          const std::vector<std::string>& available);

// The language a command line asks for with "--lang xx" or "--lang=xx", up to a "--"; the last
// one when it asks more than once.
std::optional<std::string> askedLanguage(const std::vector<std::string>& arguments);

}  // namespace zelvar
