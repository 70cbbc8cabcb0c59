#pragma once

#include <ostream>
#include <vector>

#include "config/normalisation_notes.h"

namespace zelvar::cli {

// The fields a file holds that go to the tracker otherwise, as the window's preview lists them:
// "Sent differently from the file:", then one "- TX DELAY ..." line each. Nothing when none do.
void printSentDifferently(std::ostream& out, const std::vector<NormalisationNote>& notes);

}  // namespace zelvar::cli
