#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/device_settings.h"

namespace zelvar::testing_support {

// Fields as the user types them: texts as they are, check boxes and lists as their number.
using Changes = std::vector<std::pair<Field, std::string>>;

inline std::string value(const DeviceSettings& s, Field field) {
    const std::string* text = fieldText(s, field);
    return text ? *text : std::to_string(*fieldNumber(s, field));
}

inline DeviceSettings changed(DeviceSettings s, const Changes& changes) {
    for (const auto& [field, typed] : changes) {
        if (std::string* text = fieldText(s, field))
            *text = typed;
        else
            *fieldNumber(s, field) = std::stoi(typed);
    }
    return s;
}

// Field by field, so that a failure names the field.
inline ::testing::AssertionResult sameFields(const DeviceSettings& a, const DeviceSettings& b) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        if (value(a, field) != value(b, field))
            return ::testing::AssertionFailure() << fieldName(field) << ": \"" << value(a, field)
                                                 << "\" against \"" << value(b, field) << '"';
    }
    return ::testing::AssertionSuccess();
}

// A record that differs from the defaults, and from any value a file gives, in every field.
inline DeviceSettings scribbled() {
    DeviceSettings s;
    for (std::size_t i = 0; i < kFieldCount; ++i)
        s = changed(s, {{Field(i), fieldText(s, Field(i)) ? "x" : "2"}});
    return s;
}

// Records over the characters that matter to each field, now and then an awkward callsign or path.
class RecordGenerator {
  public:
    explicit RecordGenerator(unsigned seed) : random_(seed) {}

    DeviceSettings next() {
        DeviceSettings s = defaultSettings();
        const char* const awkward[] = {
            "AB--1", "NOCA--48", "QX-",  "-9", "ABCDEFG-3",  " X -1",       "A-0.5",
            "AB-16", "AB-32719", "AB-x", ",X", "  ,WIDE2-2", " , ,A-1,B--2"};
        for (std::string* call : {&s.myCall, &s.messageTo, &s.path})
            *call = below(3) ? text(call == &s.path ? 19 : 9, " -,AW0159.") : awkward[below(13)];
        // The digit fields, those whose defaults are digits; most of the numbers fit their byte.
        for (std::size_t i = 0; i < kFieldCount; ++i) {
            std::string* digits = fieldText(s, static_cast<Field>(i));
            if (digits && digits->find_first_not_of("0123456789") == std::string::npos)
                *digits = below(4) ? std::to_string(below(digits->size() == 4 ? 2555 : 256))
                                   : text(maxLength(static_cast<Field>(i)), "0123456789 .-");
        }
        for (int* flag :
             {&s.alternateTable, &s.hideReceivedPositions, &s.modem300, &s.autoAnswerOn})
            *flag = below(2);
        s.micEMessage = below(8);
        s.baudRate = below(4) - 1;
        s.symbol = std::string(1, "/>[\\\"k,"[below(7)]);
        s.beacon = text(35, "=/7I\"PPjw<> _,");
        s.message = text(38, "abc ,\"");
        s.autoAnswer = text(30, "AA: ,\"");
        return s;
    }

    int below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    std::string text(std::size_t longest, std::string_view alphabet) {
        std::string t(static_cast<std::size_t>(below(static_cast<int>(longest) + 1)), ' ');
        for (char& c : t)
            c = alphabet[static_cast<std::size_t>(below(static_cast<int>(alphabet.size())))];
        return t;
    }

  private:
    std::mt19937 random_;
};

}  // namespace zelvar::testing_support
