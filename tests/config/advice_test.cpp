#include "config/advice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "config/config_image.h"
#include "settings_support.h"

namespace zelvar {
namespace {

using testing_support::changed;
using testing_support::Changes;

std::string said(const std::vector<AdviceNote>& notes) {
    std::string text;
    for (const AdviceNote& note : notes)
        text += std::string(note.id) + ": " + note.text + "\n";
    return text;
}

// The factory defaults' three notes in their order: LineCommands.SendWritesWhatTheTrackerChecks,
// which compares send's whole stderr; their summary: AdviceCommands.CheckSaysWhatToLookAt.
TEST(Advice, SummaryAndHeadingCountWarningsAndHints) {
    const std::vector<AdviceNote> notes = adviseOn(defaultSettings());
    ASSERT_EQ(notes.size(), 3u) << said(notes);
    EXPECT_TRUE(hasWarnings(notes));
    EXPECT_EQ(adviceSummary({notes[1]}), "0 warnings, 1 hint");
    EXPECT_EQ(adviceHeading(notes), "Advice: 1 warning, 2 hints");
    EXPECT_EQ(adviceHeading({}), adviceSummary({}));  // not "Advice: No advice: ..."
}

// A station set up as the usual practice has it, which no rule touches.
DeviceSettings practised() {
    return changed(defaultSettings(), {{Field::MyCall, "QX9ABC-9"},
                                       {Field::Path, "WIDE1-1,WIDE2-1"},
                                       {Field::MessageTo, "QX9XYZ"}});
}

const Changes kGpsless = {{Field::AcquisitionTimeout, "000"}, {Field::FixedInterval, "1800"}};
// A beacon as the calculator writes it, with the symbol the practised record's fields hold.
constexpr const char* kCalculatedBeacon = "=4530.15N/00910.30E>";

Changes with(Changes changes, const Changes& more) {
    changes.insert(changes.end(), more.begin(), more.end());
    return changes;
}

// Each rule on the values as SEND sends them, firing and not: the rule's id, whether it fires,
// and the field its note names.
TEST(Advice, EachRuleFiresOnlyWhereItShould) {
    struct Row {
        Changes changes;
        const char* rule;
        bool fires;
        Field field = Field::Path;
    };
    std::vector<Row> rows = {
        {{{Field::MyCall, "NOCALL-9"}}, "mycall-placeholder", true, Field::MyCall},
        {{{Field::MyCall, " nocall-15"}}, "mycall-placeholder", true, Field::MyCall},
        {{{Field::MyCall, "NOCALLX-3"}}, "mycall-placeholder", true, Field::MyCall},  // cut to 6
        {{{Field::MyCall, "N0CALL-9"}}, "mycall-placeholder", false},

        {{{Field::MyCall, "qx9abc-9"}}, "address-characters", true, Field::MyCall},
        {{{Field::MyCall, "QX9 AB-9"}}, "address-characters", true, Field::MyCall},
        {{{Field::MyCall, " QX9ABC-9 "}}, "address-characters", false},
        {{{Field::MessageTo, "qx9xyz"}}, "address-characters", true, Field::MessageTo},
        {{{Field::MessageTo, "qx9xyz"}, {Field::MessageRetries, "00"}},
         "address-characters",
         false},

        {with(kGpsless, {{Field::Path, "WIDE1-1"}}), "path-fill-in-fixed", true},
        {with(kGpsless, {{Field::Path, "WIDE2-1"}}), "path-fill-in-fixed", false},
        {{{Field::Path, "WIDE1-1"}}, "path-fill-in-fixed", false},

        {{{Field::Modem300, "1"}}, "path-on-hf", true},
        {{{Field::Modem300, "1"}, {Field::Path, " , "}}, "path-on-hf", false},
        {{{Field::Modem300, "0"}}, "path-on-hf", false},

        {{{Field::FixedInterval, "0050"}}, "rate-under-60s", true, Field::FixedInterval},
        {{{Field::SpeedInterval6, "050"}}, "rate-under-60s", true, Field::SpeedInterval6},
        {{{Field::SpeedInterval6, "055"}}, "rate-under-60s", false},  // sent as 60 s
        {with(kGpsless, {{Field::SpeedInterval6, "030"}}), "rate-under-60s", false},
        {with(kGpsless, {{Field::FixedInterval, "0030"}}), "rate-under-60s", true,
         Field::FixedInterval},

        {with(kGpsless, {{Field::FixedInterval, "0590"}}), "rate-fixed-under-10min", true,
         Field::FixedInterval},
        {with(kGpsless, {{Field::FixedInterval, "0600"}}), "rate-fixed-under-10min", false},
        {with(kGpsless, {{Field::FixedInterval, "0030"}}), "rate-fixed-under-10min", false},
        {{{Field::FixedInterval, "0300"}}, "rate-fixed-under-10min", false},

        {{{Field::SpeedInterval3, "300"}}, "rate-bands-inverted", true, Field::SpeedInterval3},
        {{{Field::SpeedInterval1, "0480"}}, "rate-bands-inverted", false},  // equal is fine
        {with(kGpsless, {{Field::SpeedInterval3, "300"}}), "rate-bands-inverted", false},

        {with(kGpsless, {{Field::Beacon, kCalculatedBeacon}, {Field::AlternateTable, "1"}}),
         "gpsless-beacon-symbol", true, Field::Beacon},
        {with(kGpsless, {{Field::Beacon, kCalculatedBeacon}, {Field::Symbol, "O"}}),
         "gpsless-beacon-symbol", true, Field::Beacon},
        {with(kGpsless, {{Field::Beacon, kCalculatedBeacon}}), "gpsless-beacon-symbol", false},
        {with(kGpsless, {{Field::Beacon, "QX9ABC portable"}}), "gpsless-beacon-symbol", false},
        {{{Field::Beacon, kCalculatedBeacon}, {Field::Symbol, "O"}},
         "gpsless-beacon-symbol",
         false},

        {{{Field::MessageTo, "NOCALL"}}, "message-to-nocall", true, Field::MessageTo},
        {{{Field::MessageTo, "NOCALL-3"}, {Field::Message, ""}, {Field::AutoAnswerOn, "1"}},
         "message-to-nocall",
         true,
         Field::MessageTo},
        {{{Field::MessageTo, "NOCALL"}, {Field::Message, "  "}}, "message-to-nocall", false},
        {{{Field::MessageTo, "NOCALL"}, {Field::MessageRetries, "00"}}, "message-to-nocall", false},
    };
    // The rules on the path alone: the paths each fires on, then those it does not (WIDE3-4 is
    // no valid path at all; WIDE2-16 is sent as WIDE2, which has no hop left).
    const std::tuple<const char*, std::vector<const char*>, std::vector<const char*>> onPath[] = {
        {"address-characters",
         {"wide1-1,WIDE2-1", "WIDE1-1,WIDE2*", "WIDE1-1,,WIDE2-1"},
         {"WIDE1-1, WIDE2-1 ", "QX9DIG,WIDE2-1"}},
        {"path-wide1-not-first", {"WIDE2-1,WIDE1-1"}, {"WIDE1-1", "WIDE2-1,WIDE1-2"}},
        {"path-retired-alias",
         {"RELAY,WIDE2-1", "WIDE", "TRACE", "TRACE2-2", "wide3-3", "WIDE7-1"},
         {"WIDE2-2", "RELAYS,WIDEST", "WIDE3-4"}},
        {"path-invalid-hop",
         {"WIDE2-3", "WIDE8-1", "WIDE2", "WIDE1-1,WIDE2-0", "WIDE2-16"},
         {"WIDE7-7", "WIDE1-1,WIDE2-1"}},
        {"path-hops-over-3", {"WIDE2-2,WIDE2-2", "WIDE1-1,WIDE3-3"}, {"WIDE1-1,WIDE2-2"}},
        {"path-hops-over-2", {"WIDE1-1,WIDE2-2", "WIDE2-2,QX9DIG"}, {"WIDE2-2,WIDE2-2", "WIDE2-2"}},
    };
    for (const auto& [rule, firing, quiet] : onPath) {
        for (const bool fires : {true, false})
            for (const char* path : fires ? firing : quiet)
                rows.push_back({{{Field::Path, path}}, rule, fires});
    }
    ASSERT_EQ(adviseOn(practised()).size(), 0u) << said(adviseOn(practised()));
    for (const Row& row : rows) {
        const std::vector<AdviceNote> notes = adviseOn(changed(practised(), row.changes));
        const auto note = std::find_if(notes.begin(), notes.end(),
                                       [&](const AdviceNote& n) { return n.id == row.rule; });
        ASSERT_EQ(note != notes.end(), row.fires) << row.rule << " on " << said(notes);
        if (row.fires) {
            EXPECT_EQ(note->field, row.field) << row.rule;
        }
    }
}

TEST(Advice, NotesNameWhatTheTrackerGets) {
    const auto text = [](const Changes& changes, std::string_view rule) {
        for (const AdviceNote& note : adviseOn(changed(practised(), changes)))
            if (note.id == rule)
                return note.text;
        return std::string("(none)");
    };
    EXPECT_EQ(text({{Field::MyCall, "NOCALLX-3"}}, "mycall-placeholder"),
              "The callsign is still the factory placeholder NOCALL-3");
    EXPECT_EQ(text({{Field::Path, "WIDE1-1,wide2-1"}}, "address-characters"),
              "wide2-1 holds characters no address on the air has");
    EXPECT_EQ(text({{Field::Path, "wide3-3"}}, "path-retired-alias"),
              "wide3-3 is a retired path alias");
    EXPECT_EQ(text({{Field::Path, "WIDE2-2,WIDE3-3"}}, "path-hops-over-3"),
              "The path asks for 5 hops, more than the 3 the network allows");
    EXPECT_EQ(text({{Field::SpeedInterval0, "0005"}}, "rate-under-60s"),
              "A beacon every 10 s, more often than once a minute");
    EXPECT_EQ(text({{Field::SpeedInterval4, "200"}}, "rate-bands-inverted"),
              "A beacon every 200 s, less often than the slower Speed 23-40 Km/h (180 s)");
    EXPECT_EQ(text(with(kGpsless, {{Field::Beacon, kCalculatedBeacon},
                                   {Field::Symbol, "O"},
                                   {Field::AlternateTable, "1"}}),
                   "gpsless-beacon-symbol"),
              "The beacon sends the symbol />, ICON Symbol and Alternate Table say \\O");
    // In GPSless Mode the form calls the comment BEACON, and so does the note's line.
    const std::vector<AdviceNote> gpsless = adviseOn(changed(
        practised(), with(kGpsless, {{Field::Beacon, kCalculatedBeacon}, {Field::Symbol, "O"}})));
    const auto beacon = std::find_if(gpsless.begin(), gpsless.end(),
                                     [](const AdviceNote& n) { return n.field == Field::Beacon; });
    ASSERT_NE(beacon, gpsless.end());
    EXPECT_TRUE(adviceLine(*beacon).starts_with("hint: BEACON: The beacon sends"))
        << adviceLine(*beacon);
}

// Generated records: the advice on a record is the advice on what its build writes back, and every
// note is one filled-in line in the order of the rules.
TEST(Advice, IsTheSameOnTheFormAndOnWhatSendWrites) {
    testing_support::RecordGenerator records(36);
    int built = 0;
    for (int round = 0; round < 2000; ++round) {
        const DeviceSettings held = records.next();
        const std::vector<AdviceNote> notes = adviseOn(held);
        DeviceSettings sent = held;
        ConfigImage image{};
        if (buildConfigImage(sent, image) && ++built) {
            ASSERT_EQ(said(adviseOn(sent)), said(notes));
        }
        for (std::size_t i = 0; i < notes.size(); ++i) {
            const AdviceNote& note = notes[i];
            EXPECT_TRUE(!note.text.empty() && note.text.find_first_of("{}\n") == std::string::npos)
                << note.text;
            EXPECT_TRUE(i == 0 || notes[i - 1].rule <= note.rule) << said(notes);
        }
    }
    EXPECT_GT(built, 200);
}

// Every rule has its words and at least one source, and its id is unique.
TEST(AdviceRules, EachHasItsWordsAndSource) {
    std::vector<std::string_view> seen;
    for (const AdviceRuleText& rule : adviceRules()) {
        EXPECT_EQ(&adviceRule(rule.rule), &rule);
        EXPECT_FALSE(rule.text.empty() || rule.why.empty()) << rule.id;
        EXPECT_FALSE(adviceSourceName(rule.sources.front()).empty()) << rule.id;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), rule.id), 0) << rule.id;
        seen.push_back(rule.id);
    }
}

}  // namespace
}  // namespace zelvar
