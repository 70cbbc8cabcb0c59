#include "config/shown_texts.h"

#include <array>

#include "config/config_image.h"

namespace zelvar {
namespace {

using enum ShownText;

constexpr std::array<ShownTextEntry, 66> kTexts = {{
    {WindowTitle, "windowTitle", "Zelvar Config v4.0 by QX9ABC"},
    // The comment's label in GPSless Mode, where the tracker sends it as its position.
    {BeaconCaptionGpsless, "beaconCaptionGpsless", "BEACON"},
    {GpslessNote, "gpslessNote", "(0=GPSless Mode)"},
    {GpslessNoteOn, "gpslessNoteOn", "GPSless Mode"},
    {CounterShown, "counterShown", "[%1]"},
    {CharactersLeft, "charactersLeft", "%1 characters left"},
    {OneCharacterLeft, "oneCharacterLeft", "1 character left"},
    {AtMostCharacters, "atMostCharacters", "at most %1 characters"},
    {BuildFailed, "buildFailed", kBuildFailedMessage},
    {BuildFailedTitle, "buildFailedTitle", kBuildFailedTitle},
    {MessageTitle, "messageTitle", "Zelvar"},
    // Save's failures, as the tracker's users know them.
    {SaveFailedTitle, "saveFailedTitle", "Zelwar"},
    {Ok, "ok", "OK"},
    {LegendLeadIn, "legendLeadIn", "Lead-in FF FF"},
    {LegendBlock1, "legendBlock1", "Block 1: image bytes 0..81"},
    {LegendBlock2, "legendBlock2", "Block 2: image bytes 82..163"},
    {LegendChecksum, "legendChecksum", "Checksum"},
    {WireBytes, "wireBytes", "Wire bytes"},
    {WireBytesDescription, "wireBytesDescription",
     "the 170 bytes SEND writes, in hex, 16 to a row"},
    {WireRanges, "wireRanges", "What the bytes hold"},
    {RangeBytes, "rangeBytes", "Bytes"},
    {RangeHolds, "rangeHolds", "Holds"},
    {RangeMeaning, "rangeMeaning", "As the tracker gets it"},
    {SendsNothing, "sendsNothing", "SEND would send nothing."},
    {NoNotes, "noNotes", "Every field goes out as the form shows it."},
    {NotesHeading, "notesHeading", "Sent differently from the form:"},
    // The notes' arrow in a window, where a terminal shows " -> ".
    {NoteArrow, "noteArrow", " \u2192 "},
    {BeaconPosition, "beaconPosition", "Beacon position: %1"},
    {BeaconUnread, "beaconUnread", "Beacon: %1"},
    {ByteTip, "byteTip", "Byte %1, block %2"},
    {CalculatorTitle, "calculatorTitle", "Calculate APRS Coordinates for GPSless Mode"},
    // Two blanks until the check box is first changed, as the tracker's users know it.
    {CoordinatesAtStart, "coordinatesAtStart", "Lat / Lon  coordinates [+/-Grad.Min.Cent]"},
    {CoordinatesCent, "coordinatesCent", "Lat / Lon coordinates [+/-Grad.Min.Cent]"},
    {CoordinatesSec, "coordinatesSec", "Lat / Lon coordinates [+/-Grad.Min.Sec]"},
    {Latitude, "latitude", "La&titude:"},
    {Longitude, "longitude", "Lo&ngitude:"},
    {LatitudeName, "latitudeName", "Latitude"},
    {LongitudeName, "longitudeName", "Longitude"},
    {Notation, "notation",
     "degrees.minutes.hundredths, degrees.minutes.seconds with Cent. clear, decimal degrees "
     "(45.5025, -9.175), degrees and minutes (45 30.15 N), or a Maidenhead locator (JN45ol) in "
     "Latitude for both"},
    {Cent, "cent", "Cent."},
    {CentHint, "centHint", "Lat/Lon in gradi.minuti.centesimi"},
    {AltitudeIncluded, "altitudeIncluded", "Altitude:"},
    {AltitudeIncludedName, "altitudeIncludedName", "Altitude in the beacon"},
    {AltitudeName, "altitudeName", "Altitude"},
    {Meters, "meters", "meters"},
    {BeaconType, "beaconType", " Beacon Type "},
    {NormalForm, "normalForm", "Normal     (20 chars)"},
    {NormalFormWithAltitude, "normalFormWithAltitude", "Normal     (*29* chars)"},
    {CompressedForm, "compressedForm", "Compressed (14 chars)"},
    {WriteCoordinates, "writeCoordinates", "&Write coords in GPSless Bcn"},
    {Close, "close", "&Close"},
    // Below the coordinates: the notations beside the dotted one the caption names.
    {NotationsShown, "notationsShown",
     "Also 45.5025, 45\u00B030.15'N or 45 30.15 N; or a locator (JN45ol) in Latitude"},
    // The Maidenhead square of the position the written text carries.
    {LocatorShown, "locatorShown", "Locator: %1"},
    {LongitudeFromLocator, "longitudeFromLocator", "the locator in Latitude gives the longitude"},
    {AdviceHeading, "adviceHeading", "Advice: %1"},
    {AdviceGoTo, "adviceGoTo",
     "notes on APRS practice, never refusals; choosing one goes to its field"},
    {SymbolShown, "symbolShown", "Symbol: %1"},
    {ChooseSymbol, "chooseSymbol", "S&ymbols\u2026"},
    {ChooseSymbolName, "chooseSymbolName", "Choose the symbol by name"},
    {SymbolPickerTitle, "symbolPickerTitle", "APRS Symbols - Zelvar Config"},
    {SymbolSearch, "symbolSearch", "&Search:"},
    {SymbolSearchHint, "symbolSearchHint",
     "a name such as car, balloon, house or digi, or the symbol's character"},
    {SymbolList, "symbolList", "Symbols"},
    {SymbolNoMatch, "symbolNoMatch", "No symbol is named \"%1\"."},
    {UseSymbol, "useSymbol", "&Use symbol"},
    {Cancel, "cancel", "Cancel"},
}};

constexpr bool inOrder() {
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        if (static_cast<std::size_t>(kTexts[i].id) != i)
            return false;
    }
    return static_cast<std::size_t>(Cancel) + 1 == kTexts.size();
}
static_assert(inOrder(), "one text for each ShownText, in its order");

}  // namespace

std::span<const ShownTextEntry> shownTexts() {
    return kTexts;
}

std::string_view shownText(ShownText id) {
    return kTexts[static_cast<std::size_t>(id)].text;
}

std::string withValue(std::string_view text, std::string_view value) {
    std::string result(text);
    if (const std::size_t at = result.find("%1"); at != std::string::npos)
        result.replace(at, 2, value);
    return result;
}

std::string noteShown(std::string_view note) {
    constexpr std::string_view kPlainArrow = " -> ";
    std::string shown(note);
    for (std::size_t at = shown.find(kPlainArrow); at != std::string::npos;
         at = shown.find(kPlainArrow, at + 1))
        shown.replace(at, kPlainArrow.size(), shownText(NoteArrow));
    return shown;
}

std::string counterShown(long left) {
    return withValue(shownText(CounterShown), std::to_string(left));
}

std::string counterSpoken(std::size_t most, long left) {
    const std::string leftText = left == 1
                                     ? std::string(shownText(OneCharacterLeft))
                                     : withValue(shownText(CharactersLeft), std::to_string(left));
    return withValue(shownText(AtMostCharacters), std::to_string(most)) + ", " + leftText;
}

}  // namespace zelvar
