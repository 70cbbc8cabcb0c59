#pragma once

#include <string>
#include <vector>

#include "ports/port_doctor.h"

namespace zelvar {

// Each finding as "- text", followed by "  Fix: command" where a command fixes it; every line
// ended by '\n', every control character within them escaped as "\x0A". Empty for no findings.
std::string findingsText(const std::vector<Finding>& findings);

// A failed send as the window and `zelvar-cli send` report it: the serial layer's words, and below
// them, when bytes had gone out, that the tracker got only part of its settings (kHeldUpAdvice
// after the pacer's kHeldUp, kPartlySentMessage after the line's failure), then the findings as
// findingsText() writes them.
struct FailureReport {
    std::string text;
    std::string below;
};

// A finding that begins with the layer's words says the same more fully ("... does not exist: the
// system lists 2 serial devices: port 1 /dev/ttyUSB0, ..."): it takes the words' place instead
// of repeating them below. So does one that another Zelvar program is sending on the port, which
// is what the layer's words about a lock or a busy device then mean.
FailureReport failureReport(const std::string& reason, std::vector<Finding> findings,
                            bool partlySent);

// What `doctor` prints: a verdict line, "Port 1 (/dev/ttyUSB0) can be opened for writing." or
// "... cannot be used:", then the findings.
std::string diagnosisText(const Diagnosis& diagnosis);

}  // namespace zelvar
