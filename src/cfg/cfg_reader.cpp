#include "cfg/cfg_reader.h"

#include <optional>
#include <vector>

#include "cfg/cfg_encoding.h"
#include "cfg/cfg_layout.h"
#include "cfg/cfg_tokenizer.h"
#include "common/ascii.h"
#include "config/text_number.h"
#include "text/translation.h"

namespace zelvar {
namespace {

// As much of an item as a message quotes.
constexpr std::size_t kQuotedBytes = 40;

class Loader {
  public:
    Loader(std::istream& in, DeviceSettings& s, CalculatorInputs& c) : tokens_(in), s_(s), c_(c) {}

    // Group by group: all of a group's items are read before any of them is applied.
    LoadResult run() {
        const std::span<const CfgItemPlace> items = cfgItems();
        for (std::size_t first = 0; first < items.size();) {
            std::size_t end = first;
            while (end < items.size() && items[end].group == items[first].group)
                ++end;
            if (!readGroup(end - first))
                break;
            bool applied = true;
            for (std::size_t i = 0; i < group_.size() && applied; ++i)
                applied = apply(items[first + i], i);
            if (!applied)
                break;
            first = end;
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
            withArguments(translated("cfg reader", "Item %1 (line %2, %3): %4"),
                          {std::to_string(position + 1), std::to_string(line),
                           translated(kCfgItemContext, cfgItems()[position].content), why}),
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
            failItem(i, withArguments(translated("cfg reader", "%1 is not a whole number in -32768..32767"), {quoteOf(i)}));
        return value;
    }

    std::optional<int> leadingInteger(std::size_t i) {
        std::optional<int> value = itemLeadingInteger(item(i));
        if (!value)
            failItem(i, withArguments(translated("cfg reader", "%1 is out of the range -32768..32767"), {quoteOf(i)}));
        return value;
    }

    // Check boxes take 0, 1 or 2 (greyed).
    bool checkState(std::size_t i, int& target) {
        std::optional<int> value = integer(i);
        if (!value)
            return false;
        if (*value < 0 || *value > 2) {
            return failItem(i, withArguments(translated("cfg reader", "%1 is not a check state (0, 1 or 2)"),
                                                 {std::to_string(*value)}));
        }
        target = *value;
        return true;
    }

    bool apply(const CfgItemPlace& place, std::size_t i) {
        if (!place.field)
            return applyCalculator(place, i);
        const FieldRow& row = *place.field;
        switch (row.cfg.kind) {
            case CfgKind::Text:
                *fieldText(s_, row.field) = itemAsText(item(i));
                return true;
            case CfgKind::CheckState:
                return checkState(i, *fieldNumber(s_, row.field));
            case CfgKind::ListIndex:
                return listIndex(row, i);
            case CfgKind::Options:
                return options(i);
            case CfgKind::CommentAndFlag:
                break;
        }
        return commentAndFlag(i);
    }

    bool listIndex(const FieldRow& row, std::size_t i) {
        std::optional<int> value = integer(i);
        if (!value)
            return false;
        const int last = static_cast<int>(row.choices.size()) - 1;
        if (*value < -1 || *value > last) {
            return failItem(i, withArguments(translated("cfg reader", "%1 is not a speed of the list (0..%2)"),
                                             {std::to_string(*value), std::to_string(last)}));
        }
        *fieldNumber(s_, row.field) = *value;
        return true;
    }

    // The Mic-E message in the low bits, the automatic answer in bit 4, the 300-baud modem in
    // bit 5.
    bool options(std::size_t i) {
        std::optional<int> packed = integer(i);
        if (!packed)
            return false;
        int micE = *packed & 15;
        if (micE > 7) {
            return failItem(i, withArguments(translated("cfg reader", "%1 is not a Mic-E message (0..7)"),
                                             {std::to_string(micE)}));
        }
        s_.micEMessage = micE;
        std::optional<int> flags = leadingInteger(i);
        if (!flags)
            return false;
        s_.autoAnswerOn = (*flags >> 4) & 1;
        s_.modem300 = (*flags >> 5) & 1;
        return true;
    }

    // The comment interval in bits 0 to 6, the received-position flag in bit 7.
    bool commentAndFlag(std::size_t i) {
        std::optional<int> packed = leadingInteger(i);
        if (!packed)
            return false;
        s_.commentEvery = formatDigits(*packed & 127, 3);
        s_.hideReceivedPositions = (*packed >> 7) & 1;
        return true;
    }

    bool applyCalculator(const CfgItemPlace& place, std::size_t i) {
        switch (place.calculatorKind) {
            case CalculatorCfgKind::Text:
                c_.*place.text = itemAsText(item(i));
                return true;
            case CalculatorCfgKind::CheckState:
                return checkState(i, c_.*place.number);
            case CalculatorCfgKind::Truth:
                break;
        }
        std::optional<bool> normal = itemAsTruth(item(i));
        if (!normal)
            return failItem(i, withArguments(translated("cfg reader", "%1 is neither true nor false"), {quoteOf(i)}));
        c_.normalForm = *normal;
        // The calculator's last input: its display can follow its check boxes now.
        calculatorApplied_ = true;
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
