#pragma once

#include <string>

#include "config/config_image.h"
#include "config/device_settings.h"

namespace zelvar {

// What a tracker gets from an image, read back into the settings the window would show after
// the build that made it. The serial link settings (CommPort, BaudRate) are not in the image
// and keep their defaults.
struct DecodedImage {
    DeviceSettings settings;
    bool gpsless = false;  // acquisition timeout 0: byte 5 carries the GPSless marker
    int txDelayFlags = 0;  // byte 0 as sent
    int spareNonZero = 0;  // count of non-zero bytes in the spare area
};

DecodedImage decodeImage(const ConfigImage& image);

// The callsign entry at `start` as its bytes hold it: the call without the spaces after it (those
// before it stay), then "-SSID" unless its SSID character is '0'; one below '0' gives "AB--1".
std::string imageCallsign(const ConfigImage& image, std::size_t start);

// The characters from `start` up to the next 0 byte, or the image's end.
std::string imageText(const ConfigImage& image, std::size_t start);

}  // namespace zelvar
