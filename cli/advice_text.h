#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "config/advice.h"

namespace zelvar::cli {

// Each note as one line, "warning: MY CALLSIGN: The callsign is ...", control characters
// escaped; with `explain`, its why wrapped and indented below it.
void printAdvice(std::ostream& out, const std::vector<AdviceNote>& notes, bool explain);

// A text wrapped to lines of at most `width` characters, each indented by `indent` spaces.
std::string wrapped(std::string_view text, std::size_t indent, std::size_t width = 79);

}  // namespace zelvar::cli
