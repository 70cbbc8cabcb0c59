#include "transfer/send_preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace zelvar {
namespace {

using Change = std::function<void(DeviceSettings&)>;

DeviceSettings formWith(const Change& change) {
    DeviceSettings s = defaultSettings();
    change(s);
    return s;
}

Change gpsless(const std::string& beacon) {
    return [beacon](DeviceSettings& s) { s.gpsAcqTime = "000", s.beacon = beacon; };
}

// Where the tracker gets something other than the form shows, a note says so; the form stays.
// The bytes are SEND's; the ranges are sorted, cover every byte, stay inside their block, and
// lead-ins and checksums are where the framing puts them.
TEST(SendPreview, AnnotatesTheBytesSendWritesAndNotesWhatChanges) {
    const std::pair<Change, std::vector<std::string>> rows[] = {
        {[](DeviceSettings& s) { s.msgRepeat = "8", s.gpsAcqTime = "25"; }, {}},
        {[](DeviceSettings& s) { s.numFlagsAuto = "999", s.aprsMsg = std::string(38, '~'); },
         {"TX DELAY 999 -> sent as 149 flags, 993 ms"}},
        {[](DeviceSettings& s) {
             s.speedTable[3] = "025", s.manualTime = "", s.gpsCheckTime = "5", s.micEMsg = 7;
             s.numFlagsAuto = "010", s.bcnEvery = "200", s.myCall = "QX9ABC-0";
             s.aprsPath = "WIDE1-1,", s.destCall = "AB--1";
         },
         {"TX DELAY 010 -> sent as 4 flags, 027 ms",
          "Acquisition interval 5 -> sent as 1 x 10 s, 010 s",
          "Speed 23-40 Km/h 025 -> sent as 2 x 10 s, 020 s",
          "Manual Timing (empty) -> sent as 1 x 10 s, 0010 s",
          "Comment every 200 -> sent as 127 tx", "MY CALLSIGN \"QX9ABC-0\" -> sent as \"QX9ABC\"",
          "APRS PATH \"WIDE1-1,\" -> sent as \"WIDE1-1\"",
          "APRS message TO CALL \"AB--1\" -> sent as \"AB\""}},
        {gpsless("=/5L!!<*e8>FsQ"),
         {"Acquisition interval 100 -> not sent in GPSless Mode (byte 5 = 252)"}}};
    for (const auto& [change, notes] : rows) {
        DeviceSettings form = formWith(change);
        const DeviceSettings asTyped = form;
        const SendPreview preview = previewSend(form);
        ASSERT_TRUE(preview.build) << reasonOf(preview.build);
        EXPECT_EQ(form, asTyped);
        std::vector<std::string> texts;
        for (const NormalisationNote& note : preview.notes)
            texts.push_back(note.text);
        EXPECT_EQ(texts, notes);
        ConfigImage image{};
        ASSERT_TRUE(buildConfigImage(form, image));
        EXPECT_EQ(preview.wire, wireBytes(image));
        EXPECT_TRUE(std::is_sorted(
            preview.ranges.begin(), preview.ranges.end(),
            [](const WireRange& a, const WireRange& b) { return a.first < b.first; }));
        std::vector<int> covering(kWireSize, 0);
        for (const WireRange& range : preview.ranges) {
            EXPECT_EQ(range.block, range.first < kFrameSize ? 1 : 2) << range.name;
            ASSERT_LE(range.first + range.size, range.block * kFrameSize) << range.name;
            EXPECT_EQ(range.part == WirePart::Checksum, range.first % kFrameSize == kFrameSize - 1);
            EXPECT_EQ(range.part == WirePart::LeadIn, range.first % kFrameSize == 0);
            for (std::size_t i = range.first; i < range.first + range.size; ++i)
                ++covering[i];
        }
        EXPECT_EQ(std::count(covering.begin(), covering.end(), 0), 0);
    }
    const SendPreview preview = previewSend(defaultSettings());
    std::vector<std::string> described;
    for (const WireRange& r : preview.ranges)
        described.push_back(std::to_string(r.first) + "+" + std::to_string(r.size) + " " + r.name +
                            ": " + r.meaning);
    for (const char* expected : {"0+2 Lead-in: FF FF", "2+1 TX delay: 200 ms (30 flags)",
                                 "83+1 Message: \"Message sent using Zelvar, version 4.0\"",
                                 "84+1 Checksum: E1 = 254 + image bytes 0..81, modulo 256",
                                 "87+38 Message: \"Message sent using Zelvar, version 4.0\"",
                                 "169+1 Checksum: 10 = 254 + image bytes 82..163, modulo 256"})
        EXPECT_NE(std::find(described.begin(), described.end(), expected), described.end())
            << expected;
}

// A failed build leaves nothing else to show (its reason: ImageBuilder); only a GPSless beacon is
// read as a position.
TEST(SendPreview, ShowsOnlyTheFailureOrReadsTheGpslessBeacon) {
    const SendPreview failed = previewSend(formWith([](DeviceSettings& s) { s.myCall = ""; }));
    EXPECT_FALSE(failed.build);
    EXPECT_TRUE(failed.ranges.empty() && failed.settings.empty() && failed.notes.empty());
    EXPECT_FALSE(failed.position);
    EXPECT_FALSE(previewSend(defaultSettings()).position);
    const SendPreview calculated = previewSend(formWith(gpsless("=4930.00N/07245.00W>/A=000984")));
    EXPECT_TRUE(calculated.position && *calculated.position);
}

}  // namespace
}  // namespace zelvar
