#include "setting_rows.h"

#include <ostream>

#include "cfg/cfg_encoding.h"
#include "common/ascii.h"
#include "common/utf8.h"
#include "config/image_description.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

// Wider than the longest setting name, "Acquisition timeout".
constexpr std::size_t kNameColumn = 22;

// The columns a terminal gives `text`: one a character, two for the wide ones of East Asian
// scripts (from Hangul Jamo on, below the surrogates and the half-width forms).
std::size_t terminalWidth(std::string_view text) {
    std::size_t width = 0;
    while (!text.empty()) {
        const std::optional<char32_t> c = takeUtf8(text);
        if (!c) {
            text.remove_prefix(1);
            ++width;
            continue;
        }
        const bool wide = (*c >= 0x1100 && *c <= 0x115F) || (*c >= 0x2E80 && *c <= 0xA4CF) ||
                          (*c >= 0xAC00 && *c <= 0xD7A3) || (*c >= 0xF900 && *c <= 0xFAFF) ||
                          (*c >= 0xFF00 && *c <= 0xFF60) || (*c >= 0xFFE0 && *c <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

}  // namespace

void printSettingRow(std::ostream& out, std::string_view name, const std::string& value) {
    // The names in the user's language, columns counted as a terminal shows them; the description
    // is UTF-8, the tracker's Latin-1 in it too: controls escaped.
    const std::size_t width = terminalWidth(name);
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
