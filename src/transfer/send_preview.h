#pragma once

#include <optional>
#include <vector>

#include "config/config_image.h"
#include "config/device_settings.h"
#include "config/image_description.h"
#include "config/normalisation_notes.h"
#include "geo/position_decoder.h"
#include "transfer/block_framing.h"
#include "transfer/wire_annotation.h"

namespace zelvar {

// Everything SEND would put on the line for a form, and what the tracker makes of it. The texts
// are for showing: hidden characters in them are escaped (escapedControls).
struct SendPreview {
    BuildResult build;  // a failure names the field and the reason; the rest is then empty
    WireBytes wire{};   // the 170 bytes, exactly as SEND writes them
    std::vector<WireRange> ranges;         // what each run of `wire` holds
    std::vector<TrackerSetting> settings;  // the image decoded as `zelvar-cli decode` shows it
    std::vector<NormalisationNote> notes;  // fields that go out differently from the form
    // In GPSless Mode: the beacon text read back as a position, or why it is not one.
    std::optional<Result<DecodedPosition>> position;
};

// Prepares SEND (prepareSend) on a copy of `form`, so the form itself never changes, and
// describes the result.
SendPreview previewSend(const DeviceSettings& form);

}  // namespace zelvar
