#include "transfer/send_preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace zelvar {
namespace {

DeviceSettings gpsless(const std::string& beacon) {
    DeviceSettings s = defaultSettings();
    s.gpsAcqTime = "000";
    s.beacon = beacon;
    return s;
}

DeviceSettings awkward() {
    DeviceSettings s = defaultSettings();
    s.numFlagsAuto = "010";
    s.aprsPath = "WIDE1-1,";
    s.micEMsg = 7;
    s.aprsMsg = std::string(38, '~');
    return s;
}

// The bytes are SEND's, each one lies in a range, no range crosses into the other block, and
// lead-ins and checksums are where the framing puts them.
TEST(SendPreview, AnnotatesTheBytesSendWrites) {
    for (const DeviceSettings& form :
         {defaultSettings(), awkward(), gpsless("=/5L!!<*e8>FsQ"), gpsless("")}) {
        SendPreview preview = previewSend(form);
        ASSERT_TRUE(preview.build) << reasonOf(preview.build);
        DeviceSettings copy = form;
        ConfigImage image{};
        ASSERT_TRUE(buildConfigImage(copy, image));
        EXPECT_EQ(preview.wire, wireBytes(image));

        EXPECT_TRUE(std::ranges::is_sorted(preview.ranges, {}, &WireRange::first));
        std::vector<int> covering(kWireSize, 0);
        for (const WireRange& range : preview.ranges) {
            EXPECT_EQ(range.block, range.first < kFrameSize ? 1 : 2) << range.name;
            ASSERT_LE(range.first + range.size, range.block * kFrameSize) << range.name;
            EXPECT_EQ(range.part == WirePart::Checksum, range.first % kFrameSize == kFrameSize - 1);
            EXPECT_EQ(range.part == WirePart::LeadIn, range.first % kFrameSize == 0);
            for (std::size_t i = range.first; i < range.first + range.size; ++i) {
                ++covering[i];
            }
        }
        EXPECT_EQ(std::ranges::count(covering, 0), 0);
    }
}

TEST(SendPreview, MarksTheFramingAndTheCutMessage) {
    std::vector<std::string> rows;
    for (const WireRange& r : previewSend(defaultSettings()).ranges) {
        rows.push_back(std::to_string(r.first) + "+" + std::to_string(r.size) + " block " +
                       std::to_string(r.block) + " " + r.name + ": " + r.meaning);
    }
    for (const char* expected : {
             "0+2 block 1 Lead-in: FF FF",
             "2+1 block 1 TX delay: 200 ms (30 flags)",
             "83+1 block 1 Message: \"Message sent using Zelvar, version 4.0\"",
             "84+1 block 1 Checksum: E1 = 254 + image bytes 0..81, modulo 256",
             "85+2 block 2 Lead-in: FF FF",
             "87+38 block 2 Message: \"Message sent using Zelvar, version 4.0\"",
             "169+1 block 2 Checksum: 10 = 254 + image bytes 82..163, modulo 256",
         }) {
        EXPECT_NE(std::ranges::find(rows, expected), rows.end()) << expected;
    }
}

struct NotesCase {
    const char* name;
    std::function<void(DeviceSettings&)> change;
    std::vector<std::string> notes;
};

class PreviewNotesTest : public ::testing::TestWithParam<NotesCase> {};

TEST_P(PreviewNotesTest, SayWhereTheTrackerGetsSomethingElse) {
    DeviceSettings form = defaultSettings();
    GetParam().change(form);
    const DeviceSettings asTyped = form;
    SendPreview preview = previewSend(form);
    ASSERT_TRUE(preview.build) << reasonOf(preview.build);
    EXPECT_EQ(form, asTyped);
    std::vector<std::string> texts;
    for (const NormalisationNote& note : preview.notes) {
        texts.push_back(note.text);
    }
    EXPECT_EQ(texts, GetParam().notes);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, PreviewNotesTest,
    ::testing::Values(NotesCase{"Defaults", [](DeviceSettings&) {}, {}},
                      NotesCase{"SameNumberOtherDigits",
                                [](DeviceSettings& s) {
                                    s.msgRepeat = "8";
                                    s.gpsAcqTime = "25";
                                },
                                {}},
                      NotesCase{"TxDelayRaised",
                                [](DeviceSettings& s) { s.numFlagsAuto = "010"; },
                                {"TX DELAY 010 -> sent as 4 flags, 027 ms"}},
                      NotesCase{"TxDelayTooWide",
                                [](DeviceSettings& s) { s.numFlagsAuto = "999"; },
                                {"TX DELAY 999 -> sent as 149 flags, 993 ms"}},
                      NotesCase{"Intervals",
                                [](DeviceSettings& s) {
                                    s.speedTable[3] = "025";
                                    s.manualTime = "";
                                    s.gpsCheckTime = "5";
                                },
                                {"Acquisition interval 5 -> sent as 1 x 10 s, 010 s",
                                 "Speed 23-40 Km/h 025 -> sent as 2 x 10 s, 020 s",
                                 "Manual Timing (empty) -> sent as 1 x 10 s, 0010 s"}},
                      NotesCase{"CommentRateLowered",
                                [](DeviceSettings& s) { s.bcnEvery = "200"; },
                                {"Comment every 200 -> sent as 127 tx"}},
                      NotesCase{"Callsigns",
                                [](DeviceSettings& s) {
                                    s.myCall = "QX9ABC-0";
                                    s.aprsPath = "WIDE1-1,";
                                    s.destCall = "AB--1";
                                },
                                {"MY CALLSIGN \"QX9ABC-0\" -> sent as \"QX9ABC\"",
                                 "APRS PATH \"WIDE1-1,\" -> sent as \"WIDE1-1\"",
                                 "APRS message TO CALL \"AB--1\" -> sent as \"AB\""}},
                      NotesCase{
                          "GpslessInterval",
                          [](DeviceSettings& s) { s.gpsAcqTime = "000"; },
                          {"Acquisition interval 100 -> not sent in GPSless Mode (byte 5 = 252)"}}),
    [](const auto& test_param) { return std::string(test_param.param.name); });

TEST(SendPreview, NamesTheFieldInsteadOfBytes) {
    DeviceSettings form = defaultSettings();
    form.speedTable[0] = "2555";
    SendPreview preview = previewSend(form);
    ASSERT_FALSE(preview.build);
    EXPECT_EQ(preview.build.error().field, Field::SpeedTable0);
    EXPECT_EQ(reasonOf(preview.build), "Speed 0-3 Km/h: value out of range");
    EXPECT_TRUE(preview.ranges.empty());
    EXPECT_TRUE(preview.settings.empty());
    EXPECT_TRUE(preview.notes.empty());
}

TEST(SendPreview, ReadsTheGpslessBeaconAsAPosition) {
    EXPECT_FALSE(previewSend(defaultSettings()).position);

    SendPreview calculated = previewSend(gpsless("=4930.00N/07245.00W>/A=000984"));
    ASSERT_TRUE(calculated.position);
    ASSERT_TRUE(*calculated.position) << reasonOf(*calculated.position);
    EXPECT_EQ(describePosition(**calculated.position),
              "N49.30.00 W72.45.00, symbol />, altitude 984 ft (300 m)");

    SendPreview typed = previewSend(gpsless("!4930.00N/07245.00W>"));
    ASSERT_TRUE(typed.position);
    EXPECT_FALSE(*typed.position);
    EXPECT_TRUE(reasonOf(*typed.position).starts_with(kNotACalculatorPosition));
}

}  // namespace
}  // namespace zelvar
