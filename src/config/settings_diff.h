#pragma once

#include <string>
#include <vector>

#include "config/config_image.h"
#include "config/device_settings.h"

namespace zelvar {

// A tracker setting that two records send differently, in the decoder's terms.
struct SettingDifference {
    std::string name;    // "TX delay"
    std::string first;   // its value in the first record's image: "200 ms (30 flags)"
    std::string second;  // and in the second's
};

struct SettingsDiff {
    BuildResult first;       // each build on a copy: success, or the field and reason it failed
    BuildResult second;      // the second build runs even when the first failed
    bool sameBytes = false;  // both built into the same image, so the same 170 bytes go on the line
    std::vector<SettingDifference> differences;  // every differing setting, when both built
};

// Builds both records on copies, as SEND would, and compares what the tracker would get.
SettingsDiff diffSettings(const DeviceSettings& first, const DeviceSettings& second);

}  // namespace zelvar
