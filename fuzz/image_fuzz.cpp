#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "config/advice.h"
#include "config/config_image.h"
#include "config/fields.h"

namespace {

using namespace zelvar;

// A record from the fuzzer's bytes: five bytes for the list index and the check boxes, then the
// texts in the order below, one per line. Whatever the input does not reach keeps its default.
DeviceSettings recordFrom(std::string_view data) {
    DeviceSettings s = defaultSettings();
    auto choice = [&data](int lowest, int count, int& target) {
        if (data.empty())
            return;
        target = lowest + static_cast<std::uint8_t>(data.front()) % count;
        data.remove_prefix(1);
    };
    choice(-1, 10, s.micEMessage);   // -1 and 8 are not in the list
    choice(0, 3, s.alternateTable);  // 2 is a greyed box
    choice(0, 3, s.hideReceivedPositions);
    choice(0, 3, s.modem300);
    choice(0, 3, s.autoAnswerOn);
    const std::array<std::string*, 20> texts = {&s.myCall,
                                                &s.path,
                                                &s.messageTo,
                                                &s.txDelay,
                                                &s.messageRetries,
                                                &s.acquisitionInterval,
                                                &s.acquisitionTimeout,
                                                &s.fixedInterval,
                                                &s.commentEvery,
                                                &s.speedIntervals[0],
                                                &s.speedIntervals[1],
                                                &s.speedIntervals[2],
                                                &s.speedIntervals[3],
                                                &s.speedIntervals[4],
                                                &s.speedIntervals[5],
                                                &s.speedIntervals[6],
                                                &s.symbol,
                                                &s.beacon,
                                                &s.message,
                                                &s.autoAnswer};
    for (std::string* text : texts) {
        if (data.empty())
            break;
        std::size_t end = std::min(data.find('\n'), data.size());
        *text = std::string(data.substr(0, end));
        data.remove_prefix(std::min(end + 1, data.size()));
    }
    return s;
}

// Every note of the advice says something, as its rule has it.
void checkAdvice(const DeviceSettings& settings) {
    for (const AdviceNote& note : adviseOn(settings)) {
        const AdviceRuleText& rule = adviceRule(note.rule);
        if (note.text.empty() || note.id != rule.id || note.level != rule.level)
            std::abort();
    }
}

}  // namespace

// The image lives alone on the heap, so that the sanitizer sees any write beside it; the spare
// bytes stay 0 whatever the build does. A build that succeeds is a fixed point: building again
// from the written-back fields gives the same image and the same fields. The advice on any record
// is a list of notes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DeviceSettings settings =
        recordFrom(std::string_view(reinterpret_cast<const char*>(data), size));
    checkAdvice(settings);
    auto image = std::make_unique<ConfigImage>();
    image->fill(0xA5);
    const BuildResult result = buildConfigImage(settings, *image);
    if (std::any_of(image->begin() + static_cast<std::ptrdiff_t>(spareOffset()), image->end(),
                    [](std::uint8_t byte) { return byte != 0; })) {
        std::abort();
    }
    if (!result) {
        if (result.error().reason.empty())
            std::abort();
        return 0;
    }
    DeviceSettings again = settings;
    auto second = std::make_unique<ConfigImage>();
    if (!buildConfigImage(again, *second) || *second != *image || again != settings)
        std::abort();
    return 0;
}
