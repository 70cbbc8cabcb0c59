#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "config/aprs_path.h"
#include "config/config_image.h"
#include "config/fields.h"
#include "config/image_writer.h"
#include "config/text_number.h"
#include "text/translation.h"

namespace zelvar {
namespace {

bool ticked(int flag) {
    return flag == 1;
}

// The rows in the order the build takes them: by the image bytes they fill. A failure leaves
// the steps before it done, so the order is the tracker's documented one.
std::vector<const FieldRow*> buildOrder() {
    std::vector<const FieldRow*> rows;
    for (const FieldRow& row : fieldRows()) {
        if (row.image.codec != Codec::None)
            rows.push_back(&row);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const FieldRow* a, const FieldRow* b) {
        return a->image.offset < b->image.offset;
    });
    return rows;
}

// One build, step by step. Each step either succeeds or records the failure and stops the run.
class ImageBuilder {
  public:
    ImageBuilder(DeviceSettings& settings, ConfigImage& image) : s_(settings), image_(image) {}

    BuildResult run() {
        static const std::vector<const FieldRow*> kOrder = buildOrder();
        image_.fill(0);
        for (const FieldRow* row : kOrder) {
            if (!encode(*row))
                return result_;
        }
        if (s_.myCall.empty())
            fail(Field::MyCall, translated("build failure", "empty callsign"));
        return result_;
    }

  private:
    bool encode(const FieldRow& row) {
        switch (row.image.codec) {
            case Codec::Digits:
                return digits(row) && gpslessMarker(row);
            case Codec::Bits:
                return bits(row);
            case Codec::Character:
                return character(row);
            case Codec::SymbolTable:
                image_[row.image.offset] = ticked(*fieldNumber(s_, row.field)) ? '\\' : '/';
                return true;
            case Codec::Callsign:
                return callsignField(row);
            case Codec::Path:
                return path(row);
            case Codec::Text:
                return textField(row);
            case Codec::None:
                break;
        }
        return true;
    }

    bool fail(Field field, std::string_view why) {
        result_ = tl::unexpected(FieldFailure{
            field, withArguments(translated("build failure", "%1: %2"), {fieldLabel(field), why})});
        return false;
    }

    static bool fitsByte(double value) { return value >= 0 && value <= 255; }

    // Fails naming the field's number and the limit it passes: "2555 is above the limit 2554".
    bool outOfRange(Field field, double number, double lower, double upper) {
        const bool above = !(number <= upper);
        return fail(
            field,
            withArguments(above ? translated("build failure", "%1 is above the limit %2")
                                : translated("build failure", "%1 is below the limit %2"),
                          {formatPlainNumber(number), formatPlainNumber(above ? upper : lower)}));
    }

    // The whole numbers of a field whose byte fits 0..255, as its lowest and highest.
    static std::pair<double, double> byteLimits(ByteUnit unit) {
        auto fits = [unit](double number) { return fitsByte(roundHalfEven(toByte(unit, number))); };
        double lower = roundHalfEven(fromByte(unit, 0));
        while (fits(lower - 1))
            --lower;
        double upper = roundHalfEven(fromByte(unit, 255));
        while (fits(upper + 1))
            ++upper;
        while (!fits(upper))
            --upper;
        return {lower, upper};
    }

    // Encodes a digit field as a byte in its unit and writes back what the byte stands for,
    // after raising a number below the field's least to it and lowering one above its most. When
    // the rounding makes that text wider than the field and than the number it replaces (999 ms
    // of TX delay is 150 flags, which stand for 1000 ms), the byte is lowered until it fits, so
    // the field always shows what the tracker gets. A number a file holds wider than the field
    // (2000 s in a three-digit band) goes as it stands.
    bool digits(const FieldRow& row) {
        const FieldImage& image = row.image;
        std::string& shown = *fieldText(s_, row.field);
        const int width = row.input.length;
        if (image.least && leadingNumber(shown) < *image.least)
            shown = formatDigits(*image.least, width);
        if (image.most && leadingNumber(shown) > *image.most)
            shown = formatDigits(*image.most, width);
        const double number = leadingNumber(shown);
        double value = roundHalfEven(toByte(image.unit, number));
        if (!fitsByte(value)) {
            const auto [lower, upper] = byteLimits(image.unit);
            return outOfRange(row.field, number, lower, upper);
        }
        const std::size_t room = std::max(static_cast<std::size_t>(width), shown.size());
        while (formatDigits(fromByte(image.unit, value), width).size() > room)
            --value;
        image_[image.offset] |= static_cast<std::uint8_t>(value);
        shown = formatDigits(fromByte(image.unit, value), width);
        return true;
    }

