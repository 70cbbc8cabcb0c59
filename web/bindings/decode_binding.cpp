// The decoder `zelvar-cli decode` uses, and the comparison of two forms.
#include <emscripten/bind.h>

#include "config/image_decoder.h"
#include "config/image_description.h"
#include "config/settings_diff.h"
#include "js_values.h"
#include "transfer/block_framing.h"

namespace zelvar::web {
namespace {

// 164 image bytes or 170 wire bytes (checked: lead-ins and checksums) to the tracker's settings,
// row by row.
val decode(const val& bytes) {
    const std::basic_string<std::uint8_t> data = bytesFromJs(bytes);
    ConfigImage image{};
    if (data.size() == kImageSize) {
        std::copy(data.begin(), data.end(), image.begin());
    } else if (Result<ConfigImage> framed = imageFromWire(data); framed) {
        image = *framed;
    } else if (data.size() == kWireSize) {
        return refusal(framed.error().reason);
    } else {
        return refusal("expected " + std::to_string(kImageSize) + " image bytes or " +
                       std::to_string(kWireSize) + " wire bytes, got " +
                       std::to_string(data.size()));
    }
    const DecodedImage decoded = decodeImage(image);
    val outcome = success();
    outcome.set("settings", settingsToJs(decoded.settings));
    outcome.set("gpsless", decoded.gpsless);
    val rows = val::array();
    for (const TrackerSetting& s : describeImage(image, decoded)) {
        val row = val::object();
        row.set("name", messageToJs(s.name));
        row.set("value", messageToJs(s.value));
        rows.call<void>("push", row);
    }
    outcome.set("rows", rows);
    return outcome;
}

// Both forms built on copies, as SEND would, and every setting the tracker gets differently.
val diff(const val& first, const val& second) {
    const auto a = settingsFromJs(first);
    const auto b = settingsFromJs(second);
    val outcome = val::object();
    if (!a || !b) {
        const auto outcomeOf = [](const auto& read) {
            return read ? success() : buildOutcome(tl::unexpected(read.error()));
        };
        outcome.set("first", outcomeOf(a));
        outcome.set("second", outcomeOf(b));
        outcome.set("sameBytes", false);
        outcome.set("differences", val::array());
        return outcome;
    }
    const SettingsDiff d = diffSettings(*a, *b);
    outcome.set("first", buildOutcome(d.first));
    outcome.set("second", buildOutcome(d.second));
    outcome.set("sameBytes", d.sameBytes);
    val differences = val::array();
    for (const SettingDifference& difference : d.differences) {
        val row = val::object();
        row.set("name", messageToJs(difference.name));
        row.set("first", messageToJs(difference.first));
        row.set("second", messageToJs(difference.second));
        differences.call<void>("push", row);
    }
    outcome.set("differences", differences);
    return outcome;
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_decode) {
    emscripten::function("decode", &decode);
    emscripten::function("diff", &diff);
}

}  // namespace zelvar::web
