// Our position texts read back by an independent APRS decoder, direwolf's decode_aprs.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "geo/position_calculation.h"

namespace zelvar {
namespace {

struct Decoded {
    double latitude = 0;
    double longitude = 0;
    std::optional<double> feet;
};

struct Sample {
    PositionRequest request;
    double latitude;  // decimal degrees the texts stand for
    double longitude;
    std::string text;  // filled from calculatePosition
    std::int32_t feet = 0;
};

std::string findDecoder() {
    for (const char* folder : {"/usr/bin", "/usr/local/bin"}) {
        std::filesystem::path candidate = std::filesystem::path(folder) / "decode_aprs";
        if (std::filesystem::exists(candidate)) {
            return candidate.string();
        }
    }
    return {};
}

std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return output;
    }
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, n);
    }
    pclose(pipe);
    return output;
}

// The decoder's report, one entry per packet line in input order.
std::vector<std::optional<Decoded>> parseReport(std::string report) {
    report = std::regex_replace(report, std::regex("\x1b\\[[0-9;]*[A-Za-z]"), "");
    const std::regex position(
        R"(([NS]) (\d+) (\d+\.\d+), ([EW]) (\d+) (\d+\.\d+)(, alt (-?\d+) ft)?)");
    std::vector<std::optional<Decoded>> decoded;
    std::size_t start = 0;
    while ((start = report.find("N0CALL>APRS:", start)) != std::string::npos) {
        std::size_t end = report.find("N0CALL>APRS:", start + 1);
        std::string block = report.substr(start, end == std::string::npos ? end : end - start);
        std::smatch m;
        if (std::regex_search(block, m, position)) {
            Decoded d;
            d.latitude = (std::stod(m[2]) + std::stod(m[3]) / 60) * (m[1] == "S" ? -1 : 1);
            d.longitude = (std::stod(m[5]) + std::stod(m[6]) / 60) * (m[4] == "W" ? -1 : 1);
            if (m[8].matched) {
                d.feet = std::stod(m[8]);
            }
            decoded.push_back(d);
        } else {
            decoded.push_back(std::nullopt);
        }
        start = end == std::string::npos ? report.size() : end;
    }
    return decoded;
}

std::string two(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// One position in both notations, both forms, with and without altitude.
void addSamples(std::vector<Sample>& samples, int latDeg, int latMin, int latSub, int lngDeg,
                int lngMin, int lngSub, bool south, bool west, const std::string& metres) {
    auto text = [](bool negative, int d, int m, int s) {
        return (negative ? "-" : "") + std::to_string(d) + "." + two(m) + "." + two(s);
    };
    const double latSign = south ? -1 : 1;
    const double lngSign = west ? -1 : 1;
    for (Notation notation : {Notation::GradMinSec, Notation::GradMinCent}) {
        const double per = notation == Notation::GradMinSec ? 3600.0 : 6000.0;
        const double lat = latSign * (latDeg + latMin / 60.0 + latSub / per);
        const double lng = lngSign * (lngDeg + lngMin / 60.0 + lngSub / per);
        for (PositionForm form : {PositionForm::Normal, PositionForm::Compressed}) {
            for (bool withAltitude : {false, true}) {
                Sample s;
                s.request.latitude = text(south, latDeg, latMin, latSub);
                s.request.longitude = text(west, lngDeg, lngMin, lngSub);
                s.request.notation = notation;
                s.request.form = form;
                s.request.altitude = metres;
                s.request.includeAltitude = withAltitude;
                s.latitude = lat;
                s.longitude = lng;
                samples.push_back(s);
            }
        }
    }
}

std::vector<Sample> samples() {
    std::vector<Sample> all;
    addSamples(all, 49, 30, 0, 72, 45, 0, false, true, "300");
    addSamples(all, 45, 30, 15, 11, 5, 50, false, true, "212");
    addSamples(all, 0, 0, 0, 0, 0, 0, false, false, "0");
    addSamples(all, 90, 0, 0, 180, 0, 0, true, false, "1");
    addSamples(all, 90, 0, 0, 180, 0, 0, false, true, "8848");
    addSamples(all, 33, 51, 35, 151, 12, 40, true, false, "58");
    addSamples(all, 64, 8, 47, 21, 56, 24, false, true, "-10");  // negative altitude
    addSamples(all, 1, 59, 59, 179, 59, 59, true, true, "99999");
    addSamples(all, 37, 0, 1, 122, 0, 1, false, true, "4");
    addSamples(all, 89, 59, 59, 0, 0, 1, false, false, "1234");
    return all;
}

TEST(DecodeAprsInterop, DecoderReadsBackOurPositions) {
    const std::string decoder = findDecoder();
    ASSERT_FALSE(decoder.empty())
        << "decode_aprs not found: install direwolf (scripts/install-deps)";

    std::vector<Sample> all = samples();
    const std::filesystem::path input = std::filesystem::temp_directory_path() /
                                        ("zelvar_positions_" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(input);
        for (Sample& s : all) {
            Result<CalculatedPosition> position = calculatePosition(s.request);
            ASSERT_TRUE(position) << s.request.latitude << ": " << reasonOf(position);
            s.text = position->text;
            s.feet = position->feet;
            out << "N0CALL>APRS:" << s.text << "\n";
        }
    }
    std::vector<std::optional<Decoded>> decoded =
        parseReport(run("'" + decoder + "' '" + input.string() + "' 2>&1"));
    std::filesystem::remove(input);
    ASSERT_EQ(decoded.size(), all.size());

    for (std::size_t i = 0; i < all.size(); ++i) {
        const Sample& s = all[i];
        ASSERT_TRUE(decoded[i]) << s.text << " was not decoded";
        const Decoded& d = *decoded[i];
        const bool compressed = s.request.form == PositionForm::Compressed;
        // Resolution: one step of the base-91 scale, or half a hundredth of a minute when seconds
        // become hundredths; the decoder prints minutes to four decimals.
        const double printed = 0.00005 / 60;
        double latTolerance = printed + 1e-9;
        double lngTolerance = printed + 1e-9;
        if (compressed) {
            latTolerance += 1 / 380926.0;
            lngTolerance += 1 / 190463.0;
        } else if (s.request.notation == Notation::GradMinSec) {
            latTolerance += 0.005 / 60;
            lngTolerance += 0.005 / 60;
        }
        EXPECT_NEAR(d.latitude, s.latitude, latTolerance) << s.text;
        EXPECT_NEAR(d.longitude, s.longitude, lngTolerance) << s.text;

        if (!s.request.includeAltitude || (!compressed && s.feet < 0)) {
            // The decoder does not read negative /A= altitudes.
            EXPECT_FALSE(d.feet && !compressed) << s.text;
            continue;
        }
        ASSERT_TRUE(d.feet) << s.text << " carries no altitude for the decoder";
        // The compressed altitude is 1.002 to a whole power: within 0.1 % (the decoder rounds
        // down to whole feet); /A= is exact.
        const double feet = compressed ? std::max(s.feet, 1) : s.feet;
        EXPECT_NEAR(*d.feet, feet, compressed ? feet * 0.0011 + 1 : 0) << s.text;
    }
}

}  // namespace
}  // namespace zelvar
