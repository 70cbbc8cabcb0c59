#include "config/device_settings.h"

namespace zelvar {
namespace {

struct FieldInfo {
    std::string_view name;
    std::string_view label;
    std::size_t maxLength;
};

// Indexed by Field.
constexpr std::array<FieldInfo, kFieldCount> kFields = {{
    {"MyCall", "MY CALLSIGN", 9},
    {"AprsPath", "APRS PATH", 19},
    {"Beacon", "COMMENT", 35},
    {"Symbol", "ICON Symbol", 1},
    {"AltTable", "Alternate Table", 0},
    {"NumFlagsAuto", "TX DELAY", 3},
    {"MicEMsg", "Mic-E msg", 0},
    {"BcnEvery", "Comment every", 3},
    {"RxPosition", "Disable display position of received stations", 0},
    {"ManualTime", "Manual Timing", 4},
    {"SpeedTable[0]", kSpeedBands[0], 4},
    {"SpeedTable[1]", kSpeedBands[1], 4},
    {"SpeedTable[2]", kSpeedBands[2], 3},
    {"SpeedTable[3]", kSpeedBands[3], 3},
    {"SpeedTable[4]", kSpeedBands[4], 3},
    {"SpeedTable[5]", kSpeedBands[5], 3},
    {"SpeedTable[6]", kSpeedBands[6], 3},
    {"GpsCheckTime", "Acquisition interval", 3},
    {"GpsAcqTime", "Acquisition timeout", 3},
    {"Baud300", "300 Baud Modem Speed", 0},
    {"DestCall", "APRS message TO CALL", 9},
    {"AprsMsg", "Message", 38},
    {"MsgRepeat", "Msg Retries", 2},
    {"AutoReply", "Enable Auto Answer", 0},
    {"AutoReplyMsg", "Auto Answer", 30},
    {"CommPort", "Comm num:", 1},
    {"BaudRate", "Baud:", 0},
}};

const FieldInfo& info(Field field) {
    return kFields[static_cast<std::size_t>(field)];
}

}  // namespace

void applyDefaults(DeviceSettings& s) {
    s.commPort = "1";
    s.baudRate = 0;
    s.numFlagsAuto = "200";
    s.msgRepeat = "08";
    s.micEMsg = 0;
    s.symbol = ">";
    s.altTable = 0;
    s.rxPosition = 0;
    s.speedTable = {"0480", "0360", "250", "180", "130", "110", "090"};
    s.manualTime = "0600";
    s.bcnEvery = "003";
    s.gpsCheckTime = "100";
    s.gpsAcqTime = "025";
    s.myCall = "NOCALL-9";
    s.aprsPath = "WIDE1-1,WIDE2-2";
    s.beacon = "Zelvar, version 4.0 - by QX9ABC Pim";
    s.destCall = "NOCALL";
    s.aprsMsg = "Message sent using Zelvar, version 4.0";
    s.autoReplyMsg = "Msg received,i will reply soon";
    s.autoReply = 0;
    s.baud300 = 0;
}

DeviceSettings defaultSettings() {
    DeviceSettings settings;
    applyDefaults(settings);
    return settings;
}

Field speedTableField(int band) {
    return static_cast<Field>(static_cast<int>(Field::SpeedTable0) + band);
}

std::string* fieldText(DeviceSettings& s, Field field) {
    switch (field) {
        case Field::MyCall:
            return &s.myCall;
        case Field::AprsPath:
            return &s.aprsPath;
        case Field::Beacon:
            return &s.beacon;
        case Field::Symbol:
            return &s.symbol;
        case Field::NumFlagsAuto:
            return &s.numFlagsAuto;
        case Field::BcnEvery:
            return &s.bcnEvery;
        case Field::ManualTime:
            return &s.manualTime;
        case Field::SpeedTable0:
        case Field::SpeedTable1:
        case Field::SpeedTable2:
        case Field::SpeedTable3:
        case Field::SpeedTable4:
        case Field::SpeedTable5:
        case Field::SpeedTable6:
            return &s.speedTable[static_cast<std::size_t>(field) -
                                 static_cast<std::size_t>(Field::SpeedTable0)];
        case Field::GpsCheckTime:
            return &s.gpsCheckTime;
        case Field::GpsAcqTime:
            return &s.gpsAcqTime;
        case Field::DestCall:
            return &s.destCall;
        case Field::AprsMsg:
            return &s.aprsMsg;
        case Field::MsgRepeat:
            return &s.msgRepeat;
        case Field::AutoReplyMsg:
            return &s.autoReplyMsg;
        case Field::CommPort:
            return &s.commPort;
        case Field::AltTable:
        case Field::MicEMsg:
        case Field::RxPosition:
        case Field::Baud300:
        case Field::AutoReply:
        case Field::BaudRate:
            return nullptr;
    }
    return nullptr;
}

const std::string* fieldText(const DeviceSettings& s, Field field) {
    return fieldText(const_cast<DeviceSettings&>(s), field);
}

std::string_view fieldName(Field field) {
    return info(field).name;
}
std::string_view fieldLabel(Field field) {
    return info(field).label;
}
std::size_t maxLength(Field field) {
    return info(field).maxLength;
}

}  // namespace zelvar
