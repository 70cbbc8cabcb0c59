#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/advice_rules.h"
#include "config/device_settings.h"

namespace zelvar {

// One piece of advice on the settings: a note, never a refusal.
struct AdviceNote {
    AdviceRule rule;
    std::string_view id;  // the rule's stable id
    AdviceLevel level;
    Field field;             // the field the note is about, where a front end takes the user
    std::string_view label;  // the field's label as the form shows it (BEACON in GPSless Mode)
    std::string text;        // one line, the values filled in (UTF-8)
    std::string_view why;    // the longer explanation
};

// The notes on a record as SEND would send it: a copy is built and the rules read the values the
// build writes back (so "WIDE2-16" is judged as the "WIDE2" the tracker gets). A record that does
// not build is judged as far as the build got and as held beyond; the build's own failure is
// not a note.
//
// What counts as "on": the message is always in the image, so it counts as in use when its text
// is not empty and Msg Retries is above 0; the automatic answer when Enable Auto Answer is
// ticked. In GPSless Mode the speed bands are not used and are not judged.
std::vector<AdviceNote> adviseOn(const DeviceSettings& settings);

bool hasWarnings(const std::vector<AdviceNote>& notes);

// A note as one line, as every front end lists it: "warning: MY CALLSIGN: The callsign is ...",
// characters that show nothing by their code ("W\u00ADIDE2-2").
std::string adviceLine(const AdviceNote& note);

// "1 warning, 2 hints", or that there is nothing to say.
std::string adviceSummary(const std::vector<AdviceNote>& notes);

// The heading of the notes' list: "Advice: 1 warning, 2 hints", or the summary alone where it says
// there is nothing to say.
std::string adviceHeading(const std::vector<AdviceNote>& notes);

}  // namespace zelvar
