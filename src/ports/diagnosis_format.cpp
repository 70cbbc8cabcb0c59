#include "ports/diagnosis_format.h"

#include <algorithm>

#include "common/ascii.h"
#include "text/translation.h"
#include "transfer/transfer_plan.h"

namespace zelvar {

// Findings quote what other programs chose (their names, device paths, lock files): each control
// character, line breaks too, is escaped, so that no quote makes a line or a finding of its own.
std::string findingsText(const std::vector<Finding>& findings) {
    std::string text;
    for (const Finding& finding : findings) {
        text += "- " + escapedControls(finding.text) + "\n";
        if (!finding.fix.empty()) {
            text += "  " +
                    withArguments(translated("port doctor", "Fix: %1"),
                                  {escapedControls(finding.fix)}) +
                    "\n";
        }
    }
    return text;
}

FailureReport failureReport(const std::string& reason, std::vector<Finding> findings,
                            bool partlySent) {
    FailureReport report{reason, {}};
    // Another send on the port is what the layer's "locking" or "busy" words mean.
    auto fuller = std::ranges::find_if(findings, [&](const Finding& finding) {
        return finding.text.starts_with(reason) || finding.kind == FindingKind::SendingNow;
    });
    if (!reason.empty() && fuller != findings.end()) {
        report.text = escapedControls(fuller->text);
        findings.erase(fuller);
    }
    report.below = findingsText(findings);
    if (partlySent) {
        const bool heldUp = reason == translated("send", kHeldUp);
        report.below =
            std::string(translated("send", heldUp ? kHeldUpAdvice : kPartlySentMessage)) +
            (report.below.empty() ? "" : "\n\n") + report.below;
    }
    return report;
}

std::string diagnosisText(const Diagnosis& diagnosis) {
    const std::string location = escapedControls(diagnosis.device.location);
    std::string subject = location;
    if (diagnosis.number) {
        subject = location.empty() ? withArguments(translated("port doctor", "Port %1"),
                                                   {std::to_string(*diagnosis.number)})
                                   : withArguments(translated("port doctor", "Port %1 (%2)"),
                                                   {std::to_string(*diagnosis.number), location});
    }
    const bool usable = diagnosis.usable();
    if (diagnosis.findings.empty()) {
        return withArguments(usable ? translated("port doctor", "%1 can be opened for writing.")
                                    : translated("port doctor", "%1 cannot be used."),
                             {subject}) +
               "\n";
    }
    return withArguments(usable ? translated("port doctor", "%1 can be opened for writing, but:")
                                : translated("port doctor", "%1 cannot be used:"),
                         {subject}) +
           "\n" + findingsText(diagnosis.findings);
}

}  // namespace zelvar
