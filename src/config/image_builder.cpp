#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "config/aprs_path.h"
#include "config/config_image.h"
#include "config/image_writer.h"
#include "config/text_number.h"

namespace zelvar {
namespace {

using namespace image_offset;

bool ticked(int flag) {
    return flag == 1;
}

// One build, step by step. Each step either succeeds or records the failure and stops the run.
class ImageBuilder {
  public:
    ImageBuilder(DeviceSettings& settings, ConfigImage& image) : s_(settings), image_(image) {}

    BuildResult run() {
        image_.fill(0);
        bool ok = txDelay() && messageRetries() && options() && symbol() && gpsCheckTime() &&
                  speedTable() && manualTime() && gpsAcqTime() && commentRate() && ownCall() &&
                  path() && texts();
        if (ok && s_.myCall.empty()) {
            fail(Field::MyCall, "empty callsign");
        }
        return result_;
    }

  private:
    bool fail(Field field, std::string_view why) {
        result_ = tl::unexpected(
            FieldFailure{field, std::string(fieldLabel(field)) + ": " + std::string(why)});
        return false;
    }

    // Every field the steps below rewrite is a text field.
    std::string& text(Field field) { return *fieldText(s_, field); }

    static bool fitsByte(double value) { return value >= 0 && value <= 255; }

    // Fails naming the field's number and the limit it passes: "2555 is above the limit 2554".
    bool outOfRange(Field field, double number, double lower, double upper) {
        const bool above = !(number <= upper);
        return fail(field, formatPlainNumber(number) + (above ? " is above" : " is below") +
                               " the limit " + formatPlainNumber(above ? upper : lower));
    }

    // The whole numbers of a field whose byte fits 0..255, as its lowest and highest.
    template <typename ToByte, typename FromByte>
    static std::pair<double, double> byteLimits(ToByte toByte, FromByte fromByte) {
        auto fits = [&](double number) { return fitsByte(roundHalfEven(toByte(number))); };
        double lower = roundHalfEven(fromByte(0));
        while (fits(lower - 1))
            --lower;
        double upper = roundHalfEven(fromByte(255));
        while (fits(upper + 1))
            ++upper;
        while (!fits(upper))
            --upper;
        return {lower, upper};
    }

    // Encodes a digit field as a byte, with `toByte` and `fromByte` converting between the
    // field's unit and the byte's, and writes back what the byte stands for. When that text would
    // be wider than the field (999 ms of TX delay is 150 flags, which stand for 1000 ms), the byte
    // is lowered until it fits, so the field always shows what the tracker gets.
    template <typename ToByte, typename FromByte>
    bool scaledField(Field field, std::size_t index, ToByte toByte, FromByte fromByte) {
        std::string& shown = text(field);
        const double number = leadingNumber(shown);
        double value = roundHalfEven(toByte(number));
        if (!fitsByte(value)) {
            const auto [lower, upper] = byteLimits(toByte, fromByte);
            return outOfRange(field, number, lower, upper);
        }
        const int width = static_cast<int>(maxLength(field));
        while (formatDigits(fromByte(value), width).size() > static_cast<std::size_t>(width)) {
            --value;
        }
        image_[index] = static_cast<std::uint8_t>(value);
        shown = formatDigits(fromByte(value), width);
        return true;
    }

    void raiseTo(Field field, double minimum) {
        if (leadingNumber(text(field)) < minimum) {
            text(field) = formatDigits(minimum, static_cast<int>(maxLength(field)));
        }
    }

    // Seconds stored in tens of seconds, at least 10 s.
    bool tensOfSeconds(Field field, std::size_t index) {
        raiseTo(field, 10);
        return scaledField(
            field, index, [](double seconds) { return seconds / 10; },
            [](double tens) { return tens * 10; });
    }

    bool txDelay() {
        raiseTo(Field::NumFlagsAuto, 25);
        return scaledField(
            Field::NumFlagsAuto, kTxDelay, [](double ms) { return ms * 0.15; },
            [](double flags) { return flags / 0.15; });
    }

    bool messageRetries() {
        auto same = [](double v) { return v; };
        return scaledField(Field::MsgRepeat, kMsgRepeat, same, same);
    }

    bool options() {
        if (s_.micEMsg < 0 || s_.micEMsg >= static_cast<int>(kMicEMessages.size())) {
            return fail(Field::MicEMsg, "choose one of the listed messages");
        }
        image_[kOptions] =
            static_cast<std::uint8_t>(s_.micEMsg + (ticked(s_.autoReply) ? kOptionAutoReply : 0) +
                                      (ticked(s_.baud300) ? kOptionBaud300 : 0));
        return true;
    }

