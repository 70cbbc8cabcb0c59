#include "setting_rows.h"

#include <ostream>

#include "cfg/cfg_encoding.h"
#include "common/ascii.h"
#include "config/image_description.h"
#include "terminal_columns.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

// Wider than the longest English setting name, "Acquisition timeout".
constexpr std::size_t kEnglishNameColumn = 22;

}  // namespace

std::size_t settingNameColumn(std::size_t longestName) {
    return std::max(kEnglishNameColumn, longestName + 1);
}

void printSettingRow(std::ostream& out, std::string_view name, const std::string& value,
                     std::size_t column) {
    // The description is UTF-8, the tracker's Latin-1 in it too: controls escaped.
    out << name << std::string(column - std::min(column - 1, terminalColumns(name)), ' ')
        << escapedControls(value) << "\n";
}

void printImageSettings(std::ostream& out, const ConfigImage& image) {
    const std::vector<TrackerSetting> settings = describeImage(image, decodeImage(image));
    const std::size_t column = settingNameColumn(settings);
    for (const TrackerSetting& setting : settings)
        printSettingRow(out, setting.name, setting.value, column);
}

void printGoodWire(std::ostream& out, const ConfigImage& image) {
    out << translated("cli", "Wire bytes: 170, lead-ins and checksums correct") << "\n";
    printImageSettings(out, image);
}

}  // namespace zelvar::cli
