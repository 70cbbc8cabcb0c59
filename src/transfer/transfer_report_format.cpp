#include "transfer/transfer_report_format.h"

#include "cfg/cfg_encoding.h"
#include "common/ascii.h"
#include "common/json_text.h"
#include "config/image_description.h"
#include "text/translation.h"

namespace zelvar {
namespace {

std::string verdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Passed:
            return "passed";
        case Verdict::Failed:
            return "failed";
        case Verdict::NotJudged:
            break;
    }
    return "not judged";
}

std::string settingsJson(const TransferReport& report) {
    if (!report.image)
        return "null";
    std::string json = "[";
    for (const TrackerSetting& setting : describeImage(*report.image, decodeImage(*report.image))) {
        // The tracker's characters as \u escapes, one per Latin-1 byte, as ever.
        const std::string latin1 =
            cfgTextToLatin1(setting.value, CfgEncoding::Utf8).value_or(setting.value);
        json += (json.size() > 1 ? ", " : "") + std::string("{\"name\": ") +
                jsonString(setting.name) + ", \"value\": " + jsonString(latin1, TextBytes::Latin1) +
                "}";
    }
    return json + "]";
}

}  // namespace

std::string transferPauseText(const TransferReport& report) {
    std::string judged;
    std::string shown;
    for (const TransferGap& gap : report.gaps) {
        const std::string length = std::to_string(wholeMilliseconds(gap.length));
        if (gap.judged)
            judged = length;
        else if (gap.name.starts_with("lead-in"))
            shown = shown.empty() ? withArguments(translated("transfer report", "%1 ms"), {length})
                                  : withArguments(translated("transfer report", "%1 and %2 ms"),
                                                  {shown, length});
    }
    std::string lines;
    if (!judged.empty()) {
        lines +=
            withArguments(translated("transfer report",
                                     "Pause after block 1: %1 ms, at least %2 ms needed (the "
                                     "protocol's %3 ms less %4 ms for adapter and system delays)"),
                          {judged, std::to_string(kLeastPause.count()),
                           std::to_string(kPauseAfterBlock1.count()),
                           std::to_string(kPauseTolerance.count())}) +
            "\n";
    }
    if (!shown.empty()) {
        lines += withArguments(translated("transfer report",
                                          "Pauses after the lead-ins: %1, not judged (USB "
                                          "adapters deliver bytes in bursts)"),
                               {shown}) +
                 "\n";
    }
    return lines;
}

std::string transferReportText(const TransferReport& report, std::string_view title) {
    // "Transfer OK" is the tracker's own words: it stays as it is in every language.
    std::string text =
        report.ok() ? std::string(title) + " OK\n"
                    : withArguments(translated("transfer report", "%1 faulty:"), {title}) + "\n";
    for (const std::string& fault : report.faults())
        text += "- " + fault + "\n";
    return text + transferPauseText(report);
}

std::string transferReportJson(const TransferReport& report) {
    std::string bytes;
    for (std::uint8_t byte : report.bytes)
        bytes += hexByte(byte);
    std::string checks;
    for (const TransferCheckItem& check : report.checks) {
        checks += (checks.empty() ? "" : ", ") + std::string("{\"check\": ") +
                  jsonString(check.name) + ", \"verdict\": \"" + verdictName(check.verdict) +
                  "\", \"detail\": " + jsonString(check.detail) + "}";
    }
    std::string gaps;
    for (const TransferGap& gap : report.gaps) {
        gaps += (gaps.empty() ? "" : ", ") + std::string("{\"between\": ") + jsonString(gap.name) +
                ", \"ms\": " + std::to_string(wholeMilliseconds(gap.length)) +
                ", \"judged\": " + (gap.judged ? "true" : "false") + "}";
    }
    return std::string("{\"ok\": ") + (report.ok() ? "true" : "false") +
           ", \"byteCount\": " + std::to_string(report.byteCount) + ", \"bytes\": \"" + bytes +
           "\", \"checks\": [" + checks + "], \"gaps\": [" + gaps +
           "], \"leastPauseMs\": " + std::to_string(kLeastPause.count()) +
           ", \"settings\": " + settingsJson(report) + "}\n";
}

}  // namespace zelvar