    bool symbol() {
        if (s_.symbol.empty()) {
            return fail(Field::Symbol, "no symbol");
        }
        image_[kSymbol] = static_cast<std::uint8_t>(s_.symbol.front());
        image_[kSymbolTable] = ticked(s_.altTable) ? '\\' : '/';
        return true;
    }

    bool gpsCheckTime() { return tensOfSeconds(Field::GpsCheckTime, kGpsCheckTime); }

    bool speedTable() {
        for (int band = 0; band < static_cast<int>(s_.speedTable.size()); ++band) {
            if (!tensOfSeconds(speedTableField(band), kSpeedTable + band)) {
                return false;
            }
        }
        return true;
    }

    bool manualTime() { return tensOfSeconds(Field::ManualTime, kManualTime); }

    bool gpsAcqTime() {
        auto same = [](double v) { return v; };
        if (!scaledField(Field::GpsAcqTime, kGpsAcqTime, same, same)) {
            return false;
        }
        if (image_[kGpsAcqTime] == 0) {
            image_[kGpsCheckTime] = kGpslessMarker;  // the field keeps its interval
        }
        return true;
    }

    bool commentRate() {
        if (leadingNumber(s_.bcnEvery) > kMaxCommentEvery) {
            s_.bcnEvery = std::to_string(kMaxCommentEvery);
        }
        const double every = leadingNumber(s_.bcnEvery);
        // Checked on its own: with the display flag added, -1 would pass as 127 and lose the flag.
        if (roundHalfEven(every) < 0) {
            return outOfRange(Field::BcnEvery, every, 0, kMaxCommentEvery);
        }
        image_[kBcnEvery] =
            static_cast<std::uint8_t>(roundHalfEven(every + (ticked(s_.rxPosition) ? 128 : 0)));
        s_.bcnEvery = formatDigits(image_[kBcnEvery] & 127, 3);
        return true;
    }

    bool fitsField(Field field, const std::string& value) {
        if (value.size() > maxLength(field)) {
            return fail(field, "longer than " + std::to_string(maxLength(field)) + " characters");
        }
        return true;
    }

    bool callsign(Field field, std::size_t start, std::string_view value, bool terminate,
                  std::string& normalised) {
        Result<std::string> entry = putCallsign(image_, start, value, terminate);
        if (!entry) {
            return fail(field, entry.error().reason);
        }
        normalised = std::move(*entry);
        return true;
    }

    bool ownCall() {
        if (!fitsField(Field::MyCall, s_.myCall)) {
            return false;
        }
        std::string normalised;
        // With no digipeater the address list ends after the own callsign.
        const bool lastAddress = pathEntries(s_.aprsPath).empty();
        if (!callsign(Field::MyCall, kMyCall, s_.myCall, lastAddress, normalised)) {
            return false;
        }
        s_.myCall = std::move(normalised);
        return true;
    }

    bool path() {
        const std::string path = s_.aprsPath;
        if (!fitsField(Field::AprsPath, path)) {
            return false;
        }
        // Blank entries are dropped: the field shows only what the tracker gets.
        const std::vector<std::string_view> entries = pathEntries(path);
        std::string first;
        if (entries.empty()) {
            s_.aprsPath.clear();
            return true;  // the 0 after the own callsign ends the address list
        }
        if (entries.size() == 1) {
            if (!callsign(Field::AprsPath, kPath1, entries[0], true, first)) {
                return false;
            }
            s_.aprsPath = first;
            return true;
        }
        std::string second;
        if (!callsign(Field::AprsPath, kPath1, entries[0], false, first) ||
            !callsign(Field::AprsPath, kPath2, entries[1], true, second)) {
            return false;
        }
        s_.aprsPath = first + "," + second;
        return true;
    }

    bool textField(Field field, std::size_t start, const std::string& value,
                   std::string_view prefix = {}) {
        if (!fitsField(field, value)) {
            return false;
        }
        if (!putText(image_, start, std::string(prefix) + value)) {
            return fail(field, "does not fit the image");
        }
        return true;
    }

    bool texts() {
        if (!textField(Field::Beacon, kBeacon, s_.beacon) ||
            !fitsField(Field::DestCall, s_.destCall)) {
            return false;
        }
        std::string dest;
        if (!callsign(Field::DestCall, kDestCall, s_.destCall, false, dest)) {
            return false;
        }
        s_.destCall = std::move(dest);
        return textField(Field::AprsMsg, kAprsMsg, s_.aprsMsg) &&
               textField(Field::AutoReplyMsg, kAutoReply, s_.autoReplyMsg, kAutoReplyPrefix);
    }

    DeviceSettings& s_;
    ConfigImage& image_;
    BuildResult result_;
};

}  // namespace

BuildResult buildConfigImage(DeviceSettings& settings, ConfigImage& image) {
    return ImageBuilder(settings, image).run();
}

}  // namespace zelvar
