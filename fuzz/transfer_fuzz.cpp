#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "transfer/transfer_check.h"
#include "transfer/transfer_report_format.h"

namespace {

using namespace zelvar;

// What every report keeps to, whatever arrived: the same checks, bounded bytes, a reason for
// each failed check, and a transfer that passes is exactly the framing of its image.
void checkReport(const TransferReport& report) {
    if (report.checks.size() != 10 || report.bytes.size() > kKeptBytes ||
        report.bytes.size() > report.byteCount || report.byteCount == 0)
        std::abort();
    for (const TransferCheckItem& check : report.checks)
        if (check.verdict == Verdict::Failed && check.detail.empty())
            std::abort();
    if (report.ok()) {
        if (!report.image || report.byteCount != kWireSize)
            std::abort();
        const WireBytes wire = wireBytes(*report.image);
        if (!std::equal(wire.begin(), wire.end(), report.bytes.begin(), report.bytes.end()))
            std::abort();
    }
    if (transferReportText(report).empty() || transferReportJson(report).empty())
        std::abort();
}

}  // namespace

// The input is a run of reads: two bytes of milliseconds since the last read (little-endian),
// one byte of length, then that many bytes; a length of 0 only lets the time pass.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    TransferCheck check;
    LineTime now{};
    auto judged = [](const std::optional<TransferReport>& report) {
        if (report)
            checkReport(*report);
    };
    for (std::size_t at = 0; at + 3 <= input.size();) {
        now += std::chrono::milliseconds(input[at] | input[at + 1] << 8);
        const std::size_t length = std::min<std::size_t>(input[at + 2], input.size() - at - 3);
        const std::span<const std::uint8_t> bytes = input.subspan(at + 3, length);
        at += 3 + length;
        judged(bytes.empty() ? check.advance(now) : check.receive(bytes, now));
        // Once its deadline has passed, a transfer is judged.
        if (const std::optional<LineTime> deadline = check.deadline(); deadline && *deadline <= now)
            std::abort();
    }
    judged(check.finish(now, "the input ended"));
    if (check.underWay() || check.deadline())
        std::abort();
    return 0;
}
