#include "config/advice.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <utility>

#include "cfg/cfg_encoding.h"
#include "common/ascii.h"
#include "config/config_image.h"
#include "config/input_rules.h"
#include "config/sent_address.h"
#include "config/shown_texts.h"
#include "config/text_number.h"
#include "geo/aprs_position.h"
#include "geo/position_decoder.h"
#include "text/translation.h"

namespace zelvar {
namespace {

constexpr std::string_view kPlaceholderCall = "NOCALL";
constexpr int kMostHops = 3;
constexpr double kShortestInterval = 60;            // seconds
constexpr double kShortestFixedInterval = 10 * 60;  // seconds

using Values = std::initializer_list<std::pair<std::string_view, std::string>>;

// The rule's text with each {name} replaced by its value.
std::string filled(std::string_view text, Values values) {
    std::string result;
    while (!text.empty()) {
        const std::size_t open = text.find('{');
        const std::size_t close = text.find('}', open);
        if (open == std::string_view::npos || close == std::string_view::npos) {
            result += text;
            break;
        }
        result += text.substr(0, open);
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const auto value = std::find_if(values.begin(), values.end(),
                                        [&](const auto& pair) { return pair.first == name; });
        result += value != values.end() ? value->second
                                        : std::string(text.substr(open, close - open + 1));
        text.remove_prefix(close + 1);
    }
    return result;
}

// The rules, each reading the record as the build left it.
class Adviser {
  public:
    explicit Adviser(const DeviceSettings& held) : sent_(held) {
        ConfigImage image{};
        static_cast<void>(buildConfigImage(sent_, image));
        gpsless_ = isGpslessTimeout(sent_.acquisitionTimeout);
    }

    std::vector<AdviceNote> notes() && {
        ownCallsign();
        path();
        rates();
        beaconSymbol();
        message();
        std::stable_sort(notes_.begin(), notes_.end(),
                         [](const auto& a, const auto& b) { return a.rule < b.rule; });
        return std::move(notes_);
    }

  private:
    void note(AdviceRule rule, Field field, Values values) {
        const AdviceRuleText& about = adviceRule(rule);
        // The comment is the beacon in GPSless Mode, and the form calls it so.
        const std::string_view label = field == Field::Beacon && gpsless_
                                           ? shownText(ShownText::BeaconCaptionGpsless)
                                           : fieldLabel(field);
        notes_.push_back({rule, about.id, about.level, field, label,
                          filled(translated("advice", about.text), values),
                          translated("advice why", about.why)});
    }

    // The callsign as sent when it is the placeholder: "NOCALL-9", and "NOCALLX-9" too, which
    // goes out as NOCALL.
    static std::optional<std::string> placeholder(std::string_view callsign) {
        const std::optional<SentAddress> address = sentAddress(callsign);
        if (!address || address->call != kPlaceholderCall)
            return std::nullopt;
        return latin1ToUtf8(address->shown);
    }

    void ownCallsign() {
        if (std::optional<std::string> call = placeholder(sent_.myCall))
            note(AdviceRule::MyCallPlaceholder, Field::MyCall, {{"call", *call}});
        addressCharacters(Field::MyCall, sentAddress(sent_.myCall));
    }

    // Typing keeps to capitals and digits; a file may bring anything.
    void addressCharacters(Field field, const std::optional<SentAddress>& address) {
        if (address && !address->isAddress)
            note(AdviceRule::NotAnAddress, field, {{"entry", latin1ToUtf8(address->shown)}});
    }

    void path() {
        const std::vector<SentAddress> entries = sentPath(sent_.path);
        if (entries.empty())
            return;
        if (std::any_of(entries.begin() + 1, entries.end(),
                        [](const SentAddress& e) { return e.isWide1_1(); }))
            note(AdviceRule::Wide1NotFirst, Field::Path, {});
        int hops = 0;
        for (const SentAddress& entry : entries) {
            const std::string shown = latin1ToUtf8(entry.shown);
            addressCharacters(Field::Path, entry);
            if (entry.isRetired())
                note(AdviceRule::RetiredAlias, Field::Path, {{"entry", shown}});
            if (entry.isInvalidHop())
                note(AdviceRule::InvalidHop, Field::Path, {{"entry", shown}});
            hops += entry.hops();
        }
        if (hops > kMostHops)
            note(AdviceRule::TooManyHops, Field::Path, {{"hops", std::to_string(hops)}});
        else if (hops == kMostHops)
            note(AdviceRule::ThreeHops, Field::Path, {});
        if (gpsless_ && std::any_of(entries.begin(), entries.end(),
                                    [](const SentAddress& e) { return e.isWide1_1(); }))
            note(AdviceRule::FillInForFixedStation, Field::Path, {});
        if (sent_.modem300 == 1)
            note(AdviceRule::PathOnHf, Field::Path, {});
    }

