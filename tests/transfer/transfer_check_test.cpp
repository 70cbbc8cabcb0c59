#include "transfer/transfer_check.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "common/ascii.h"
#include "config/device_settings.h"

namespace zelvar {
namespace {

using std::chrono::milliseconds;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

const std::string kNoLeadInVerdict =
    "no lead-in FF FF within 2 s after the first byte: line noise, or a sender at another speed";

// Bytes as they reach the far end: each piece at its time after the start.
struct Piece {
    Bytes bytes;
    std::chrono::microseconds at;
};

Bytes part(std::span<const std::uint8_t> bytes, std::size_t from, std::size_t count) {
    const std::span<const std::uint8_t> piece = bytes.subspan(from, count);
    return {piece.begin(), piece.end()};
}

// The four writes of a send with the given pause after block 1.
std::vector<Piece> sent(const WireBytes& wire, milliseconds pause = kPauseAfterBlock1) {
    return {{part(wire, 0, 2), 0ms},
            {part(wire, 2, 83), 10ms},
            {part(wire, 85, 2), 10ms + pause},
            {part(wire, 87, 83), 20ms + pause}};
}

// A send whose block 1 comes as a slow line brings it, a byte each `spacing`, then `pause`.
std::vector<Piece> trickled(const WireBytes& wire, std::chrono::microseconds spacing,
                            milliseconds pause) {
    std::vector<Piece> pieces{{part(wire, 0, 2), 0ms}};
    for (std::size_t i = 0; i < kBlockSize; ++i)
        pieces.push_back({part(wire, 2 + i, 1), 10ms + spacing * static_cast<int>(i)});
    const auto lastOfBlock1 = pieces.back().at;
    pieces.push_back({part(wire, 85, 2), lastOfBlock1 + pause});
    pieces.push_back({part(wire, 87, 83), lastOfBlock1 + pause + 10ms});
    return pieces;
}

// Feeds the pieces from `start`, then lets time run out; every report given on the way.
std::vector<TransferReport> arrive(TransferCheck& check, const std::vector<Piece>& pieces,
                                   LineTime start = LineTime{}) {
    std::vector<TransferReport> reports;
    auto keep = [&](std::optional<TransferReport> report) {
        if (report)
            reports.push_back(std::move(*report));
    };
    for (const Piece& piece : pieces)
        keep(check.receive(piece.bytes, start + piece.at));
    keep(check.advance(start + pieces.back().at + kTransferWindow + kTransferWindow));
    return reports;
}

ConfigImage defaultImage() {
    ConfigImage image{};
    DeviceSettings settings = defaultSettings();
    EXPECT_TRUE(buildConfigImage(settings, image));
    return image;
}

// What the user reads for each fault, and nothing else: the examples among them. A pause
// after a block that trickles in counts from its last byte, and bytes 7 ms apart stay one block
// although they take longer than a pause.
TEST(TransferCheck, NamesEachFaultExactly) {
    const ConfigImage image = defaultImage();
    const WireBytes wire = wireBytes(image);
    ASSERT_NE(wire[169], 0x3A);
    std::vector<Piece> checksum = sent(wire);
    checksum[3].bytes.back() = 0x3A;
    std::vector<Piece> clockBack = sent(wire);
    clockBack[2].at = -5000ms;  // the clock jumped back: no pause seen
    std::vector<Piece> noiseFirst = sent(wire);
    noiseFirst.insert(noiseFirst.begin(), {{0x00}, -300ms});
    std::vector<Piece> truncated = sent(wire);
    truncated[1].bytes.resize(60);
    std::vector<Piece> stopped = sent(wire);
    stopped[3].bytes.resize(10);
    std::vector<Piece> after = sent(wire);
    after.push_back({{0x0D, 0x0A}, 700ms});
    std::vector<Piece> between = sent(wire);
    between.insert(between.begin() + 2, {{0x13, 0xFF, 0x11}, 300ms});
    struct Row {
        std::vector<Piece> pieces;
        std::vector<std::string> faults;
        bool image;  // both blocks whole and right
    };
    const Row rows[] = {
        {checksum, {"block 2 checksum 0x3A, expected 0x" + hexByte(wire[169])}, false},
        {sent(wire, 2ms), {"second lead-in after 2 ms: the sender did not pause"}, true},
        {sent(wire, 400ms),
         {"second lead-in after 400 ms: the sender paused less than 500 ms"},
         true},
        {clockBack, {"second lead-in after 0 ms: the sender did not pause"}, true},
        // 174 ms of block 1, then 400 ms: from its first byte it would look like 574 ms.
        {trickled(wire, 2120us, 400ms),
         {"second lead-in after 400 ms: the sender paused less than 500 ms"},
         true},
        {trickled(wire, 7ms, 600ms), {}, true},
        {noiseFirst, {"line noise: 0x00 before the lead-in", "171 bytes, 170 expected"}, true},
        {truncated,
         {"block 1 has only 60 of its 83 bytes, then a pause of 600 ms",
          "only 147 of 170 bytes arrived"},
         false},
        {stopped,
         {"block 2 has only 10 of its 83 bytes",
          "only 97 of 170 bytes within 2 s after the lead-in"},
         false},
        {after, {"line noise after block 2: 0x0D 0x0A", "172 bytes, 170 expected"}, true},
        {between,
         {"line noise: 0x13 0xFF 0x11 before the second lead-in", "173 bytes, 170 expected"},
         true},
        {{{Bytes(3000, 0x00), 0ms}},
         {"line noise: 0x00 0x00 0x00 0x00 and 2996 more bytes before the lead-in",
          kNoLeadInVerdict},
         false},
        {{{{0xFF}, 0ms}}, {"line noise: 0xFF before the lead-in", kNoLeadInVerdict}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.faults.empty() ? "no fault" : row.faults.front());
        TransferCheck check;
        const std::vector<TransferReport> reports =
            arrive(check, row.pieces, LineTime{} + std::chrono::seconds(1));
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].faults(), row.faults);
        EXPECT_EQ(reports[0].image == image, row.image);
        EXPECT_EQ(check.deadline(), std::nullopt);
    }
}

