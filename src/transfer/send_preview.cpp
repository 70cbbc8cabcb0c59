#include "transfer/send_preview.h"

#include "common/ascii.h"
#include "config/image_decoder.h"
#include "transfer/prepared_send.h"

namespace zelvar {

SendPreview previewSend(const DeviceSettings& form) {
    SendPreview preview;
    const PreparedSend prepared = prepareSend(form);
    preview.build = prepared.build;
    if (!preview.build) {
        return preview;
    }
    const ConfigImage& image = prepared.image;
    preview.wire = wireBytes(image);
    const DecodedImage decoded = decodeImage(image);
    preview.settings = describeImage(image, decoded);
    for (TrackerSetting& setting : preview.settings)
        setting.value = escapedControls(setting.value);
    preview.ranges = annotateWire(preview.wire, preview.settings);
    preview.notes = normalisationNotes(form, prepared.written, image, decoded.settings);
    if (decoded.gpsless) {
        preview.position = decodePosition(decoded.settings.beacon);
    }
    return preview;
}

}  // namespace zelvar
