#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelvar {

// Every text that the window and the page both show and that is not a field's own (a field's
// label, unit and hint are in the field table): captions, titles, the words around the preview
// and the calculator, and what a screen reader hears of the counters. Each has a key, by which
// the page's markup and script find it; "%1" and "%2" stand for what a text is given. Texts are
// UTF-8; an "&" marks the letter Alt presses a button or field with.
enum class ShownText : std::uint8_t {
    WindowTitle,
    BeaconCaptionGpsless,
    GpslessNote,
    GpslessNoteOn,
    CounterShown,
    AtMostCharacters,
    BuildFailed,
    BuildFailedTitle,
    MessageTitle,
    SaveFailedTitle,
    Ok,
    LegendLeadIn,
    LegendBlock1,
    LegendBlock2,
    LegendChecksum,
    WireBytesTitle,
    WireBytesDescription,
    WireRanges,
    RangeBytes,
    RangeHolds,
    RangeMeaning,
    SendsNothing,
    NoNotes,
    NotesHeading,
    NoteArrow,
    BeaconPosition,
    BeaconUnread,
    ByteTip,
    RangeTip,
    CalculatorTitle,
    CoordinatesAtStart,
    CoordinatesCent,
    CoordinatesSec,
    Latitude,
    Longitude,
    LatitudeName,
    LongitudeName,
    Notation,
    Cent,
    CentHint,
    AltitudeIncluded,
    AltitudeIncludedName,
    AltitudeName,
    Meters,
    BeaconType,
    NormalForm,
    NormalFormWithAltitude,
    CompressedForm,
    WriteCoordinates,
    Close,
    NotationsShown,
    LocatorShown,
    LongitudeFromLocator,
    NothingWritten,
    AdviceHeading,
    AdviceGoTo,
    SymbolShown,
    ChooseSymbol,
    ChooseSymbolName,
    SymbolPickerTitle,
    SymbolSearch,
    SymbolSearchHint,
    SymbolList,
    SymbolNoMatch,
    UseSymbol,
    Cancel,
};

struct ShownTextEntry {
    ShownText id;
    std::string_view key;  // "gpslessNote"
    std::string_view text;
};

// The catalogue's context of these texts; shownText looks them up in it.
inline constexpr std::string_view kShownTextContext = "window and page";

std::span<const ShownTextEntry> shownTexts();
std::string_view shownText(ShownText id);  // in the user's language

// "%1" in `text` replaced by `value`.
std::string withValue(std::string_view text, std::string_view value);

// A normalisation note as a window shows it: its "->" drawn as an arrow.
std::string noteShown(std::string_view note);

// A reason of the core (UTF-8) as a sentence of its own: its first letter raised (Latin-1's
// accented ones too), a full stop after it. 'invalid latitude "x"' -> 'Invalid latitude "x".'
std::string asSentence(std::string_view reason);

// What a field's counter shows, "[33]", and what a screen reader hears of the field's limit and
// counter: "at most 38 characters, 33 characters left", "..., 1 character left".
std::string counterShown(long left);
std::string counterSpoken(std::size_t most, long left);

}  // namespace zelvar
