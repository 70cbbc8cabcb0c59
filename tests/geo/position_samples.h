#pragma once

#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "geo/position_calculation.h"

namespace zelvar::testing_support {

// A calculator request and the decimal degrees its coordinates stand for, worked out from the
// typed pieces rather than by the converters under test.
struct PositionSample {
    PositionRequest request;
    double latitude = 0;
    double longitude = 0;
};

// Requests over both notations, both forms and every prefix, now and then on a limit or at 0.
class PositionSamples {
  public:
    explicit PositionSamples(unsigned seed) : random_(seed) {}

    PositionSample next() {
        PositionSample s;
        PositionRequest& r = s.request;
        r.notation = pick(0, 1) ? Notation::GradMinSec : Notation::GradMinCent;
        s.latitude = coordinate(90, " +-NnSs", r.notation, r.latitude);
        s.longitude = coordinate(180, " +-EeWw", r.notation, r.longitude);
        r.form = pick(0, 1) ? PositionForm::Compressed : PositionForm::Normal;
        r.includeAltitude = pick(0, 1) == 1;
        r.altitude = std::to_string(pick(-9999, 99999));
        r.symbol = std::string(1, static_cast<char>(pick(32, 126)));
        r.alternateTable = pick(0, 1) == 1;
        return s;
    }

    int pick(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }

  private:
    // No prefix (' '), a sign or a hemisphere letter in either case.
    double coordinate(int limit, std::string_view prefixes, Notation notation, std::string& text) {
        const int parts = notation == Notation::GradMinSec ? 60 : 100;
        int degrees = pick(0, limit - 1), minutes = pick(0, 59), part = pick(0, parts - 1);
        if (pick(0, 4) == 0) {  // on the limit or at 0
            degrees = pick(0, 1) * limit;
            minutes = part = 0;
        }
        const char prefix = prefixes[static_cast<std::size_t>(pick(0, 6))];
        char pieces[16];
        std::snprintf(pieces, sizeof pieces, "%d.%02d.%02d", degrees, minutes, part);
        text = (prefix == ' ' ? "" : std::string(1, prefix)) + pieces;
        const double value = degrees + minutes / 60.0 + part / (60.0 * parts);
        return std::string_view("-SsWw").find(prefix) == std::string_view::npos ? value : -value;
    }

    std::mt19937 random_;
};

}  // namespace zelvar::testing_support
