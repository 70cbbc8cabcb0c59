#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "text/translation.h"

namespace zelvar {

// Everything the user configures for the tracker, as the main window holds it: texts exactly as
// the fields show them (digit fields keep leading zeros, "0600"), flags 0/1 and list indexes.
// Texts hold one byte per character (Latin-1).
struct DeviceSettings {
    std::string myCall;
    std::string path;
    std::string beacon;
    std::string symbol;
    int alternateTable = 0;
    std::string txDelay;
    int micEMessage = 0;  // 0..7, -1 when typed text left no entry selected
    std::string commentEvery;
    int hideReceivedPositions = 0;
    std::string fixedInterval;
    std::array<std::string, 7> speedIntervals;
    std::string acquisitionInterval;
    std::string acquisitionTimeout;
    int modem300 = 0;
    std::string messageTo;
    std::string message;
    std::string messageRetries;
    int autoAnswerOn = 0;
    std::string autoAnswer;
    std::string portNumber;
    int baudRate = 0;  // index into kBaudRates, -1 when none is chosen

    bool operator==(const DeviceSettings&) const = default;
};

// The calculator's inputs that travel in the .cfg beside the settings.
struct CalculatorInputs {
    std::string latitude = "00.00.00";   // txtLat
    std::string longitude = "00.00.00";  // txtLng
    int centChecked = 1;                 // chkCent: Grad.Min.Cent notation
    std::string altitude = "0";          // txtAlt, metres
    int altitudeChecked = 0;             // chkAlt
    bool normalForm = false;             // optLLtoNorm selected, else optLLtoComp

    bool operator==(const CalculatorInputs&) const = default;
};

// Puts the factory defaults into every field.
void applyDefaults(DeviceSettings& settings);
DeviceSettings defaultSettings();

inline constexpr std::array<std::string_view, 8> kMicEMessages = {
    "Off Duty",  "En Route", "In Service", "Returning",
    "Committed", "Special",  "Priority",   "Emergency"};

inline constexpr std::array<std::string_view, 3> kBaudRates = {"4800", "9600", "38400"};

inline constexpr std::array<std::string_view, 7> kSpeedBands = {
    marked("field label", "Speed 0-3 Km/h"),   marked("field label", "Speed 4-9 Km/h"),    marked("field label", "Speed 10-22 Km/h"), marked("field label", "Speed 23-40 Km/h"),
    marked("field label", "Speed 41-72 Km/h"), marked("field label", "Speed 73-125 Km/h"), marked("field label", "Speed > 125 Km/h")};

// Every field of the record, for error reports and for finding the control that shows it.
enum class Field {
    MyCall,
    Path,
    Beacon,
    Symbol,
    AlternateTable,
    TxDelay,
    MicEMessage,
    CommentEvery,
    HideReceivedPositions,
    FixedInterval,
    SpeedInterval0,
    SpeedInterval1,
    SpeedInterval2,
    SpeedInterval3,
    SpeedInterval4,
    SpeedInterval5,
    SpeedInterval6,
    AcquisitionInterval,
    AcquisitionTimeout,
    Modem300,
    MessageTo,
    Message,
    MessageRetries,
    AutoAnswerOn,
    AutoAnswer,
    PortNumber,
    BaudRate,
};

inline constexpr std::size_t kFieldCount = static_cast<std::size_t>(Field::BaudRate) + 1;

Field speedIntervalField(int band);

// The text a field holds, or null for the flags and list indexes.
std::string* fieldText(DeviceSettings& settings, Field field);
const std::string* fieldText(const DeviceSettings& settings, Field field);
// The number a flag or list holds, or null for the texts.
int* fieldNumber(DeviceSettings& settings, Field field);
const int* fieldNumber(const DeviceSettings& settings, Field field);

// "myCall", "speedInterval3", ...: the field table's names.
std::string_view fieldName(Field field);
// The label the user sees beside the field: "MY CALLSIGN", marked("field label", "Speed 23-40 Km/h"), ...
std::string_view fieldLabel(Field field);
// Longest text the field takes (characters, or digit positions), 0 for flags and lists.
std::size_t maxLength(Field field);

}  // namespace zelvar
