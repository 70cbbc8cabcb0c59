#include "config/settings_diff.h"

#include "config/image_decoder.h"
#include "config/image_description.h"

namespace zelvar {

SettingsDiff diffSettings(const DeviceSettings& first, const DeviceSettings& second) {
    SettingsDiff diff;
    DeviceSettings firstCopy = first;
    DeviceSettings secondCopy = second;
    ConfigImage firstImage{};
    ConfigImage secondImage{};
    diff.first = buildConfigImage(firstCopy, firstImage);
    diff.second = buildConfigImage(secondCopy, secondImage);
    if (!diff.first || !diff.second) {
        return diff;
    }
    diff.sameBytes = firstImage == secondImage;
    const std::vector<TrackerSetting> a = describeImage(firstImage, decodeImage(firstImage));
    const std::vector<TrackerSetting> b = describeImage(secondImage, decodeImage(secondImage));
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].value != b[i].value) {
            diff.differences.push_back({a[i].name, a[i].value, b[i].value});
        }
    }
    return diff;
}

}  // namespace zelvar
