#pragma once

#include <string>
#include <string_view>

#include "transfer/transfer_check.h"

namespace zelvar {

// "Transfer OK", or "Transfer faulty:" with each fault as "- text" (another title in place of
// "Transfer" for one of several); then the pause after block 1 with the least one that counts,
// and the pauses after the lead-ins, which are shown but not judged. Every line ended by '\n'.
std::string transferReportText(const TransferReport& report, std::string_view title = "Transfer");

// The pause after block 1 with the least one that counts, and the pauses after the lead-ins,
// which are shown but not judged; each line ended by '\n', nothing for gaps not measured.
std::string transferPauseText(const TransferReport& report);

// The report as one line of JSON: ok, byteCount, the bytes kept in hex, every check with its
// verdict and detail, the gaps in whole milliseconds, the least pause that counts, and the
// settings as `decode` names them (null when the blocks did not come whole and right).
std::string transferReportJson(const TransferReport& report);

}  // namespace zelvar
