#include "transfer/diagnosis_format.h"

namespace zelvar {

std::string findingsText(const std::vector<Finding>& findings) {
    std::string text;
    for (const Finding& finding : findings) {
        text += "- " + finding.text + "\n";
        if (!finding.fix.empty())
            text += "  Fix: " + finding.fix + "\n";
    }
    return text;
}

std::string diagnosisText(const Diagnosis& diagnosis) {
    const std::string& location = diagnosis.device.location;
    std::string subject = location;
    if (diagnosis.number) {
        subject = "Port " + std::to_string(*diagnosis.number);
        if (!location.empty())
            subject += " (" + location + ")";
    }
    std::string verdict = diagnosis.usable() ? " can be opened for writing" : " cannot be used";
    if (diagnosis.findings.empty())
        return subject + verdict + ".\n";
    if (diagnosis.usable())
        verdict += ", but";
    return subject + verdict + ":\n" + findingsText(diagnosis.findings);
}

}  // namespace zelvar