TEST(TransferCheck, JudgesEveryTruncationOnceAndStopsCleanly) {
    const WireBytes wire = wireBytes(defaultImage());
    for (std::size_t length = 1; length < kWireSize; ++length) {
        TransferCheck check;
        const LineTime start{};
        std::size_t left = length;
        for (Piece& piece : sent(wire)) {
            piece.bytes.resize(std::min(left, piece.bytes.size()));
            left -= piece.bytes.size();
            EXPECT_FALSE(check.receive(piece.bytes, start + piece.at));
        }
        const std::optional<TransferReport> report = check.finish(start + 700ms, "the line closed");
        ASSERT_TRUE(report) << length;
        EXPECT_FALSE(report->ok());
        EXPECT_EQ(report->byteCount, length);
        if (length >= 2 && length <= 85) {
            EXPECT_EQ(report->faults().back(),
                      "only " + std::to_string(length) + " of 170 bytes before the line closed");
        }
        EXPECT_FALSE(check.underWay());
        EXPECT_FALSE(check.finish(start + 800ms, "again"));
    }
}

// Endless noise: a verdict each window, bounded reports, and the transfer that follows found
// at its lead-in, even with no quiet moment before it; then sends however the reader cuts them.
TEST(TransferCheck, ResynchronisesAfterEndlessNoiseAndAcceptsASendHoweverItIsCut) {
    const ConfigImage image = defaultImage();
    const WireBytes wire = wireBytes(image);
    TransferCheck check;
    std::vector<TransferReport> reports;
    std::minstd_rand random(7);
    LineTime now{};
    for (int chunk = 0; chunk < 1000; ++chunk) {  // 10 s of 4 KiB chunks, no FF in them
        Bytes noise(4096);
        std::generate(noise.begin(), noise.end(), [&] { return random() % 0xFF; });
        now += 10ms;
        if (std::optional<TransferReport> report = check.receive(noise, now))
            reports.push_back(std::move(*report));
    }
    ASSERT_EQ(reports.size(), 4u);
    for (const TransferReport& report : reports) {
        EXPECT_EQ(report.bytes.size(), kKeptBytes);
        EXPECT_EQ(report.byteCount, 200u * 4096);
        EXPECT_EQ(report.faults().back(), kNoLeadInVerdict);
    }
    // The lead-in comes in the middle of the fifth window of noise.
    for (const TransferReport& report : arrive(check, sent(wire), now + 5ms))
        reports.push_back(report);
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_EQ(reports.back().image, image);
    EXPECT_TRUE(reports.back().faults().front().starts_with("line noise: "))
        << reports.back().faults().front();

    for (int round = 1; round <= 50; ++round) {
        std::vector<Piece> pieces;
        for (const Piece& write : sent(wire)) {
            // A reader gets a write in one piece or in several, a little later each.
            for (std::size_t from = 0; from < write.bytes.size();) {
                const std::size_t count = std::min<std::size_t>(write.bytes.size() - from,
                                                                1 + random() % write.bytes.size());
                pieces.push_back(
                    {part(write.bytes, from, count), write.at + milliseconds(from / 8)});
                from += count;
            }
        }
        reports = arrive(check, pieces, now + std::chrono::hours(round));
        ASSERT_EQ(reports.size(), 1u);
        const TransferReport& report = reports[0];
        EXPECT_TRUE(report.ok()) << report.faults().front();
        EXPECT_EQ(report.image, image);
        EXPECT_EQ(report.bytes, Bytes(wire.begin(), wire.end()));
        ASSERT_EQ(report.gaps.size(), 4u);
        EXPECT_EQ(report.gaps[1].name, "block 1 to lead-in 2");
        EXPECT_TRUE(report.gaps[1].judged);
        EXPECT_GE(report.gaps[1].length, 589ms);
        EXPECT_FALSE(check.underWay());
    }
}

}  // namespace
}  // namespace zelvar
