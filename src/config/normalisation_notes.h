#pragma once

#include <string>
#include <vector>

#include "config/config_image.h"
#include "config/device_settings.h"

namespace zelvar {

// A field whose value goes to the tracker differently from how the form holds it.
struct NormalisationNote {
    Field field;
    std::string text;  // UTF-8: "TX DELAY 010 -> sent as 4 flags, 027 ms"
};

// Compares the form (`held`) with the record a successful build left (`sent`), the image it
// made and the settings that image holds (`got`, as decodeImage reads them). Only changes of
// meaning count: "8" sent as "08" is no note, "010" sent as "027" is. In GPSless Mode the
// acquisition interval is noted too, as the tracker gets the GPSless marker instead. A text that
// holds hidden characters (the invisible soft hyphen in "NOC\xADALL-9") is noted even when it goes
// out as it stands; notes show such characters escaped and name them.
std::vector<NormalisationNote> normalisationNotes(const DeviceSettings& held,
                                                  const DeviceSettings& sent,
                                                  const ConfigImage& image,
                                                  const DeviceSettings& got);

}  // namespace zelvar
