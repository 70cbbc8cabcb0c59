#pragma once

#include <string>

#include "ports/host_port_system.h"

namespace zelvar {

// The running system as SEND meets it: the host's files, processes and groups, and an open that
// also goes through SEND's serial layer, lock file and line set-up included. So the doctor finds
// a port usable exactly when SEND can open it.
class SerialLayerPortSystem final : public HostPortSystem {
  public:
    OpenAttempt tryOpen(const std::string& path) const override;
};

}  // namespace zelvar
