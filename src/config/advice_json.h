#pragma once

#include <string>
#include <vector>

#include "config/advice.h"

namespace zelvar {

// The notes as a JSON array, one object each with rule, level, field, label, text and why: the
// same bytes from every front end, so that they can be compared.
std::string adviceJson(const std::vector<AdviceNote>& notes);

}  // namespace zelvar
