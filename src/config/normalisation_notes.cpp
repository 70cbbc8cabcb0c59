#include "config/normalisation_notes.h"

#include <functional>

#include "common/ascii.h"
#include "config/text_number.h"

namespace zelvar {
namespace {

namespace at = image_offset;

// A digit field the build writes back, where its byte lies and what that byte stands for.
struct DigitField {
    Field field;
    std::size_t index;
    std::function<std::string(std::uint8_t byte, const std::string& shown)> sentAs;
};

std::string tens(std::uint8_t byte, const std::string& shown) {
    return std::to_string(byte) + " x 10 s, " + shown + " s";
}

// In the order the build rewrites them.
std::vector<DigitField> digitFields() {
    std::vector<DigitField> fields = {
        {Field::NumFlagsAuto, at::kTxDelay,
         [](std::uint8_t flags, const std::string& shown) {
             return std::to_string(flags) + " flags, " + shown + " ms";
         }},
        {Field::MsgRepeat, at::kMsgRepeat,
         [](std::uint8_t, const std::string& shown) { return shown; }},
        {Field::GpsCheckTime, at::kGpsCheckTime, tens},
    };
    for (int band = 0; band < 7; ++band) {
        fields.push_back({speedTableField(band), at::kSpeedTable + band, tens});
    }
    fields.push_back({Field::ManualTime, at::kManualTime, tens});
    fields.push_back({Field::GpsAcqTime, at::kGpsAcqTime,
                      [](std::uint8_t, const std::string& shown) { return shown + " x 100 ms"; }});
    fields.push_back({Field::BcnEvery, at::kBcnEvery,
                      [](std::uint8_t, const std::string& shown) { return shown + " tx"; }});
    return fields;
}

// A text in a note: its hidden characters shown.
std::string visible(const std::string& text) {
    return escapedControls(text, {}, TextBytes::Latin1);
}

std::string asTyped(const std::string& held) {
    return held.empty() ? "(empty)" : visible(held);
}

std::string quoted(const std::string& text) {
    return "\"" + visible(text) + "\"";
}

// A field that shows "NOCALL-9" may hold an invisible character that the tracker gets, or that
// makes the build cut the callsign elsewhere than the eye expects: the note names it.
std::string note(Field field, const std::string& held, const std::string& heldShown,
                 const std::string& sentAs) {
    std::string text = std::string(fieldLabel(field)) + " " + heldShown + " -> " + sentAs;
    if (const std::string hidden = hiddenCharactersHeld(held, TextBytes::Latin1); !hidden.empty())
        text += ": " + hidden;
    return text;
}

}  // namespace

std::vector<NormalisationNote> normalisationNotes(const DeviceSettings& held,
                                                  const DeviceSettings& sent,
                                                  const ConfigImage& image) {
    static const std::vector<DigitField> kDigitFields = digitFields();
    std::vector<NormalisationNote> notes;
    const bool gpsless = image[at::kGpsAcqTime] == 0;
    for (const DigitField& digits : kDigitFields) {
        const std::string& before = *fieldText(held, digits.field);
        const std::string& after = *fieldText(sent, digits.field);
        if (digits.field == Field::GpsCheckTime && gpsless) {
            notes.push_back({digits.field, note(digits.field, before, asTyped(before),
                                                "not sent in GPSless Mode (byte 5 = " +
                                                    std::to_string(image[digits.index]) + ")")});
        } else if (leadingNumber(before) != leadingNumber(after)) {
            notes.push_back(
                {digits.field, note(digits.field, before, asTyped(before),
                                    "sent as " + digits.sentAs(image[digits.index], after))});
        }
    }
    // The texts the tracker gets: the callsigns as the build tidies them, the others as they are.
    for (Field field : {Field::MyCall, Field::AprsPath, Field::DestCall, Field::Symbol,
                        Field::Beacon, Field::AprsMsg, Field::AutoReplyMsg}) {
        const std::string& before = *fieldText(held, field);
        const std::string& after = *fieldText(sent, field);
        if (before != after) {
            notes.push_back(
                {field, note(field, before, quoted(before), "sent as " + quoted(after))});
        } else if (!hiddenCharactersNamed(before, TextBytes::Latin1).empty()) {
            notes.push_back({field, note(field, before, quoted(before), "sent as it stands")});
        }
    }
    return notes;
}

}  // namespace zelvar
