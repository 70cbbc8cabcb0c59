#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/config_image.h"
#include "config/device_settings.h"
#include "config/normalisation_notes.h"
#include "transfer/transfer_plan.h"

namespace zelvar {

// A port named outright instead of by the form's Comm num: `zelvar-cli send --port 3` ("COM3"),
// or a device path, which its runner opens as port 1.
struct PortChoice {
    int number = 1;
    std::string name;  // as the progress text shows it
};

// What SEND makes of a form, for every front end.
struct PreparedSend {
    // The form as the build leaves it, also when it stops half-way: the front end shows it, so
    // that the form always shows what the tracker gets.
    DeviceSettings written;
    BuildResult build;  // a failure names the field and the reason; the rest is then empty
    ConfigImage image{};
    TransferPlan plan;  // to the form's Comm num and Baud, or to `port` where one is chosen
};

PreparedSend prepareSend(DeviceSettings form, const std::optional<PortChoice>& port = {});

// The fields of `form` that go to the tracker otherwise than it holds them, as `prepared` (made
// from it) sends them; none when the build failed.
std::vector<NormalisationNote> sentDifferently(const DeviceSettings& form,
                                               const PreparedSend& prepared);

}  // namespace zelvar
