#pragma once

#include <string>
#include <string_view>

namespace zelvar {

// The system's words for the errno value `error` in the user's language: the refusals files and
// serial ports meet ("No such file or directory", "Permission denied") come from the catalogue,
// in English as the C library says them; any other in the C library's words.
std::string systemErrorText(int error);

// `words` as a library that asked the system passed them on (Qt's "No such file or directory"):
// the C library's words for an errno value of the catalogue in the user's language, any other
// words as they are.
std::string systemWordsInLanguage(std::string_view words);

}  // namespace zelvar
