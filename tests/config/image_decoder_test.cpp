#include "config/image_decoder.h"

#include <gtest/gtest.h>

#include <functional>

namespace zelvar {
namespace {

// Settings that a build leaves as they are, so decoding the image must give them back.
struct RoundTrip {
    const char* name;
    std::function<void(DeviceSettings&)> change;
};

class DecodeTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(DecodeTest, GivesBackTheNormalisedSettings) {
    DeviceSettings settings = defaultSettings();
    settings.commPort = "1";
    GetParam().change(settings);
    ConfigImage image{};
    ASSERT_TRUE(buildConfigImage(settings, image));
    DecodedImage decoded = decodeImage(image);
    if (decoded.gpsless)
        decoded.settings.gpsCheckTime = settings.gpsCheckTime;
    EXPECT_EQ(decoded.settings, settings);
    EXPECT_EQ(decoded.spareNonZero, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DecodeTest,
    ::testing::Values(RoundTrip{"Defaults", [](DeviceSettings&) {}},
                      RoundTrip{"AllFlags",
                                [](DeviceSettings& s) {
                                    s.micEMsg = 7;
                                    s.autoReply = s.baud300 = s.rxPosition = s.altTable = 1;
                                    s.symbol = "k";
                                }},
                      RoundTrip{"GpslessWithPosition",
                                [](DeviceSettings& s) {
                                    s.gpsAcqTime = "000";
                                    s.beacon = "!4530.15N/00910.25E>";
                                }},
                      RoundTrip{"OneDigipeater", [](DeviceSettings& s) { s.aprsPath = "WIDE2-2"; }},
                      RoundTrip{"NoPath", [](DeviceSettings& s) { s.aprsPath = ""; }},
                      RoundTrip{"HighSsids",
                                [](DeviceSettings& s) {
                                    s.myCall = "QX9ABC-15";
                                    s.destCall = "AB-10";
                                }},
                      RoundTrip{"ExtremeTimes",
                                [](DeviceSettings& s) {
                                    s.numFlagsAuto = "993";
                                    s.manualTime = "2550";
                                    s.speedTable = {"0010", "2550", "990", "010",
                                                    "500",  "020",  "030"};
                                    s.msgRepeat = "99";
                                    s.bcnEvery = "127";
                                }},
                      RoundTrip{
                          "EmptyTexts",
                          [](DeviceSettings& s) { s.beacon = s.aprsMsg = s.autoReplyMsg = ""; }}),
    [](const auto& test_param) { return std::string(test_param.param.name); });

}  // namespace
}  // namespace zelvar
