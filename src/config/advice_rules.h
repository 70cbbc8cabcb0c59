#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace zelvar {

// How much a note on the settings matters. Neither stops SEND, Save or Load.
enum class AdviceLevel {
    Warning,  // the tracker would work against APRS practice: fix it unless you know why not
    Hint,     // a usual setting would serve better
};

// The rules of APRS practice the settings are checked against, in the order their notes are
// listed.
enum class AdviceRule {
    MyCallPlaceholder,
    NotAnAddress,
    Wide1NotFirst,
    RetiredAlias,
    InvalidHop,
    TooManyHops,
    ThreeHops,
    FillInForFixedStation,
    PathOnHf,
    RateUnderAMinute,
    FixedStationRate,
    BandsInverted,
    BeaconSymbol,
    MessageToPlaceholder,
};
inline constexpr std::size_t kAdviceRuleCount =
    static_cast<std::size_t>(AdviceRule::MessageToPlaceholder) + 1;

// Where a rule comes from.
enum class AdviceSource {
    None,
    Paradigm,   // the WIDEn-N paradigm as written by APRS's author
    Northwest,  // the recommended settings of the northwest APRS group
    UnitedStates,
    Protocol,  // the APRS Protocol Reference
};

// A rule's words, kept here and nowhere else. `text` is one line with {placeholders} that the
// note fills in; `why` explains it to someone new to APRS.
struct AdviceRuleText {
    AdviceRule rule;
    std::string_view id;  // stable, for scripts: "mycall-placeholder"
    AdviceLevel level;
    std::string_view text;
    std::string_view why;
    std::array<AdviceSource, 3> sources;
};

std::span<const AdviceRuleText> adviceRules();
const AdviceRuleText& adviceRule(AdviceRule rule);

std::string_view adviceLevelName(AdviceLevel level);  // "warning", "hint"
std::string_view adviceSourceName(AdviceSource source);

}  // namespace zelvar
