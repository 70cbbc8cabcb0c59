#include "config/shown_texts.h"

#include <array>

#include "common/utf8.h"
#include "text/translation.h"

namespace zelvar {
namespace {

using enum ShownText;

constexpr std::array<ShownTextEntry, 66> kTexts = {{
    {WindowTitle, "windowTitle", marked("window and page", "Zelvar Config v4.0 by QX9ABC")},
    // The comment's label in GPSless Mode, where the tracker sends it as its position.
    {BeaconCaptionGpsless, "beaconCaptionGpsless", marked("window and page", "BEACON")},
    {GpslessNote, "gpslessNote", marked("window and page", "(0=GPSless Mode)")},
    {GpslessNoteOn, "gpslessNoteOn", marked("window and page", "GPSless Mode")},
    {CounterShown, "counterShown", marked("window and page", "[%1]")},
    {AtMostCharacters, "atMostCharacters", marked("window and page", "at most %1 characters")},
    {BuildFailed, "buildFailed", marked("window and page", "Parametri incompleti o non corretti")},
    {BuildFailedTitle, "buildFailedTitle",
     marked("window and page", "Invio non eseguito - Zelvar")},
    {MessageTitle, "messageTitle", marked("window and page", "Zelvar")},
    // Save's failures, as the tracker's users know them.
    {SaveFailedTitle, "saveFailedTitle", marked("window and page", "Zelwar")},
    {Ok, "ok", marked("window and page", "OK")},
    {LegendLeadIn, "legendLeadIn", marked("window and page", "Lead-in FF FF")},
    {LegendBlock1, "legendBlock1", marked("window and page", "Block 1: image bytes 0..81")},
    {LegendBlock2, "legendBlock2", marked("window and page", "Block 2: image bytes 82..163")},
    {LegendChecksum, "legendChecksum", marked("window and page", "Checksum")},
    {WireBytesTitle, "wireBytes", marked("window and page", "Wire bytes")},
    {WireBytesDescription, "wireBytesDescription",
     marked("window and page", "the 170 bytes SEND writes, in hex, 16 to a row")},
    {WireRanges, "wireRanges", marked("window and page", "What the bytes hold")},
    {RangeBytes, "rangeBytes", marked("window and page", "Bytes")},
    {RangeHolds, "rangeHolds", marked("window and page", "Holds")},
    {RangeMeaning, "rangeMeaning", marked("window and page", "As the tracker gets it")},
    {SendsNothing, "sendsNothing", marked("window and page", "SEND would send nothing.")},
    {NoNotes, "noNotes", marked("window and page", "Every field goes out as the form shows it.")},
    {NotesHeading, "notesHeading", marked("window and page", "Sent differently from the form:")},
    // The notes' arrow in a window, where a terminal shows " -> ".
    {NoteArrow, "noteArrow", marked("window and page", " \u2192 ")},
    {BeaconPosition, "beaconPosition", marked("window and page", "Beacon position: %1")},
    {BeaconUnread, "beaconUnread", marked("window and page", "Beacon: %1")},
    {ByteTip, "byteTip", marked("window and page", "Byte %1, block %2")},
    // Below it, each run of bytes the byte is part of and what the tracker reads there.
    {RangeTip, "rangeTip", marked("window and page", "%1: %2")},
    {CalculatorTitle, "calculatorTitle",
     marked("window and page", "Calculate APRS Coordinates for GPSless Mode")},
    // Two blanks until the check box is first changed, as the tracker's users know it.
    {CoordinatesAtStart, "coordinatesAtStart",
     marked("window and page", "Lat / Lon  coordinates [+/-Grad.Min.Cent]")},
    {CoordinatesCent, "coordinatesCent",
     marked("window and page", "Lat / Lon coordinates [+/-Grad.Min.Cent]")},
    {CoordinatesSec, "coordinatesSec",
     marked("window and page", "Lat / Lon coordinates [+/-Grad.Min.Sec]")},
    {Latitude, "latitude", marked("window and page", "La&titude:")},
    {Longitude, "longitude", marked("window and page", "Lo&ngitude:")},
    {LatitudeName, "latitudeName", marked("window and page", "Latitude")},
    {LongitudeName, "longitudeName", marked("window and page", "Longitude")},
    {Notation, "notation",
     marked(
         "window and page",
         "degrees.minutes.hundredths, degrees.minutes.seconds with Cent. clear, decimal degrees "
         "(45.5025, -9.175), degrees and minutes (45 30.15 N), or a Maidenhead locator (JN45ol) in "
         "Latitude for both")},
    {Cent, "cent", marked("window and page", "Cent.")},
    {CentHint, "centHint", marked("window and page", "Lat/Lon in gradi.minuti.centesimi")},
    {AltitudeIncluded, "altitudeIncluded", marked("window and page", "Altitude:")},
    {AltitudeIncludedName, "altitudeIncludedName",
     marked("window and page", "Altitude in the beacon")},
    {AltitudeName, "altitudeName", marked("window and page", "Altitude")},
    {Meters, "meters", marked("window and page", "meters")},
    {BeaconType, "beaconType", marked("window and page", " Beacon Type ")},
    {NormalForm, "normalForm", marked("window and page", "Normal     (20 chars)")},
    {NormalFormWithAltitude, "normalFormWithAltitude",
     marked("window and page", "Normal     (*29* chars)")},
    {CompressedForm, "compressedForm", marked("window and page", "Compressed (14 chars)")},
    {WriteCoordinates, "writeCoordinates",
     marked("window and page", "&Write coords in GPSless Bcn")},
    {Close, "close", marked("window and page", "&Close")},
    // Below the coordinates: the notations beside the dotted one the caption names.
    {NotationsShown, "notationsShown",
     marked("window and page",
            "Also 45.5025, 45\u00B030.15'N or 45 30.15 N; or a locator (JN45ol) in Latitude")},
    // The Maidenhead square of the position the written text carries.
    {LocatorShown, "locatorShown", marked("window and page", "Locator: %1")},
    {LongitudeFromLocator, "longitudeFromLocator",
     marked("window and page", "the locator in Latitude gives the longitude")},
    // A write the coordinates allowed that still makes no position (no symbol in the form).
    {NothingWritten, "nothingWritten", marked("window and page", "Nothing written: %1.")},
    {AdviceHeading, "adviceHeading", marked("window and page", "Advice: %1")},
    {AdviceGoTo, "adviceGoTo",
     marked("window and page",
            "notes on APRS practice, never refusals; choosing one goes to its field")},
    {SymbolShown, "symbolShown", marked("window and page", "Symbol: %1")},
    {ChooseSymbol, "chooseSymbol", marked("window and page", "S&ymbols\u2026")},
    {ChooseSymbolName, "chooseSymbolName", marked("window and page", "Choose the symbol by name")},
    {SymbolPickerTitle, "symbolPickerTitle",
     marked("window and page", "APRS Symbols - Zelvar Config")},
    {SymbolSearch, "symbolSearch", marked("window and page", "&Search:")},
    {SymbolSearchHint, "symbolSearchHint",
     marked("window and page",
            "a name such as car, balloon, house or digi, or the symbol's character")},
    {SymbolList, "symbolList", marked("window and page", "Symbols")},
    {SymbolNoMatch, "symbolNoMatch", marked("window and page", "No symbol is named \"%1\".")},
    {UseSymbol, "useSymbol", marked("window and page", "&Use symbol")},
    {Cancel, "cancel", marked("window and page", "Cancel")},
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
    return translated(kShownTextContext, kTexts[static_cast<std::size_t>(id)].text);
}

std::string withValue(std::string_view text, std::string_view value) {
    return withArguments(text, {value});
}

std::string noteShown(std::string_view note) {
    constexpr std::string_view kPlainArrow = " -> ";
    std::string shown(note);
    for (std::size_t at = shown.find(kPlainArrow); at != std::string::npos;
         at = shown.find(kPlainArrow, at + 1))
        shown.replace(at, kPlainArrow.size(), shownText(NoteArrow));
    return shown;
}

std::string asSentence(std::string_view reason) {
    // The full stop is the language's: Japanese ends a sentence with "。".
    const std::string_view fullStop = translated("window and page", "%1.");
    std::string_view rest = reason;
    const std::optional<char32_t> first = takeUtf8(rest);
    if (!first)
        return withArguments(fullStop, {reason});
    const bool lower = (*first >= U'a' && *first <= U'z') ||
                       (*first >= U'\u00E0' && *first <= U'\u00FE' && *first != U'\u00F7');
    std::string sentence;
    appendUtf8(sentence, lower ? *first - 0x20 : *first);
    return withArguments(fullStop, {sentence.append(rest)});
}

std::string counterShown(long left) {
    return withValue(shownText(CounterShown), std::to_string(left));
}

std::string counterSpoken(std::size_t most, long left) {
    const std::string leftText =
        withValue(translatedPlural("window and page", "%1 character left", "%1 characters left",
                                   static_cast<unsigned long>(left < 0 ? -left : left)),
                  std::to_string(left));
    return withArguments(translated("window and page", "%1, %2"),
                         {withValue(shownText(AtMostCharacters), std::to_string(most)), leftText});
}

}  // namespace zelvar