    // An acquisition timeout of 0 selects GPSless Mode: the acquisition interval's byte carries
    // the marker, and the field keeps its interval.
    bool gpslessMarker(const FieldRow& row) {
        if (row.field == Field::AcquisitionTimeout && image_[row.image.offset] == 0)
            image_[fieldRow(Field::AcquisitionInterval).image.offset] = kGpslessMarker;
        return true;
    }

    // A flag sets its bits when ticked; a list puts its index into its bits, and a text typed
    // into it leaves no index to put.
    bool bits(const FieldRow& row) {
        const int value = *fieldNumber(s_, row.field);
        const int shift = std::countr_zero(row.image.mask);
        if (row.input.kind == Input::Choice) {
            if (value < 0 || value >= static_cast<int>(row.choices.size()))
                return fail(row.field,
                            translated("build failure", "choose one of the listed messages"));
            image_[row.image.offset] |= static_cast<std::uint8_t>(value << shift);
        } else if (ticked(value)) {
            image_[row.image.offset] |= row.image.mask;
        }
        return true;
    }

    bool character(const FieldRow& row) {
        const std::string& value = *fieldText(s_, row.field);
        if (value.empty())
            return fail(row.field, translated("build failure", "no symbol"));
        image_[row.image.offset] = static_cast<std::uint8_t>(value.front());
        return true;
    }

    bool fitsField(Field field, const std::string& value) {
        if (value.size() > maxLength(field)) {
            return fail(field,
                        withArguments(translated("build failure", "longer than %1 characters"),
                                      {std::to_string(maxLength(field))}));
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

    // With no digipeater the address list ends after the own callsign.
    bool callsignField(const FieldRow& row) {
        std::string& value = *fieldText(s_, row.field);
        if (!fitsField(row.field, value))
            return false;
        const bool lastAddress = row.field == Field::MyCall && pathEntries(s_.path).empty();
        std::string normalised;
        if (!callsign(row.field, row.image.offset, value, lastAddress, normalised))
            return false;
        value = std::move(normalised);
        return true;
    }

    // Two entries at most, the second right after the first.
    bool path(const FieldRow& row) {
        std::string& shown = *fieldText(s_, row.field);
        const std::string path = shown;
        if (!fitsField(row.field, path)) {
            return false;
        }
        // Blank entries are dropped: the field shows only what the tracker gets.
        const std::vector<std::string_view> entries = pathEntries(path);
        std::string first;
        if (entries.empty()) {
            shown.clear();
            return true;  // the 0 after the own callsign ends the address list
        }
        const std::size_t start = row.image.offset;
        if (entries.size() == 1) {
            if (!callsign(row.field, start, entries[0], true, first)) {
                return false;
            }
            shown = first;
            return true;
        }
        std::string second;
        if (!callsign(row.field, start, entries[0], false, first) ||
            !callsign(row.field, start + kCallsignEntryLength, entries[1], true, second)) {
            return false;
        }
        shown = first + "," + second;
        return true;
    }

    bool textField(const FieldRow& row) {
        const std::string& value = *fieldText(s_, row.field);
        if (!fitsField(row.field, value)) {
            return false;
        }
        if (!putText(image_, row.image.offset, std::string(row.image.prefix) + value)) {
            return fail(row.field, translated("build failure", "does not fit the image"));
        }
        return true;
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