    double seconds(Field field) const { return leadingNumber(*fieldText(sent_, field)); }

    void everyFewSeconds(Field field) {
        note(AdviceRule::RateUnderAMinute, field, {{"seconds", formatPlainNumber(seconds(field))}});
    }

    void rates() {
        const double manual = seconds(Field::FixedInterval);
        if (manual < kShortestInterval)
            everyFewSeconds(Field::FixedInterval);
        else if (gpsless_ && manual < kShortestFixedInterval)
            note(AdviceRule::FixedStationRate, Field::FixedInterval,
                 {{"seconds", formatPlainNumber(manual)}});
        if (gpsless_)
            return;  // no speed without a GPS: the bands are not used
        std::optional<int> inverted;
        for (int band = 0; band < static_cast<int>(sent_.speedIntervals.size()); ++band) {
            if (seconds(speedIntervalField(band)) < kShortestInterval)
                everyFewSeconds(speedIntervalField(band));
            if (!inverted && band > 0 &&
                seconds(speedIntervalField(band)) > seconds(speedIntervalField(band - 1)))
                inverted = band;
        }
        if (inverted) {
            const Field faster = speedIntervalField(*inverted);
            const Field slower = speedIntervalField(*inverted - 1);
            note(AdviceRule::BandsInverted, faster,
                 {{"seconds", formatPlainNumber(seconds(faster))},
                  {"slower", std::string(fieldLabel(slower))},
                  {"slower_seconds", formatPlainNumber(seconds(slower))}});
        }
    }

    // Without a GPS the beacon is the position report, and its own symbol is the one maps show.
    void beaconSymbol() {
        if (!gpsless_)
            return;
        const Result<DecodedPosition> beacon = decodePosition(sent_.beacon);
        if (!beacon)
            return;  // not a position the calculator writes: its symbol is not ours to judge
        const std::string sent{beacon->table, beacon->symbol};
        const std::string icon = symbolTableChar(sent_.alternateTable == 1) + sent_.symbol;
        if (sent != icon)
            note(AdviceRule::BeaconSymbol, Field::Beacon,
                 {{"beacon", latin1ToUtf8(sent)}, {"icon", latin1ToUtf8(icon)}});
    }

    void message() {
        const bool message =
            !trimSpaces(sent_.message).empty() && leadingNumber(sent_.messageRetries) > 0;
        const bool answer = sent_.autoAnswerOn == 1;
        if (!message && !answer)
            return;
        if (std::optional<std::string> call = placeholder(sent_.messageTo))
            note(AdviceRule::MessageToPlaceholder, Field::MessageTo, {{"call", *call}});
        addressCharacters(Field::MessageTo, sentAddress(sent_.messageTo));
    }

    DeviceSettings sent_;
    bool gpsless_ = false;
    std::vector<AdviceNote> notes_;
};

}  // namespace

std::vector<AdviceNote> adviseOn(const DeviceSettings& settings) {
    return Adviser(settings).notes();
}

bool hasWarnings(const std::vector<AdviceNote>& notes) {
    return std::any_of(notes.begin(), notes.end(),
                       [](const AdviceNote& n) { return n.level == AdviceLevel::Warning; });
}

std::string adviceLine(const AdviceNote& note) {
    // A note quotes what a file may bring: a character that shows nothing is shown by its code.
    return escapedControls(withArguments(note.level == AdviceLevel::Warning
                                             ? translated("advice", "warning: %1: %2")
                                             : translated("advice", "hint: %1: %2"),
                                         {note.label, note.text}));
}

std::string adviceSummary(const std::vector<AdviceNote>& notes) {
    if (notes.empty())
        return std::string(translated("advice summary",
                                      "No advice: the settings follow the usual APRS practice."));
    const auto warnings =
        static_cast<std::size_t>(std::count_if(notes.begin(), notes.end(), [](const AdviceNote& n) {
            return n.level == AdviceLevel::Warning;
        }));
    const std::size_t hints = notes.size() - warnings;
    return withArguments(
        translated("advice summary", "%1, %2"),
        {withArguments(translatedPlural("advice summary", "%1 warning", "%1 warnings", warnings),
                       {std::to_string(warnings)}),
         withArguments(translatedPlural("advice summary", "%1 hint", "%1 hints", hints),
                       {std::to_string(hints)})});
}

std::string adviceHeading(const std::vector<AdviceNote>& notes) {
    if (notes.empty())
        return adviceSummary(notes);
    return withArguments(shownText(ShownText::AdviceHeading), {adviceSummary(notes)});
}

}  // namespace zelvar
