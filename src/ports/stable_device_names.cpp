#include "ports/stable_device_names.h"

#include <map>

namespace zelvar {

void addStableNames(const PortSystem& system, std::vector<SerialDevice>& devices) {
    std::map<std::string, std::string, std::less<>> byTarget;
    for (const std::string& entry : system.entries(kStableNameFolder)) {
        const std::string link = std::string(kStableNameFolder) + "/" + entry;
        const std::optional<std::string> target = system.realPath(link);
        if (!target)
            continue;
        // Should two lead there, the name first in sorted order, whatever order the folder
        // lists them in, so that the same adapter always shows the same name.
        if (auto [known, added] = byTarget.emplace(*target, link); !added && link < known->second)
            known->second = link;
    }
    if (byTarget.empty())
        return;
    for (SerialDevice& device : devices) {
        const std::optional<std::string> resolved = system.realPath(device.location);
        if (!resolved)
            continue;
        if (auto found = byTarget.find(*resolved); found != byTarget.end())
            device.stableName = found->second;
    }
}

}  // namespace zelvar
