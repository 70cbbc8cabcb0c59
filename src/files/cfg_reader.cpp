#include "files/cfg_reader.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "config/text_number.h"
#include "files/cfg_tokenizer.h"

namespace zelvar {
namespace {

struct ItemPlace {
    int line;
    std::string_view content;
};

// What Save writes at each of the 29 positions, for messages that point at the right item.
constexpr std::array<ItemPlace, 29> kItems = {{
    {1, "Comm num"},
    {1, "TX delay"},
    {1, "Msg retries"},
    {1, "Mic-E and flags"},
    {1, "Symbol"},
    {1, "Alternate Table"},
    {2, "Speed table 0"},
    {3, "Speed table 1"},
    {4, "Speed table 2"},
    {5, "Speed table 3"},
    {6, "Speed table 4"},
    {7, "Speed table 5"},
    {8, "Speed table 6"},
    {9, "Manual timing"},
    {9, "Comment every and flag"},
    {9, "Acquisition timeout"},
    {9, "My callsign"},
    {9, "APRS path"},
    {9, "Comment"},
    {9, "Message to call"},
    {9, "Message"},
    {10, "Latitude"},
    {10, "Longitude"},
    {10, "Grad.Min.Cent check box"},
    {10, "Altitude"},
    {10, "Altitude check box"},
    {10, "Position format"},
    {11, "Auto answer"},
    {12, "Baud"},
}};

class Loader {
  public:
    Loader(std::istream& in, DeviceSettings& s, CalculatorInputs& c) : tokens_(in), s_(s), c_(c) {}

    LoadResult run() {
        if (readGroup(6) && applyStationLine() && readGroup(7) && applySpeedTable() &&
            readGroup(8) && applyBeaconLine() && readGroup(8)) {
            applyCalculatorAndRest();
        }
        return result_;
    }

  private:
    bool readGroup(std::size_t count) {
        group_.clear();
        groupStart_ = itemsRead_;
        for (std::size_t i = 0; i < count; ++i) {
            auto read = tokens_.next();
            if (auto* error = std::get_if<CfgTokenizer::Error>(&read)) {
                return fail(itemsRead_, error->reason);
            }
            group_.push_back(std::get<CfgItem>(std::move(read)));
            ++itemsRead_;
        }
        return true;
    }

    bool fail(std::size_t index, std::string_view why) {
        const ItemPlace& place = kItems[index];
        result_.ok = false;
        result_.message = "Item " + std::to_string(index + 1) + " (line " +
                          std::to_string(place.line) + ", " + std::string(place.content) +
                          "): " + std::string(why);
        return false;
    }

    const CfgItem& item(std::size_t i) const { return group_[i]; }
    std::size_t index(std::size_t i) const { return groupStart_ + i; }
    std::string quoteOf(std::size_t i) const { return "\"" + item(i).text + "\""; }

    std::optional<int> integer(std::size_t i) {
        std::optional<int> value = itemAsInteger(item(i));
        if (!value)
            fail(index(i), quoteOf(i) + " is not a whole number in -32768..32767");
        return value;
    }

    std::optional<int> leadingInteger(std::size_t i) {
        std::optional<int> value = itemLeadingInteger(item(i));
        if (!value)
            fail(index(i), quoteOf(i) + " is out of the range -32768..32767");
        return value;
    }

    // Check boxes take 0, 1 or 2 (greyed).
    bool checkState(std::size_t i, int& target) {
        std::optional<int> value = integer(i);
        if (!value)
            return false;
        if (*value < 0 || *value > 2) {
            return fail(index(i), std::to_string(*value) + " is not a check state (0, 1 or 2)");
        }
        target = *value;
        return true;
    }

    bool applyStationLine() {
        s_.commPort = itemAsText(item(0));
        s_.numFlagsAuto = itemAsText(item(1));
        s_.msgRepeat = itemAsText(item(2));
        std::optional<int> packed = integer(3);
        if (!packed)
            return false;
        int micE = *packed & 15;
        if (micE > 7) {
            return fail(index(3), std::to_string(micE) + " is not a Mic-E message (0..7)");
        }
        s_.micEMsg = micE;
        std::optional<int> flags = leadingInteger(3);
        if (!flags)
            return false;
        s_.autoReply = (*flags >> 4) & 1;
        s_.baud300 = (*flags >> 5) & 1;
        s_.symbol = itemAsText(item(4));
        return checkState(5, s_.altTable);
    }

    bool applySpeedTable() {
        for (std::size_t band = 0; band < s_.speedTable.size(); ++band) {
            s_.speedTable[band] = itemAsText(item(band));
        }
        return true;
    }

    bool applyBeaconLine() {
        s_.manualTime = itemAsText(item(0));
        std::optional<int> packed = leadingInteger(1);
        if (!packed)
            return false;
        s_.bcnEvery = formatDigits(*packed & 127, 3);
        s_.rxPosition = (*packed >> 7) & 1;
        s_.gpsAcqTime = itemAsText(item(2));
        s_.myCall = itemAsText(item(3));
        s_.aprsPath = itemAsText(item(4));
        s_.beacon = itemAsText(item(5));
        s_.destCall = itemAsText(item(6));
        s_.aprsMsg = itemAsText(item(7));
        return true;
    }

    bool applyCalculatorAndRest() {
        c_.latitude = itemAsText(item(0));
        c_.longitude = itemAsText(item(1));
        if (!checkState(2, c_.centChecked))
            return false;
        c_.altitude = itemAsText(item(3));
        if (!checkState(4, c_.altitudeChecked))
            return false;
        std::optional<bool> normal = itemAsTruth(item(5));
        if (!normal)
            return fail(index(5), quoteOf(5) + " is neither true nor false");
        c_.normalForm = *normal;
        result_.calculatorApplied = true;
        s_.autoReplyMsg = itemAsText(item(6));
        std::optional<int> baud = integer(7);
        if (!baud)
            return false;
        if (*baud < -1 || *baud > 2) {
            return fail(index(7), std::to_string(*baud) + " is not a speed of the list (0..2)");
        }
        s_.baudRate = *baud;
        return true;
    }

    CfgTokenizer tokens_;
    DeviceSettings& s_;
    CalculatorInputs& c_;
    std::vector<CfgItem> group_;
    std::size_t groupStart_ = 0;
    std::size_t itemsRead_ = 0;
    LoadResult result_;
};

LoadResult failure(std::string message) {
    return {false, std::move(message), false};
}

}  // namespace

LoadResult readConfig(std::istream& in, DeviceSettings& settings, CalculatorInputs& calculator) {
    return Loader(in, settings, calculator).run();
}

LoadResult loadConfigFile(const std::filesystem::path& path, DeviceSettings& settings,
                          CalculatorInputs& calculator) {
    auto describe = [&](int error) {
        return failure(path.string() + ": " + std::generic_category().message(error));
    };
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return describe(EISDIR);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return describe(errno != 0 ? errno : ENOENT);
    if (in.peek() == std::char_traits<char>::eof()) {
        if (in.bad())
            return describe(EIO);
        return failure(path.string() + ": the file is empty");
    }
    LoadResult result = readConfig(in, settings, calculator);
    if (!result.ok)
        result.message = path.string() + ": " + result.message;
    return result;
}

}  // namespace zelvar
