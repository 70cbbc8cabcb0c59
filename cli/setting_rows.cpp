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
    // The tracker's texts are Latin-1: shown in the terminal's UTF-8, controls escaped.
    out << std::left << std::setw(kNameColumn) << name << escapedControls(latin1ToUtf8(value))
        << "\n";
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
