// Our position texts read back by an independent APRS decoder, direwolf's decode_aprs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "../files/cfg_test_support.h"
#include "position_samples.h"

namespace zelvar {
namespace {

TEST(DecodeAprsInterop, DecoderReadsBackOurPositions) {
    testing_support::PositionSamples generator(23);
    std::vector<std::pair<testing_support::PositionSample, CalculatedPosition>> samples;
    const testing_support::TempFolder folder;
    const std::filesystem::path input = folder.path() / "positions.txt";
    std::ofstream out(input);
    while (samples.size() < 300) {
        const testing_support::PositionSample s = generator.next();
        const Result<CalculatedPosition> position = calculatePosition(s.request);
        ASSERT_TRUE(position) << s.request.latitude << ": " << reasonOf(position);
        samples.emplace_back(s, *position);
        out << "N0CALL>APRS:" << position->text << "\n";
    }
    out.close();
    const std::filesystem::path decoded = folder.path() / "decoded.txt";
    const std::string run = "decode_aprs '" + input.string() + "' >'" + decoded.string() + "' 2>&1";
    ASSERT_EQ(std::system(run.c_str()), 0) << "install direwolf (scripts/install-deps)";
    const std::string report = std::regex_replace(testing_support::readAll(decoded),
                                                  std::regex("\x1b\\[[0-9;]*[A-Za-z]"), "");
    const std::regex marker("N0CALL>APRS:");
    const std::vector<std::string> reports(
        std::sregex_token_iterator(report.begin(), report.end(), marker, -1), {});
    ASSERT_EQ(reports.size(), samples.size() + 1) << report;

    const std::regex position(
        R"(([NS]) (\d+) (-?\d+\.\d+), ([EW]) (\d+) (-?\d+\.\d+)(, alt (-?\d+) ft)?)");
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto& [sample, calculated] = samples[i];
        const PositionRequest& asked = sample.request;
        const std::string& text = calculated.text;
        std::smatch m;
        ASSERT_TRUE(std::regex_search(reports[i + 1], m, position)) << text << " was not decoded";
        const double latitude = (std::stod(m[2]) + std::stod(m[3]) / 60) * (m[1] == "S" ? -1 : 1);
        const double longitude = (std::stod(m[5]) + std::stod(m[6]) / 60) * (m[4] == "W" ? -1 : 1);
        // The decoder prints minutes to four decimals; then one step of the base-91 scales, or
        // half a hundredth of a minute where seconds became hundredths.
        const bool compressed = asked.form == PositionForm::Compressed;
        const bool rounded = !compressed && asked.notation == Notation::GradMinSec;
        const double printed = 0.00005 / 60 + 1e-9 + (rounded ? 0.005 / 60 : 0);
        EXPECT_NEAR(latitude, sample.latitude, printed + (compressed ? 1 / 380926.0 : 0)) << text;
        EXPECT_NEAR(longitude, sample.longitude, printed + (compressed ? 1 / 190463.0 : 0)) << text;
        // The decoder does not read negative /A= altitudes; the compressed altitude is 1.002 to a
        // whole power, which the decoder rounds down to whole feet.
        const int feet = calculated.feet;
        if (!asked.includeAltitude || (!compressed && feet < 0)) {
            EXPECT_TRUE(compressed || !m[8].matched) << text;
            continue;
        }
        ASSERT_TRUE(m[8].matched) << text << " carries no altitude for the decoder";
        const double expected = compressed ? std::max(feet, 1) : feet;
        EXPECT_NEAR(std::stod(m[8]), expected, compressed ? expected * 0.0011 + 1 : 0) << text;
    }
}

}  // namespace
}  // namespace zelvar
