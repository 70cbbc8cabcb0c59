#include "files/cfg_writer.h"

#include <gtest/gtest.h>

#include "../config/settings_support.h"
#include "cfg_test_support.h"
#include "files/cfg_layout.h"

namespace zelvar {
namespace {

using namespace testing_support;
using enum Field;

// Flags packed into numbers as in the image, the comment interval as a plain number, and double
// quotes doubled inside a text (in the comment: FileCommands.NormalizeIsAFixedPoint...).
TEST(CfgWriter, WritesEachItemInItsForm) {
    const std::pair<Changes, const char*> cases[] = {
        {{{MicEMsg, "7"}, {AutoReply, "1"}, {Baud300, "1"}}, "\"08\",55,\">\""},
        {{{RxPosition, "1"}}, "\"0600\",131,\"025\""},
        {{{BcnEvery, "200"}}, "\"0600\",200,\"025\""},
        {{{BcnEvery, " 12 "}, {RxPosition, "1"}}, "\"0600\",140,\"025\""},
        {{{BcnEvery, "1.5"}}, "\"0600\",1.5,\"025\""},
        {{{AprsMsg, "\""}}, ",\"\"\"\"\r\n"},
    };
    for (const auto& [typed, item] : cases) {
        const Result<std::string> text = writeConfigText(changed(defaultSettings(), typed), {});
        ASSERT_TRUE(text) << reasonOf(text);
        EXPECT_NE(text->find(item), std::string::npos) << item << " in " << *text;
    }
}

}  // namespace
}  // namespace zelvar
