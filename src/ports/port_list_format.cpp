#include "ports/port_list_format.h"

#include <cstdio>

#include "common/ascii.h"
#include "common/json_text.h"

namespace zelvar {
namespace {

std::string jsonValue(std::string_view text) {
    return text.empty() ? "null" : jsonString(text);
}

}  // namespace

std::string deviceDetails(const SerialDevice& device, std::string_view separator) {
    std::string details;
    auto add = [&](std::string_view label, const std::string& value) {
        if (value.empty())
            return;
        if (!details.empty())
            details += separator;
        details += label;
        details += value;
    };
    add("", device.description);
    add("", device.manufacturer);
    add("USB ", device.usbId);
    add("serial number ", device.serialNumber);
    add("", device.stableName);
    return details;
}

std::string portsText(const std::vector<NumberedPort>& ports) {
    std::string text;
    for (const NumberedPort& port : ports) {
        char number[16];
        std::snprintf(number, sizeof number, "%3d", port.number);
        std::string line = number + std::string("  ") + port.device.location;
        if (const std::string details = deviceDetails(port.device); !details.empty())
            line += "  " + details;
        // The adapter's own words: none of their controls, line breaks too, reaches the terminal.
        text += escapedControls(line) + '\n';
    }
    return text;
}

std::string portsJson(const std::vector<NumberedPort>& ports) {
    std::string json = "[";
    for (const NumberedPort& port : ports) {
        const SerialDevice& device = port.device;
        json += json.size() == 1 ? "\n" : ",\n";
        json += "  {\"number\": " + std::to_string(port.number) +
                ", \"name\": " + jsonString(device.name) +
                ", \"location\": " + jsonString(device.location) +
                ", \"description\": " + jsonValue(device.description) +
                ", \"manufacturer\": " + jsonValue(device.manufacturer) +
                ", \"usbId\": " + jsonValue(device.usbId) +
                ", \"serialNumber\": " + jsonValue(device.serialNumber) +
                ", \"stableName\": " + jsonValue(device.stableName) + "}";
    }
    return json + (ports.empty() ? "]\n" : "\n]\n");
}

}  // namespace zelvar
