#include "transfer/prepared_send.h"

#include "config/image_decoder.h"

namespace zelvar {

PreparedSend prepareSend(DeviceSettings form, const std::optional<PortChoice>& port) {
    PreparedSend prepared{std::move(form), {}, {}, {}};
    prepared.build = buildConfigImage(prepared.written, prepared.image);
    if (!prepared.build) {
        prepared.image = {};
        return prepared;
    }
    SendTarget target = sendTargetFor(prepared.written);
    if (port) {
        target.portNumber = port->number;
        target.portName = port->name;
    }
    prepared.plan = makeTransferPlan(prepared.image, target);
    return prepared;
}

std::vector<NormalisationNote> sentDifferently(const DeviceSettings& form,
                                               const PreparedSend& prepared) {
    if (!prepared.build)
        return {};
    return normalisationNotes(form, prepared.written, prepared.image,
                              decodeImage(prepared.image).settings);
}

}  // namespace zelvar
