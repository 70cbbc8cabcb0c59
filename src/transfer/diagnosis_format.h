#pragma once

#include <string>
#include <vector>

#include "transfer/port_doctor.h"

namespace zelvar {

// Each finding as "- text", followed by "  Fix: command" where a command fixes it; every line
// ended by '\n'. Empty for no findings.
std::string findingsText(const std::vector<Finding>& findings);

// What `doctor` prints: a verdict line, "Port 1 (/dev/ttyUSB0) can be opened for writing." or
// "... cannot be used:", then the findings.
std::string diagnosisText(const Diagnosis& diagnosis);

}  // namespace zelvar
