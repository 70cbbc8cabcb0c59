#pragma once

#include <string>

#include "ports/port_system.h"

namespace zelvar {

// The running system as the port doctor sees it: stat(), /proc, /dev, the udev folders, the
// group database and a real open(). POSIX only.
class HostPortSystem : public PortSystem {
  public:
    // Files are looked up below `root` ("" is the real root); the process, the user and the
    // group database are always the real ones.
    explicit HostPortSystem(const std::string& root = {});

    std::optional<PathStatus> status(const std::string& path) const override;
    std::string statusFailure(const std::string& path) const override;
    std::vector<std::string> entries(const std::string& folder) const override;
    std::optional<std::string> linkTarget(const std::string& path) const override;
    std::optional<std::string> realPath(const std::string& path) const override;
    std::optional<std::string> text(const std::string& path) const override;
    ProcessIdentity identity() const override;
    std::optional<std::string> groupName(std::uint32_t gid) const override;
    std::optional<std::uint32_t> groupId(const std::string& name) const override;
    std::vector<std::uint32_t> databaseGroups(const ProcessIdentity& user) const override;
    // The open itself and the line settings; the serial layer's lock is its own adapter's.
    OpenAttempt tryOpen(const std::string& path) const override;

  private:
    std::string rooted(const std::string& path) const { return root_ + path; }

    std::string root_;
};

}  // namespace zelvar
