#include "ports/udev_claims.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "common/ascii.h"
#include "ports/finding_words.h"
#include "text/translation.h"

namespace zelvar {
namespace {

// In the order udev reads them: a file in an earlier folder hides one of the same name later.
constexpr const char* kRuleFolders[] = {"/etc/udev/rules.d", "/run/udev/rules.d",
                                        "/lib/udev/rules.d", "/usr/lib/udev/rules.d"};

constexpr const char* kBrlttyPrograms[] = {"/usr/bin/brltty", "/bin/brltty", "/usr/sbin/brltty",
                                           "/sbin/brltty"};

struct Adapter {
    const char* usbId;
    const char* chip;
};

// USB serial chips that braille displays are built on too.
constexpr Adapter kCommonAdapters[] = {{"1a86:7523", "CH340"},
                                       {"1a86:5523", "CH341"},
                                       {"10c4:ea60", "CP210x"},
                                       {"0403:6001", "FT232R"},
                                       {"067b:2303", "PL2303"}};

// The hex number at `at` in `text` (udev writes ids with or without leading zeros); -1 if none.
long hexAt(const std::string& text, std::size_t at) {
    std::size_t end = at;
    long value = 0;
    while (end < text.size() && end - at < 4 && hexDigitValue(text[end]) >= 0)
        value = value * 16 + hexDigitValue(text[end++]);
    return end == at ? -1 : value;
}

// The value after `key=="` in a lower-cased rule line, as a hex number; -1 if none.
long matchedHex(const std::string& line, std::string_view key) {
    const std::size_t at = line.find(std::string(key) + "==\"");
    return at == std::string::npos ? -1 : hexAt(line, at + key.size() + 3);
}

// The vendor:product a rule line matches: ENV{PRODUCT}=="1a86/7523/*" or the ATTRS pair.
std::optional<std::string> matchedUsbId(const std::string& line) {
    if (const std::size_t at = line.find("env{product}==\""); at != std::string::npos) {
        const long vendor = hexAt(line, at + 15);
        const std::size_t slash = line.find('/', at + 15);
        const long product = slash == std::string::npos ? -1 : hexAt(line, slash + 1);
        if (vendor >= 0 && product >= 0)
            return usbIdText(static_cast<unsigned>(vendor), static_cast<unsigned>(product));
    }
    const long vendor = matchedHex(line, "{idvendor}");  // ATTR or ATTRS
    const long product = matchedHex(line, "{idproduct}");
    if (vendor >= 0 && product >= 0)
        return usbIdText(static_cast<unsigned>(vendor), static_cast<unsigned>(product));
    return std::nullopt;
}

// Every rules file udev reads, by name.
std::map<std::string, std::string> ruleFiles(const PortSystem& system) {
    std::map<std::string, std::string> files;
    for (const char* folder : kRuleFolders) {
        for (const std::string& name : system.entries(folder)) {
            if (name.ends_with(".rules"))
                files.emplace(name, std::string(folder) + "/" + name);
        }
    }
    return files;
}

// The USB ids that active brltty rules take.
std::set<std::string> brlttyIds(const PortSystem& system) {
    std::set<std::string> ids;
    for (const auto& [name, path] : ruleFiles(system)) {
        const bool brlttyFile = asciiLowered(name).find("brltty") != std::string::npos;
        std::istringstream lines(system.text(path).value_or(""));
        for (std::string line; std::getline(lines, line);) {
            line = asciiLowered(line);
            const std::size_t start = line.find_first_not_of(" \t");
            if (start == std::string::npos || line[start] == '#')
                continue;
            if (!brlttyFile && line.find("brltty") == std::string::npos)
                continue;
            if (std::optional<std::string> id = matchedUsbId(line))
                ids.insert(*id);
        }
    }
    return ids;
}

bool modemManagerRuns(const PortSystem& system) {
    for (const std::string& entry : system.entries("/proc")) {
        if (!isAllDigits(entry))
            continue;
        if (system.text("/proc/" + entry + "/comm") == "ModemManager\n")
            return true;
    }
    return false;
}

bool ignoredByModemManager(const PortSystem& system, const PathStatus& status) {
    const std::string data = system
                                 .text("/run/udev/data/c" + std::to_string(status.major) + ":" +
                                       std::to_string(status.minor))
                                 .value_or("");
    return ("\n" + data).find("\nE:ID_MM_DEVICE_IGNORE=1\n") != std::string::npos;
}

}  // namespace

std::optional<Finding> brlttyFinding(const PortSystem& system, const SerialDevice& device,
                                     bool missing) {
    const std::string_view name = baseName(device.location);
    const bool mayBeUsb = !device.usbId.empty() || device.location.empty() ||
                          name.starts_with("ttyUSB") || name.starts_with("ttyACM");
    if (!mayBeUsb || (!missing && device.usbId.empty()))
        return std::nullopt;
    if (std::ranges::none_of(kBrlttyPrograms,
                             [&](const char* path) { return system.status(path).has_value(); }))
        return std::nullopt;
    const std::set<std::string> ids = brlttyIds(system);
    std::string claimed;
    if (ids.contains(device.usbId)) {
        claimed = withArguments(translated("port doctor", "this adapter's id %1"), {device.usbId});
    } else if (missing) {
        for (const Adapter& adapter : kCommonAdapters) {
            if (!ids.contains(adapter.usbId))
                continue;
            const std::string named = std::string(adapter.usbId) + " (" + adapter.chip + ")";
            claimed = claimed.empty()
                          ? named
                          : withArguments(translated("port doctor", "%1, %2"), {claimed, named});
        }
        if (!claimed.empty())
            claimed = withArguments(translated("port doctor", "ids such as %1"), {claimed});
    }
    if (claimed.empty())
        return std::nullopt;
    return Finding{FindingKind::BrlttyClaims, false,
                   withArguments(translated("port doctor",
                                            "brltty, a driver for braille displays, is "
                                            "installed, and its udev rules claim USB serial "
                                            "adapters with %1: brltty takes such an adapter "
                                            "when it is plugged in, and its ttyUSB device "
                                            "vanishes. Unless a braille display is used here, "
                                            "remove brltty and plug the adapter in again."),
                                 {claimed}),
                   "sudo apt remove brltty"};
}

std::optional<Finding> modemManagerFinding(const PortSystem& system, const SerialDevice& device,
                                           const PathStatus& status) {
    const std::string canonical = system.realPath(device.location).value_or(device.location);
    const std::string_view name = baseName(canonical);
    if (!name.starts_with("ttyACM") || ignoredByModemManager(system, status) ||
        !modemManagerRuns(system))
        return std::nullopt;
    std::string match = "KERNEL==\"" + std::string(name) + "\"";
    if (device.usbId.size() == 9) {
        match = "ATTRS{idVendor}==\"" + device.usbId.substr(0, 4) + "\", ATTRS{idProduct}==\"" +
                device.usbId.substr(5) + "\"";
    }
    return Finding{FindingKind::ModemManagerProbes, false,
                   withArguments(translated("port doctor",
                                            "ModemManager is running and sends modem commands "
                                            "to ttyACM devices such as %1 when they appear, "
                                            "which holds the port for a while and can confuse "
                                            "the tracker: the fix adds a udev rule that tells it "
                                            "to leave this one alone."),
                                 {device.location}),
                   "echo '" + match +
                       ", ENV{ID_MM_DEVICE_IGNORE}=\"1\"' | sudo tee "
                       "/etc/udev/rules.d/70-zelvar-no-modemmanager.rules && sudo udevadm "
                       "control --reload-rules && sudo udevadm trigger"};
}

}  // namespace zelvar
