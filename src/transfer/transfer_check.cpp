#include "transfer/transfer_check.h"

#include <algorithm>

#include "common/ascii.h"
#include "text/translation.h"

namespace zelvar {
namespace {

using std::chrono::microseconds;

constexpr std::uint8_t kLeadInByte = 0xFF;

std::string millisecondsText(microseconds length) {
    return withArguments(translated("transfer check", "%1 ms"),
                         {std::to_string(wholeMilliseconds(length))});
}

std::string windowSeconds() {
    return withArguments(translated("transfer check", "within %1 s"),
                         {std::to_string(kTransferWindow.count() / 1000)});
}

// The checks of every report, in the order of the line.
enum CheckIndex : std::size_t {
    kBefore,
    kLeadIn1,
    kBlock1Length,
    kBlock1Checksum,
    kPause,
    kLeadIn2,
    kBlock2Length,
    kBlock2Checksum,
    kAfter,
    kTotal,
    kCheckCount
};
constexpr std::array<const char*, kCheckCount> kCheckNames = {
    "before the lead-in",  "first lead-in",  "block 1 length", "block 1 checksum",
    "pause after block 1", "second lead-in", "block 2 length", "block 2 checksum",
    "after block 2",       "total"};

TransferCheckItem notJudged(std::string name) {
    return {std::move(name), Verdict::NotJudged, {}};
}

// Gives a check of the report its verdict; checks never given one stay not judged.
struct Judge {
    std::vector<TransferCheckItem>& checks;
    void operator()(CheckIndex check, bool passed, std::string detail) const {
        checks[check].verdict = passed ? Verdict::Passed : Verdict::Failed;
        checks[check].detail = std::move(detail);
    }
};

// The length check of a block at `length`, its checksum check right after it; true when the
// block is whole and its checksum right.
bool judgeBlock(const Judge& set, CheckIndex length, const std::string& name,
                const std::vector<std::uint8_t>& bytes, std::optional<microseconds> cutBy) {
    const auto checksum = static_cast<CheckIndex>(length + 1);
    if (bytes.empty())
        return false;
    if (bytes.size() < kBlockSize) {
        const std::string has = std::to_string(bytes.size());
        const std::string of = std::to_string(kBlockSize);
        set(length, false,
            cutBy ? withArguments(translated("transfer check",
                                             "%1 has only %2 of its %3 bytes, then a pause of %4"),
                                  {name, has, of, millisecondsText(*cutBy)})
                  : withArguments(translated("transfer check", "%1 has only %2 of its %3 bytes"),
                                  {name, has, of}));
        return false;
    }
    set(length, true,
        withArguments(translated("transfer check", "%1 bytes"), {std::to_string(kBlockSize)}));
    const std::uint8_t found = bytes.back();
    const std::uint8_t expected = blockChecksum(std::span(bytes).first(kBlockDataSize));
    set(checksum, found == expected,
        found == expected
            ? hexNamed(found)
            : withArguments(translated("transfer check", "%1 checksum %2, expected %3"),
                            {name, hexNamed(found), hexNamed(expected)}));
    return found == expected;
}

}  // namespace

bool TransferReport::ok() const {
    return std::all_of(checks.begin(), checks.end(), [](const TransferCheckItem& check) {
        return check.verdict == Verdict::Passed;
    });
}

std::vector<std::string> TransferReport::faults() const {
    std::vector<std::string> found;
    for (const TransferCheckItem& check : checks)
        if (check.verdict == Verdict::Failed)
            found.push_back(check.detail);
    return found;
}

void TransferCheck::Stray::add(std::uint8_t byte) {
    if (count < first.size())
        first[count] = byte;
    ++count;
}

std::string TransferCheck::Stray::named() const {
    const std::size_t shown = std::min(count, first.size());
    std::string text;
    for (std::size_t i = 0; i < shown; ++i)
        text += (i > 0 ? " " : "") + hexNamed(first[i]);
    if (count > shown) {
        const std::size_t more = count - shown;
        text = withArguments(
            translatedPlural("transfer check", "%1 and %2 more byte", "%1 and %2 more bytes", more),
            {text, std::to_string(more)});
    }
    return text;
}

std::optional<TransferReport> TransferCheck::receive(std::span<const std::uint8_t> bytes,
                                                     LineTime time) {
    std::optional<TransferReport> judgedBefore = advance(time);
    for (std::uint8_t byte : bytes)
        take(byte, latest_);
    return judgedBefore;
}

std::optional<TransferReport> TransferCheck::advance(LineTime time) {
    latest_ = std::max(latest_, time);
    const std::optional<LineTime> end = deadline();
    if (!end || *end > latest_)
        return std::nullopt;
    const bool quiet = stage_ == Stage::After && *end == transfer_.lastByte + kQuietAfterTransfer;
    return judge(quiet ? Ending::Quiet : Ending::Window, {});
}

std::optional<TransferReport> TransferCheck::finish(LineTime time, std::string_view cause) {
    if (std::optional<TransferReport> report = advance(time))
        return report;
    if (!underWay())
        return std::nullopt;
    return judge(Ending::Stopped, cause);
}

std::optional<LineTime> TransferCheck::deadline() const {
    if (stage_ == Stage::Idle)
        return std::nullopt;
    const Transfer& t = transfer_;
    const LineTime windowEnd = (t.leadIn1.found ? t.leadIn1.first : t.firstByte) + kTransferWindow;
    if (stage_ == Stage::After)
        return std::min(windowEnd, t.lastByte + kQuietAfterTransfer);
    return windowEnd;
}

void TransferCheck::take(std::uint8_t byte, LineTime time) {
    Transfer& t = transfer_;
    if (stage_ == Stage::Idle) {
        t = {};
        t.firstByte = time;
        stage_ = Stage::SeekLeadIn1;
    }
    ++t.count;
    t.lastByte = time;
    if (t.kept.size() < kKeptBytes)
        t.kept.push_back(byte);
    place(byte, time);
}

void TransferCheck::place(std::uint8_t byte, LineTime time) {
    Transfer& t = transfer_;
    switch (stage_) {
        case Stage::SeekLeadIn1:
            seekLeadIn(byte, time, t.beforeLeadIn1, t.leadIn1, Stage::Block1);
            break;
        case Stage::Block1:
            fillBlock(byte, time, t.block1, Stage::SeekLeadIn2);
            break;
        case Stage::SeekLeadIn2:
            seekLeadIn(byte, time, t.beforeLeadIn2, t.leadIn2, Stage::Block2);
            break;
        case Stage::Block2:
            fillBlock(byte, time, t.block2, Stage::After);
            break;
        case Stage::After:
            t.afterBlock2.add(byte);
            break;
        case Stage::Idle:
            break;
    }
}

void TransferCheck::seekLeadIn(std::uint8_t byte, LineTime time, Stray& stray, LeadIn& leadIn,
                               Stage next) {
    Transfer& t = transfer_;
    if (t.pendingFF) {
        t.pendingFF = false;
        if (byte == kLeadInByte) {
            leadIn = {true, t.pendingTime, time};
            stage_ = next;
            return;
        }
        stray.add(kLeadInByte);
    }
    if (byte == kLeadInByte) {
        t.pendingFF = true;
        t.pendingTime = time;
    } else {
        stray.add(byte);
    }
}

void TransferCheck::fillBlock(std::uint8_t byte, LineTime time, BlockArrival& block, Stage next) {
    // A pause as long as the one after block 1 ends a block, however short it is.
    if (!block.bytes.empty() && time - block.last >= kLeastPause) {
        block.cutBy = std::chrono::duration_cast<microseconds>(time - block.last);
        stage_ = next;
        place(byte, time);
        return;
    }
    if (block.bytes.empty()) {
        block.bytes.reserve(kBlockSize);
        block.first = time;
    }
    block.bytes.push_back(byte);
    block.last = time;
    if (block.bytes.size() == kBlockSize)
        stage_ = next;
}

TransferReport TransferCheck::judge(Ending ending, std::string_view cause) {
    Transfer& t = transfer_;
    if (t.pendingFF)
        (stage_ == Stage::SeekLeadIn1 ? t.beforeLeadIn1 : t.beforeLeadIn2).add(kLeadInByte);
    TransferReport report;
    report.bytes = std::move(t.kept);
    report.byteCount = t.count;
    for (const char* name : kCheckNames)
        report.checks.push_back(notJudged(name));
    const Judge set{report.checks};

    set(kBefore, t.beforeLeadIn1.count == 0,
        t.beforeLeadIn1.count == 0
            ? std::string(translated("transfer check", "nothing"))
            : withArguments(translated("transfer check", "line noise: %1 before the lead-in"),
                            {t.beforeLeadIn1.named()}));
    if (!t.leadIn1.found) {
        set(kLeadIn1, false,
            ending == Ending::Stopped
                ? withArguments(translated("transfer check",
                                           "no lead-in FF FF before %1: line noise, or a sender "
                                           "at another speed"),
                                {cause})
                : withArguments(translated("transfer check",
                                           "no lead-in FF FF %1 after the first byte: line "
                                           "noise, or a sender at another speed"),
                                {windowSeconds()}));
    } else {
        set(kLeadIn1, true, "FF FF");
        judgeParts(report, ending, cause);
    }
    report.gaps = measureGaps();
    stage_ = Stage::Idle;
    transfer_ = {};
    return report;
}

void TransferCheck::judgeParts(TransferReport& report, Ending ending,
                               std::string_view cause) const {
    const Transfer& t = transfer_;
    const Judge set{report.checks};
    const bool block1Whole =
        judgeBlock(set, kBlock1Length, std::string(translated("transfer check", "block 1")),
                   t.block1.bytes, t.block1.cutBy);

    if (t.leadIn2.found && !t.block1.bytes.empty()) {
        const auto gap = std::chrono::duration_cast<microseconds>(t.leadIn2.first - t.block1.last);
        const std::string after = millisecondsText(gap);
        const std::string least = millisecondsText(kLeastPause);
        set(kPause, gap >= kLeastPause,
            gap >= kLeastPause
                ? withArguments(translated("transfer check", "%1, at least %2"), {after, least})
            : gap < kLeastPause / 2
                ? withArguments(translated("transfer check",
                                           "second lead-in after %1: the sender did not pause"),
                                {after})
                : withArguments(
                      translated("transfer check",
                                 "second lead-in after %1: the sender paused less than %2"),
                      {after, least}));
    }

    const Stray& between = t.beforeLeadIn2;
    if (t.leadIn2.found) {
        set(kLeadIn2, between.count == 0,
            between.count == 0
                ? std::string("FF FF")
                : withArguments(
                      translated("transfer check", "line noise: %1 before the second lead-in"),
                      {between.named()}));
    } else if (between.count > 0) {
        set(kLeadIn2, false,
            withArguments(translated("transfer check",
                                     "line noise: %1 where the second lead-in FF FF was due"),
                          {between.named()}));
    }

    const bool block2Whole =
        judgeBlock(set, kBlock2Length, std::string(translated("transfer check", "block 2")),
                   t.block2.bytes, t.block2.cutBy);
    if (stage_ == Stage::After) {
        const Stray& after = t.afterBlock2;
        set(kAfter, after.count == 0,
            after.count == 0
                ? std::string(translated("transfer check", "nothing"))
                : withArguments(translated("transfer check", "line noise after block 2: %1"),
                                {after.named()}));
    }

    const std::size_t parts = kBlockHeader.size() + t.block1.bytes.size() +
                              (t.leadIn2.found ? kBlockHeader.size() : 0) + t.block2.bytes.size();
    const std::string wire = std::to_string(kWireSize);
    if (parts < kWireSize) {
        const std::string got = std::to_string(parts);
        set(kTotal, false,
            ending == Ending::Stopped
                ? withArguments(translated("transfer check", "only %1 of %2 bytes before %3"),
                                {got, wire, cause})
            : ending == Ending::Window
                ? withArguments(
                      translated("transfer check", "only %1 of %2 bytes %3 after the lead-in"),
                      {got, wire, windowSeconds()})
                : withArguments(translated("transfer check", "only %1 of %2 bytes arrived"),
                                {got, wire}));
    } else {
        set(kTotal, t.count == kWireSize,
            t.count == kWireSize
                ? withArguments(translated("transfer check", "%1 bytes"), {wire})
                : withArguments(translated("transfer check", "%1 bytes, %2 expected"),
                                {std::to_string(t.count), wire}));
    }

    if (block1Whole && block2Whole) {
        ConfigImage image{};
        std::copy_n(t.block1.bytes.begin(), kBlockDataSize, image.begin());
        std::copy_n(t.block2.bytes.begin(), kBlockDataSize, image.begin() + kBlockDataSize);
        report.image = image;
    }
}

std::vector<TransferGap> TransferCheck::measureGaps() const {
    const Transfer& t = transfer_;
    std::vector<TransferGap> gaps;
    auto add = [&](std::string name, LineTime from, LineTime to, bool judgedGap) {
        gaps.push_back(
            {std::move(name), std::chrono::duration_cast<microseconds>(to - from), judgedGap});
    };
    if (!t.block1.bytes.empty()) {
        add("lead-in 1 to block 1", t.leadIn1.second, t.block1.first, false);
        if (t.leadIn2.found)
            add("block 1 to lead-in 2", t.block1.last, t.leadIn2.first, true);
    }
    if (!t.block2.bytes.empty())
        add("lead-in 2 to block 2", t.leadIn2.second, t.block2.first, false);
    add("first to last byte", t.firstByte, t.lastByte, false);
    return gaps;
}

}  // namespace zelvar
