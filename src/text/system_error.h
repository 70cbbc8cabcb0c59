#pragma once

#include <string>

namespace zelvar {

// The system's words for the errno value `error` in the user's language: the refusals files and
// serial ports meet ("No such file or directory", "Permission denied") come from the catalogue,
// in English as the C library says them; any other in the C library's words.
std::string systemErrorText(int error);

}  // namespace zelvar
