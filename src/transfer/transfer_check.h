#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_image.h"
#include "transfer/block_framing.h"
#include "transfer/transfer_plan.h"

namespace zelvar {

// The pause after block 1 counts when it is at least this long. Between the sender's clock and
// ours lie a USB adapter on each side (bytes delivered in bursts, up to 16 ms late per edge),
// a driver that may report a block drained while the adapter still holds a few dozen bytes,
// and a busy system that reads a little late: 100 ms covers these, and a sender that does not
// pause at all still shows a gap of a few milliseconds.
inline constexpr std::chrono::milliseconds kPauseTolerance{100};
inline constexpr std::chrono::milliseconds kLeastPause = kPauseAfterBlock1 - kPauseTolerance;
// A complete transfer is over once the line stays quiet this long; a sender's next transfer
// starts at least 900 ms after the last one ends.
inline constexpr std::chrono::milliseconds kQuietAfterTransfer{300};
// The first bytes of a transfer are kept for the report; the rest are only counted.
inline constexpr std::size_t kKeptBytes = 512;

enum class Verdict { Passed, Failed, NotJudged };

// One thing the tracker would check, in words fit for the user: "0x4C", or what was wrong,
// "block 2 checksum 0x3A, expected 0x4C". Parts of the transfer that never arrived are not
// judged; the count of bytes says they are missing.
struct TransferCheckItem {
    std::string name;  // "block 1 checksum"
    Verdict verdict = Verdict::NotJudged;
    std::string detail;
};

// The time between two parts of a transfer as it arrived. Only the pause after block 1 is
// judged: the 10 ms pauses drown in the bursts in which USB adapters deliver bytes.
struct TransferGap {
    std::string name;  // "block 1 to lead-in 2"
    std::chrono::microseconds length{0};
    bool judged = false;
};

// A gap as the reports give it, rounded to whole milliseconds.
constexpr long long wholeMilliseconds(std::chrono::microseconds length) {
    return (length.count() + 500) / 1000;
}

// What one transfer brought and what the checks made of it.
struct TransferReport {
    std::vector<std::uint8_t> bytes;        // as they arrived, the first kKeptBytes of them
    std::size_t byteCount = 0;              // every byte of the transfer, noise included
    std::vector<TransferCheckItem> checks;  // always the same checks, in the order of the line
    std::vector<TransferGap> gaps;          // those that could be measured
    std::optional<ConfigImage> image;       // both blocks whole, with their checksums right

    bool ok() const;
    // The details of the failed checks, in order.
    std::vector<std::string> faults() const;
};

// The tracker's end of the line: takes the bytes read from it with the time they were read,
// finds each transfer in them and judges it as the tracker would, from the lead-ins, the
// blocks, their checksums and the pause between them. A transfer starts with the first byte
// on a quiet line and ends when the line has been quiet for kQuietAfterTransfer after a whole
// transfer, or kTransferWindow after its lead-in (after its first byte when no lead-in came);
// the next byte starts the next one, so endless noise gives a verdict every window and a
// transfer that follows is found at its lead-in. Memory stays bounded whatever arrives.
// Times must come from one steady clock; a time earlier than the last is taken as the last.
class TransferCheck {
  public:
    // Bytes read at `time`. A transfer whose time was up before them is judged and returned.
    std::optional<TransferReport> receive(std::span<const std::uint8_t> bytes, LineTime time);
    // Nothing more arrived until `time`: the transfer under way, if its time is up.
    std::optional<TransferReport> advance(LineTime time);
    // No more bytes will come (the line closed, receiving stops): the transfer under way, if
    // any, judged from what arrived; `cause` ends "only 97 of 170 bytes before ...".
    std::optional<TransferReport> finish(LineTime time, std::string_view cause);

    // When advance() judges the transfer under way if nothing more arrives; none when idle.
    std::optional<LineTime> deadline() const;
    bool underWay() const { return stage_ != Stage::Idle; }

  private:
    enum class Stage { Idle, SeekLeadIn1, Block1, SeekLeadIn2, Block2, After };

    // Bytes where none belong: counted, the first few kept to name them.
    struct Stray {
        std::size_t count = 0;
        std::array<std::uint8_t, 4> first{};
        void add(std::uint8_t byte);
        std::string named() const;  // "0x00 0x13 and 5 more bytes"
    };
    struct LeadIn {
        bool found = false;
        LineTime first{};
        LineTime second{};
    };
    struct BlockArrival {
        std::vector<std::uint8_t> bytes;
        LineTime first{};
        LineTime last{};
        std::optional<std::chrono::microseconds> cutBy;  // a pause ended it early
    };
    // Everything about the transfer under way.
    struct Transfer {
        LineTime firstByte{};
        LineTime lastByte{};
        std::size_t count = 0;
        std::vector<std::uint8_t> kept;
        Stray beforeLeadIn1, beforeLeadIn2, afterBlock2;
        bool pendingFF = false;  // a 0xFF that may start a lead-in
        LineTime pendingTime{};
        LeadIn leadIn1, leadIn2;
        BlockArrival block1, block2;
    };
    // What ended the transfer: its window, a quiet line after it, or the caller.
    enum class Ending { Window, Quiet, Stopped };

    void take(std::uint8_t byte, LineTime time);
    void place(std::uint8_t byte, LineTime time);
    void seekLeadIn(std::uint8_t byte, LineTime time, Stray& stray, LeadIn& leadIn, Stage next);
    void fillBlock(std::uint8_t byte, LineTime time, BlockArrival& block, Stage next);
    TransferReport judge(Ending ending, std::string_view cause);
    // From the blocks on, once the first lead-in has come.
    void judgeParts(TransferReport& report, Ending ending, std::string_view cause) const;
    std::vector<TransferGap> measureGaps() const;

    Stage stage_ = Stage::Idle;
    Transfer transfer_;
    LineTime latest_{};
};

}  // namespace zelvar
