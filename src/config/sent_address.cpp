#include "config/sent_address.h"

#include <algorithm>

#include "common/ascii.h"
#include "config/aprs_path.h"
#include "config/config_image.h"
#include "config/image_writer.h"
#include "config/text_number.h"

namespace zelvar {
namespace {

constexpr int kHighestHopDigit = 7;

bool isAllLetters(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return isAsciiUpper(c); });
}

// "WIDE" followed by one more character.
bool isWordAndOne(const std::string& call, std::string_view word) {
    return call.size() == word.size() + 1 && call.starts_with(word);
}

}  // namespace

std::optional<int> SentAddress::hopDigit() const {
    if (call.size() < 2 || !isAsciiDigit(call.back()) ||
        !isAllLetters(std::string_view(call).substr(0, call.size() - 1)))
        return std::nullopt;
    return call.back() - '0';
}

bool SentAddress::isWide() const {
    return isWordAndOne(call, "WIDE") && hopDigit();
}

bool SentAddress::isWide1_1() const {
    return call == "WIDE1" && ssid == 1;
}

bool SentAddress::isRetired() const {
    const bool traceN = isWordAndOne(call, "TRACE") && hopDigit();
    return call == "RELAY" || call == "WIDE" || call == "TRACE" || traceN ||
           (isWide() && *hopDigit() >= 3 && !isInvalidHop());
}

bool SentAddress::isInvalidHop() const {
    return isWide() && (*hopDigit() > kHighestHopDigit || ssid > *hopDigit() || ssid == 0);
}

int SentAddress::hops() const {
    return hopDigit() ? ssid : 1;
}

std::optional<SentAddress> sentAddress(std::string_view text) {
    ConfigImage scratch{};
    Result<std::string> shown = putCallsign(scratch, 0, text, false);
    if (!shown)
        return std::nullopt;
    SentAddress address;
    address.shown = std::move(*shown);
    const std::string call(scratch.begin(), scratch.begin() + kCallsignLength);
    const std::string_view sent = trimSpaces(call);
    for (char c : sent)
        address.call += asciiUpper(c);
    address.isAddress = std::all_of(sent.begin(), sent.end(),
                                    [](char c) { return isAsciiUpper(c) || isAsciiDigit(c); });
    address.ssid = scratch[kCallsignLength] - '0';
    return address;
}

std::vector<SentAddress> sentPath(std::string_view path) {
    std::vector<SentAddress> entries;
    for (std::string_view entry : pathEntries(path)) {
        if (std::optional<SentAddress> address = sentAddress(entry))
            entries.push_back(std::move(*address));
    }
    return entries;
}

}  // namespace zelvar
