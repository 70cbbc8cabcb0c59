#include "setting_rows.h"

#include <iomanip>
#include <ostream>

#include "cfg/cfg_encoding.h"
#include "common/ascii.h"
#include "config/image_description.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

// Wider than the longest setting name, "Acquisition timeout".
constexpr int kNameColumn = 22;

}  // namespace

void printSettingRow(std::ostream& out, std::string_view name, const std::string& value) {
    // The description is UTF-8, the tracker's Latin-1 in it too: controls escaped.
    out << std::left << std::setw(kNameColumn) << name << escapedControls(value) << "\n";
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
