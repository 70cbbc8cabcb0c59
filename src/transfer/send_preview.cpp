#include "transfer/send_preview.h"

#include "common/ascii.h"
#include "config/image_decoder.h"

namespace zelvar {

SendPreview previewSend(const DeviceSettings& form) {
    SendPreview preview;
    DeviceSettings sent = form;
    ConfigImage image{};
    preview.build = buildConfigImage(sent, image);
    if (!preview.build) {
        return preview;
    }
    preview.wire = wireBytes(image);
    const DecodedImage decoded = decodeImage(image);
    preview.settings = describeImage(image, decoded);
    for (TrackerSetting& setting : preview.settings)
        setting.value = escapedControls(setting.value, {}, TextBytes::Latin1);
    preview.ranges = annotateWire(preview.wire, preview.settings);
    preview.notes = normalisationNotes(form, sent, image);
    if (decoded.gpsless) {
        preview.position = decodePosition(decoded.settings.beacon);
    }
    return preview;
}

}  // namespace zelvar
