#include "cfg/cfg_reader.h"

#include <optional>
#include <vector>

#include "cfg/cfg_encoding.h"
#include "cfg/cfg_layout.h"
#include "cfg/cfg_tokenizer.h"
#include "common/ascii.h"
#include "config/text_number.h"

namespace zelvar {
namespace {

// As much of an item as a message quotes.
constexpr std::size_t kQuotedBytes = 40;

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
            if (!read && read.error().wholeFile) {
                result_ = tl::unexpected(LoadFailure{read.error().reason});
                return false;
            }
            if (!read)
                return fail(itemsRead_, read.error().line, read.error().reason);
            group_.push_back(std::move(*read));
            ++itemsRead_;
        }
        return true;
    }

    // Names the item by its place in the file's order and the line the reader found it on.
    bool fail(std::size_t position, int line, std::string_view why) {
        result_ = tl::unexpected(LoadFailure{
            "Item " + std::to_string(position + 1) + " (line " + std::to_string(line) + ", " +
                std::string(kCfgItems[position].content) + "): " + std::string(why),
            calculatorApplied_});
        return false;
    }
    // The same for the group's item i.
    bool failItem(std::size_t i, std::string_view why) { return fail(index(i), item(i).line, why); }

    const CfgItem& item(std::size_t i) const { return group_[i]; }
    std::size_t index(std::size_t i) const { return groupStart_ + i; }
    // The item's text in a message: its start only, so that a long item gives a short message.
    std::string quoteOf(std::size_t i) const {
        const std::string& text = item(i).text;
        const auto shown = [](std::string_view part) {
            return escapedControls(latin1ToUtf8(part));
        };
        if (text.size() <= kQuotedBytes)
            return "\"" + shown(text) + "\"";
        return "\"" + shown(std::string_view(text).substr(0, kQuotedBytes)) + "...\"";
    }

    std::optional<int> integer(std::size_t i) {
        std::optional<int> value = itemAsInteger(item(i));
        if (!value)
            failItem(i, quoteOf(i) + " is not a whole number in -32768..32767");
        return value;
    }

    std::optional<int> leadingInteger(std::size_t i) {
        std::optional<int> value = itemLeadingInteger(item(i));
        if (!value)
            failItem(i, quoteOf(i) + " is out of the range -32768..32767");
        return value;
    }

    // Check boxes take 0, 1 or 2 (greyed).
    bool checkState(std::size_t i, int& target) {
        std::optional<int> value = integer(i);
        if (!value)
            return false;
        if (*value < 0 || *value > 2) {
            return failItem(i, std::to_string(*value) + " is not a check state (0, 1 or 2)");
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
            return failItem(3, std::to_string(micE) + " is not a Mic-E message (0..7)");
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
            return failItem(5, quoteOf(5) + " is neither true nor false");
        c_.normalForm = *normal;
        calculatorApplied_ = true;
        s_.autoReplyMsg = itemAsText(item(6));
        std::optional<int> baud = integer(7);
        if (!baud)
            return false;
        if (*baud < -1 || *baud > 2) {
            return failItem(7, std::to_string(*baud) + " is not a speed of the list (0..2)");
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
    bool calculatorApplied_ = false;
    LoadResult result_;
};

}  // namespace

LoadResult readConfig(std::istream& in, DeviceSettings& settings, CalculatorInputs& calculator) {
    return Loader(in, settings, calculator).run();
}

}  // namespace zelvar
