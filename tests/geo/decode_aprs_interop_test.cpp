// Our position texts read back by an independent APRS decoder, direwolf's decode_aprs.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "position_samples.h"

namespace zelvar {
namespace {

std::string run(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

TEST(DecodeAprsInterop, DecoderReadsBackOurPositions) {
    std::string decoder;
    for (const char* candidate : {"/usr/local/bin/decode_aprs", "/usr/bin/decode_aprs"}) {
        if (std::filesystem::exists(candidate))
            decoder = candidate;
    }
    ASSERT_FALSE(decoder.empty())
        << "decode_aprs not found: install direwolf (scripts/install-deps)";

    testing_support::PositionSamples generator(23);
    std::vector<testing_support::PositionSample> samples(300);
    std::vector<CalculatedPosition> positions;
    const std::filesystem::path input = std::filesystem::temp_directory_path() /
                                        ("zelvar_positions_" + std::to_string(getpid()) + ".txt");
    {
        std::ofstream out(input);
        for (testing_support::PositionSample& s : samples) {
            s = generator.next();
            const GeoResult<CalculatedPosition> position = calculatePosition(s.request);
            ASSERT_TRUE(position) << s.request.latitude << ": " << position.reason;
            positions.push_back(*position);
            out << "N0CALL>APRS:" << position->text << "\n";
        }
    }
    std::string report = run("'" + decoder + "' '" + input.string() + "' 2>&1");
    std::filesystem::remove(input);
    report = std::regex_replace(report, std::regex("\x1b\\[[0-9;]*[A-Za-z]"), "");
    const std::regex marker("N0CALL>APRS:");
    const std::vector<std::string> reports(
        std::sregex_token_iterator(report.begin(), report.end(), marker, -1), {});
    ASSERT_EQ(reports.size(), samples.size() + 1) << report;

    const std::regex position(
        R"(([NS]) (\d+) (-?\d+\.\d+), ([EW]) (\d+) (-?\d+\.\d+)(, alt (-?\d+) ft)?)");
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const PositionRequest& asked = samples[i].request;
        const std::string& text = positions[i].text;
        std::smatch m;
        ASSERT_TRUE(std::regex_search(reports[i + 1], m, position)) << text << " was not decoded";
        const double latitude = (std::stod(m[2]) + std::stod(m[3]) / 60) * (m[1] == "S" ? -1 : 1);
        const double longitude = (std::stod(m[5]) + std::stod(m[6]) / 60) * (m[4] == "W" ? -1 : 1);
        // Resolution: the decoder prints minutes to four decimals; then one step of the base-91
        // scales, or half a hundredth of a minute where seconds became hundredths.
        const bool compressed = asked.form == PositionForm::Compressed;
        const bool rounded = !compressed && asked.notation == Notation::GradMinSec;
        const double printed = 0.00005 / 60 + 1e-9 + (rounded ? 0.005 / 60 : 0);
        EXPECT_NEAR(latitude, samples[i].latitude, printed + (compressed ? 1 / 380926.0 : 0))
            << text;
        EXPECT_NEAR(longitude, samples[i].longitude, printed + (compressed ? 1 / 190463.0 : 0))
            << text;

        // The decoder does not read negative /A= altitudes.
        const int feet = positions[i].feet;
        if (!asked.includeAltitude || (!compressed && feet < 0)) {
            EXPECT_TRUE(compressed || !m[8].matched) << text;
            continue;
        }
        ASSERT_TRUE(m[8].matched) << text << " carries no altitude for the decoder";
        // The compressed altitude is 1.002 to a whole power: within 0.1 % (the decoder rounds
        // down to whole feet); /A= is exact.
        const double expected = compressed ? std::max(feet, 1) : feet;
        EXPECT_NEAR(std::stod(m[8]), expected, compressed ? expected * 0.0011 + 1 : 0) << text;
    }
}

}  // namespace
}  // namespace zelvar
