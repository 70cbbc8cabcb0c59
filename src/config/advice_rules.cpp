#include "config/advice_rules.h"

#include "text/translation.h"

namespace zelvar {
namespace {

using enum AdviceRule;
using enum AdviceSource;
constexpr AdviceLevel kWarning = AdviceLevel::Warning;
constexpr AdviceLevel kHint = AdviceLevel::Hint;

// Indexed by AdviceRule.
constexpr std::array<AdviceRuleText, kAdviceRuleCount> kRules = {{
    {MyCallPlaceholder,
     "mycall-placeholder",
     kWarning,
     marked("advice", "The callsign is still the factory placeholder {call}"),
     marked(
         "advice why",
         "NOCALL is the placeholder the tracker comes with, not a callsign. A tracker beaconing "
         "under it identifies no one: the stations and maps that hear it cannot tell whose it is, "
         "and the station identification your licence asks for is missing. Put in your own "
         "callsign, with the SSID you give a tracker (-9 is usual for a car)."),
     {Protocol, Northwest, UnitedStates}},
    {NotAnAddress,
     "address-characters",
     kWarning,
     marked("advice", "{entry} holds characters no address on the air has"),
     marked("advice why",
            "Addresses on the air, callsigns and path aliases such as WIDE1-1, are capital letters "
            "A to Z and digits, at most six, then the SSID. The tracker sends the text as the "
            "field holds it: digipeaters do not answer \"wide1-1\" or an entry with a blank or a "
            "sign in it, and stations and maps do not know such a callsign. Write it in capitals, "
            "without blanks or signs."),
     {Protocol, None, None}},
    {Wide1NotFirst,
     "path-wide1-not-first",
     kWarning,
     marked("advice", "WIDE1-1 is not the first hop of the path"),
     marked(
         "advice why",
         "Fill-in digipeaters, the small stations that cover the gaps between the wide-area "
         "digipeaters, answer WIDE1-1 only as the first hop of a path. Anywhere else they let it "
         "pass and the hop is wasted. Put it first: WIDE1-1,WIDE2-1."),
     {Paradigm, Northwest, UnitedStates}},
    {RetiredAlias,
     "path-retired-alias",
     kWarning,
     marked("advice", "{entry} is a retired path alias"),
     marked(
         "advice why",
         "RELAY, WIDE, TRACE, TRACEn-N and WIDEn-N with n of 3 or more belong to the path schemes "
         "APRS has given up. Current digipeaters do not answer them, and many trap them as network "
         "abuse so that the beacon goes nowhere. Use WIDE1-1 and WIDE2-N instead."),
     {Paradigm, Northwest, UnitedStates}},
    {InvalidHop,
     "path-invalid-hop",
     kWarning,
     marked("advice", "{entry} is not a valid hop"),
     marked(
         "advice why",
         "In WIDEn-N, n is the number of hops the entry asks for, 1 to 7, and N the hops still to "
         "go, which each digipeater counts down. N greater than n, or n above 7, is a hop no "
         "digipeater knows how to handle. An N of 0, as in WIDE2 without its -N, leaves no hop to "
         "go: every digipeater lets it pass."),
     {Paradigm, None, None}},
    {TooManyHops,
     "path-hops-over-3",
     kWarning,
     marked("advice", "The path asks for {hops} hops, more than the 3 the network allows"),
     marked(
         "advice why",
         "Each hop repeats the beacon over a wider area, and every copy takes the channel from all "
         "the other stations. The hops of a path are the sum of its N's; paths of more than 3 hops "
         "flood the network, and digipeaters cut them short or ignore them. WIDE1-1,WIDE2-1 is the "
         "usual setting for a mobile."),
     {Paradigm, Northwest, UnitedStates}},
    {ThreeHops,
     "path-hops-over-2",
     kHint,
     marked("advice", "The path asks for 3 hops; 2 are usually enough"),
     marked(
         "advice why",
         "WIDE1-1,WIDE2-1 (two hops) is the usual setting for a mobile and reaches an internet "
         "gateway almost everywhere; a fixed station does with WIDE2-1. Three hops, as "
         "WIDE1-1,WIDE2-2, are for sparse areas with few digipeaters; where digipeaters are close, "
         "the third hop only adds load."),
     {Paradigm, Northwest, UnitedStates}},
    {FillInForFixedStation,
     "path-fill-in-fixed",
     kHint,
     marked("advice", "A fixed station (GPSless Mode) asks for fill-in digipeaters with WIDE1-1"),
     marked(
         "advice why",
         "Fill-in digipeaters are there for mobiles passing through the gaps between the wide-area "
         "digipeaters. A station at a fixed place is heard by the same digipeaters every time: "
         "WIDE2-1, or WIDE2-2 where they are far, reaches them without waking every fill-in "
         "around."),
     {Paradigm, Northwest, None}},
    {PathOnHf,
     "path-on-hf",
     kHint,
     marked("advice", "A digipeater path is set with the 300 baud (HF) modem"),
     marked(
         "advice why",
         "300 baud is the speed of APRS on the HF bands, where a beacon travels far on its own and "
         "no WIDEn-N digipeaters listen: a VHF path there only lengthens every packet. HF beacons "
         "usually go without a path."),
     {Paradigm, None, None}},
    {RateUnderAMinute,
     "rate-under-60s",
     kWarning,
     marked("advice", "A beacon every {seconds} s, more often than once a minute"),
     marked(
         "advice why",
         "A beacon holds the shared channel for about a second, and every digipeater that repeats "
         "it holds it again. Beacons more often than once a minute crowd out the other stations; "
         "even at speed one a minute is plenty."),
     {Northwest, UnitedStates, None}},
    {FixedStationRate,
     "rate-fixed-under-10min",
     kHint,
     marked("advice", "A fixed station (GPSless Mode) beacons every {seconds} s"),
     marked(
         "advice why",
         "A station that does not move says nothing new with each beacon. 30 minutes (1800 s) is "
         "the usual rate for a fixed station; more often than every 10 minutes (600 s) only loads "
         "the channel."),
     {Northwest, UnitedStates, None}},
    {BandsInverted,
     "rate-bands-inverted",
     kHint,
     marked("advice",
            "A beacon every {seconds} s, less often than the slower {slower} ({slower_seconds} s)"),
     marked(
         "advice why",
         "Automatic timing beacons more often the faster the tracker moves, so that its track on "
         "the map keeps its shape at every speed: the intervals shrink from the slowest band to "
         "the "
         "fastest. Here a faster band waits longer than a slower one, as if the table were "
         "inverted."),
     {Northwest, UnitedStates, None}},
    {BeaconSymbol,
     "gpsless-beacon-symbol",
     kHint,
     marked("advice",
            "The beacon sends the symbol {beacon}, ICON Symbol and Alternate Table say {icon}"),
     marked(
         "advice why",
         "Without a GPS the tracker sends the beacon text as it stands, and maps show the symbol "
         "written in it; ICON Symbol and Alternate Table go out only with a GPS position. The "
         "calculator writes the symbol they hold into the beacon: after choosing another "
         "symbol, write the coordinates again."),
     {Protocol, None, None}},
    {MessageToPlaceholder,
     "message-to-nocall",
     kHint,
     marked("advice", "The message goes to the factory placeholder {call}"),
     marked(
         "advice why",
         "NOCALL is the placeholder the tracker comes with: a message to it reaches no one. Put in "
         "the callsign of the station the message is for. If you do not use messages, empty the "
         "Message or set Msg Retries to 00, and leave Enable Auto Answer clear."),
     {Protocol, None, None}},
}};

}  // namespace

std::span<const AdviceRuleText> adviceRules() {
    return kRules;
}

const AdviceRuleText& adviceRule(AdviceRule rule) {
    return kRules[static_cast<std::size_t>(rule)];
}

std::string_view adviceLevelName(AdviceLevel level) {
    return level == AdviceLevel::Warning ? "warning" : "hint";
}

std::string_view adviceSourceName(AdviceSource source) {
    switch (source) {
        case AdviceSource::Paradigm:
            return translated("advice source", "the WIDEn-N paradigm, as written by APRS's author");
        case AdviceSource::Northwest:
            return translated("advice source",
                              "the recommended settings of the northwest APRS group");
        case AdviceSource::UnitedStates:
            return translated("advice source",
                              "the recommended settings of the US APRS digipeater groups");
        case AdviceSource::Protocol:
            return translated("advice source", "the APRS Protocol Reference");
        case AdviceSource::None:
            break;
    }
    return {};
}

}  // namespace zelvar
