#include "setting_rows.h"

#include <ostream>

#include "cfg/cfg_encoding.h"
#include "common/ascii.h"
#include "config/image_description.h"
#include "terminal_columns.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

// Wider than the longest setting name, "Acquisition timeout".
constexpr std::size_t kNameColumn = 22;

}  // namespace

void printSettingRow(std::ostream& out, std::string_view name, const std::string& value) {
    // The names in the user's language, columns counted as a terminal shows them; the description
    // is UTF-8, the tracker's Latin-1 in it too: controls escaped.
    const std::size_t width = terminalColumns(name);
    out << name << std::string(width < kNameColumn ? kNameColumn - width : 1, ' ')
        << escapedControls(value) << "\n";
}

void printImageSettings(std::ostream& out, const ConfigImage& image) {
    for (const TrackerSetting& setting : describeImage(image, decodeImage(image)))
        printSettingRow(out, setting.name, setting.value);
}

void printGoodWire(std::ostream& out, const ConfigImage& image) {
    out << translated("cli", "Wire bytes: 170, lead-ins and checksums correct") << "\n";
    printImageSettings(out, image);
}

}  // namespace zelvar::cli
