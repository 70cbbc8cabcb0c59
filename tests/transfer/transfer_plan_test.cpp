#include "transfer/transfer_plan.h"

#include <gtest/gtest.h>

#include <climits>

namespace zelvar {
namespace {

// CommPort as typed (a number rounded half to even), BaudRate as the index into the speed list.
// The plan itself is pinned step by step by the send sequence's test.
TEST(SendTargetFor, ReadsCommPortAndBaudRate) {
    const std::tuple<std::string, int, std::string, int> rows[] = {
        {"1", 0, "4800", 1},    {"2", 2, "38400", 2},
        {"3", 1, "9600", 3},    {"", 0, "4800", 0},
        {" 2.5", 0, "4800", 2}, {"3.5x", 0, "4800", 4},
        {"-1", 0, "4800", -1},  {"1", -1, "", 1},
        {"1", 3, "", 1},        {"99999999999999999999", 0, "4800", INT_MAX}};
    for (const auto& [commPort, baudRate, speed, number] : rows) {
        DeviceSettings settings = defaultSettings();
        settings.commPort = commPort;
        settings.baudRate = baudRate;
        EXPECT_EQ(sendTargetFor(settings), (SendTarget{speed + ",n,8,1", number, "COM" + commPort}))
            << commPort << " " << baudRate;
    }
}

}  // namespace
}  // namespace zelvar
