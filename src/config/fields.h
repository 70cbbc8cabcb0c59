#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "config/device_settings.h"

namespace zelvar {

// Everything the program knows of each field of the settings, one row a field: its name, label
// and texts, what its control takes, its factory default, how the tracker's image holds it, where
// the .cfg file has it and where the form shows it. The builder, the decoder and its
// description, the notes, the .cfg reader and writer, the input rules and both forms (the
// window's and the page's) read them here, so that a field is described once.

// Where the record holds the field's value: a text, a number (a flag or a list index), or one
// band of the speed table.
struct FieldValue {
    std::string DeviceSettings::*text = nullptr;
    int DeviceSettings::*number = nullptr;
    int band = -1;
};

// What the field's control is and takes.
enum class Input : std::uint8_t {
    Digits,  // a masked field of digit positions, "_" in each unfilled one
    Text,    // free text up to its length
    Symbol,  // one masked position of any character
    Flag,    // a check box: 0 or 1
    Choice,  // a list: the index of its entry
};

// Which characters a text field takes; the input rules turn each into its codes.
enum class Characters : std::uint8_t {
    None,
    Digits,
    Callsign,  // letters (raised), digits and the dash before the SSID
    Path,      // callsigns and the comma between them
    Beacon,    // printable ASCII but quotes and braces; in GPSless Mode quotes and "{" too
    Message,   // printable ASCII but "{" and "|"
    Any,       // every printable character a setting can hold ("_" too, in the symbol)
};

struct FieldInput {
    Input kind;
    std::uint8_t length = 0;  // characters or digit positions; 0 for flags and lists
    Characters characters = Characters::None;
    bool selectAllOnFocus = false;  // entering the field selects its whole content
    bool typedChoice = false;       // a list that also takes typed text, which chooses no entry
};

// How the image holds the field.
enum class Codec : std::uint8_t {
    None,         // not in the image: the serial link's settings
    Digits,       // a digit text's number as one byte, in the byte's unit
    Bits,         // a flag's or a list index's bits of a byte shared with other fields
    Character,    // one character's code
    SymbolTable,  // '\' for the alternate table, '/' for the primary one
    Callsign,     // a 7-byte callsign entry
    Path,         // the digipeater path: up to two callsign entries, then a 0
    Text,         // characters, then a 0
};

// What one step of a digit field's byte stands for.
enum class ByteUnit : std::uint8_t {
    Count,          // the number itself
    Transmissions,  // beacons between two comments
    TenthsSecond,   // 100 ms, as the field shows it
    TensOfSeconds,  // the field's seconds in tens
    Flags,          // the field's milliseconds as flags of 1/0.15 ms
};

// A digit field's number as its byte's value, before rounding, and what a byte stands for.
double toByte(ByteUnit unit, double number);
double fromByte(ByteUnit unit, double byte);

struct FieldImage {
    Codec codec = Codec::None;
    std::uint8_t offset = 0;
    std::uint8_t mask = 0xFF;  // the bits of the byte that hold the value
    ByteUnit unit = ByteUnit::Count;
    std::optional<std::uint8_t> least;  // a digit field's number below it is raised to it
    std::optional<std::uint8_t> most;   // and one above it lowered to it, before the encoding
    std::string_view prefix;            // a text's fixed start: "AA:"
    bool describedNegated = false;      // described by what a clear flag means
};

// How the .cfg file holds an item.
enum class CfgKind : std::uint8_t {
    Text,            // the text as it stands
    CheckState,      // a check box's state, 0, 1 or 2 (greyed)
    ListIndex,       // a list's index, -1 for none
    Options,         // the option byte's fields (Mic-E index and flags) as one integer
    CommentAndFlag,  // the comment interval with the received-position flag, as one number
};

struct CfgPlace {
    std::int8_t item = -1;   // the item's place among the file's items, from 0; -1: not there
    std::uint8_t line = 0;   // the line Save writes it on, from 1
    std::uint8_t group = 0;  // Load applies the items a group at a time
    CfgKind kind = CfgKind::Text;
    std::string_view name;  // in Load's messages: "TX delay"
};

// The form's groups. The timing group has no fields of its own: its sub-groups hold them, two
// in each of its columns; the second column's last one has no frame.
enum class FormGroup : std::uint8_t {
    Main,
    Timing,
    ManualTiming,
    Gps,
    AutomaticTiming,
    TimingSwitches,
    Message,
    Programming,
};

enum class LabelPlace : std::uint8_t {
    Beside,  // left of the field
    Above,   // on a line of its own above the field's line
    None,    // a check box, which carries its label as its caption
};

// A text field's counter of the characters it still takes.
enum class CounterPlace : std::uint8_t {
    None,
    Below,   // just below the field's right end, at the end of the next line
    Beside,  // right of the field
};

struct FormPlace {
    FormGroup group;
    std::uint8_t line;
    bool pushed = false;   // at the far end of its line
    bool gpsOnly = false;  // shown in the GPS display only
    LabelPlace label = LabelPlace::Beside;
    std::uint8_t width = 0;  // characters wide; 0: a digit field as its digits, a text the line
    CounterPlace counter = CounterPlace::None;
    bool noteBelow = false;  // the GPSless Mode note stands below it
    bool bold = false;
    std::uint8_t tab = 0;  // its place in the window's keyboard order
};

// The field's words, where the form shows more than its label.
struct FieldTexts {
    std::string_view shownLabel;  // beside the field, when not its label: "Every"
    std::string_view caption;     // on a line above the field's line: "Acquisition interval"
    std::string_view spokenName;  // a screen reader's name, when not the label
    std::string_view unit;        // right of the field: "mS"
    std::string_view spokenUnit;  // the unit or limit a screen reader says: "milliseconds"
    std::string_view hint;        // shown when the pointer rests on the field
};

// The object names of the window's controls for the field, which other windows, Save, Load and
// the tests find them by.
struct WindowNames {
    std::string_view control;  // "edNumFlagsAuto"
    std::string_view label;    // "Label12"
    std::string_view unit;     // "Label32"
    std::string_view counter;  // "Label34"
    std::string_view note;     // "Label33"
};

struct FieldRow {
    Field field;
    std::string_view name;   // "txDelay": its name in the API, the page's ids and messages
    std::string_view label;  // "TX DELAY": beside the field and in messages about it
    FieldValue value;
    FieldInput input;
    std::string_view initialText;               // the factory default of a text
    int initialNumber = 0;                      // of a flag or list
    std::span<const std::string_view> choices;  // a list's entries
    FieldImage image;
    std::string_view described;  // "TX delay": the decoder's name; empty: part of the row before
    CfgPlace cfg;
    FormPlace form;
    FieldTexts texts;
    WindowNames window;
};

// The rows in the order the decoder describes the image: by the bytes they fill, the
// acquisition timeout beside the acquisition interval.
// The catalogue's contexts of the table's texts, as fields.cpp marks them: a reader shows a text
// as translated(kFieldLabelContext, row.label).
inline constexpr std::string_view kFieldLabelContext = "field label";
inline constexpr std::string_view kFieldCaptionContext = "field caption";
inline constexpr std::string_view kFieldSpokenContext = "field spoken";
inline constexpr std::string_view kFieldUnitContext = "field unit";
inline constexpr std::string_view kFieldHintContext = "field hint";
inline constexpr std::string_view kCfgItemContext = "cfg item";
inline constexpr std::string_view kFormGroupContext = "form group";
inline constexpr std::string_view kFormButtonContext = "form button";

std::span<const FieldRow> fieldRows();
const FieldRow& fieldRow(Field field);

// The form's groups in the order they are shown: their captions and where the timing group's
// sub-groups stand.
struct FormGroupInfo {
    FormGroup group;
    std::string_view name;     // "main": the page's
    std::string_view caption;  // empty: no frame
    FormGroup parent;          // itself for a group of the form
    int column = 0;            // the column of the parent group it stands in
    bool table = false;        // its lines' labels, fields and units stand in columns
    bool labelColumn = false;  // the labels at its lines' starts stand in a column of their own
};
std::span<const FormGroupInfo> formGroups();
const FormGroupInfo& formGroupInfo(FormGroup group);

// The buttons both forms show among the fields, with their captions ("&" before the letter Alt
// presses them with) and their places.
enum class FormAction : std::uint8_t { Calculator, Defaults, Save, Load, Send, Help };
inline constexpr std::size_t kFormActionCount = 6;
struct FormActionInfo {
    FormAction action;
    std::string_view name;     // "send": the page's id
    std::string_view caption;  // "S&END"
    std::string_view object;   // "cmdSend": the window's object name
    FormGroup group;
    std::uint8_t line;
    bool pushed = false;
    bool gpslessOnly = false;     // shown in the GPSless display only
    std::uint8_t linesAbove = 0;  // in the window, it reaches up over this many lines
    std::string_view shortcut;    // a key that does the same: "Ctrl+S"
    std::uint8_t tab = 0;         // its place in the window's keyboard order
};
std::span<const FormActionInfo> formActions();
const FormActionInfo& formAction(FormAction action);

// The image bytes the field fills from its offset on; a text's include those after its 0, up to
// the most it can hold, so that the fields tile the image.
std::size_t imageBytes(const FieldRow& row);

// The first image byte no field holds: from there on the image is spare, always 0.
std::size_t spareOffset();

}  // namespace zelvar
