#pragma once

#include <QStringList>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zelvar {

// Where the catalogues lie: beside the built programs, and in the installed data folder.
QStringList catalogueFolders();

// The languages with a catalogue there: "de", "pt_BR", "en_XA".
std::vector<std::string> catalogueLanguages();

// Installs the catalogue of `asked` ("de", "pt-BR"), or where nothing is asked of the language
// the environment asks for (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), with Qt's own texts (dialog
// buttons) in the same language. Returns the language installed; nothing: the program's own
// texts.
std::optional<std::string> installUserLanguage(const std::optional<std::string>& asked);

// installUserLanguage(asked) for a program's --lang: a language asked for that has no catalogue
// is said on `errors` as `program` ("zelvar-cli: no catalogue for the language ..."), in the
// program's own words, since there is no catalogue to say it in.
void installAskedLanguage(const std::optional<std::string>& asked, std::string_view program,
                          std::ostream& errors);

}  // namespace zelvar
