#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvar {

// What stat() says about a path, links followed.
struct PathStatus {
    bool characterDevice = false;
    std::uint32_t mode = 0;  // permission bits, 0777 at most
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
    std::uint32_t major = 0;  // of a device
    std::uint32_t minor = 0;
    // Where the node itself is, as the kernel's lock table names it: its file system's device
    // numbers and its inode.
    std::uint32_t fileSystemMajor = 0;
    std::uint32_t fileSystemMinor = 0;
    std::uint64_t inode = 0;
};

// Who runs this process.
struct ProcessIdentity {
    std::string userName;
    std::uint32_t uid = 0;
    std::vector<std::uint32_t> groups;  // the session's groups, the primary one included
    int pid = 0;
};

enum class OpenOutcome {
    Opened,
    Refused,  // the permissions or a security module
    Busy,     // another program has it to itself
    Missing,
    NotTerminal,  // it opened, but takes no line settings: no serial device
    Locked,       // a lock file kept the serial layer from taking it, as it would SEND
    Failed,
};

struct OpenAttempt {
    OpenOutcome outcome = OpenOutcome::Failed;
    std::string reason;  // the system's or the serial layer's words, empty when opened
};

// Everything the port doctor reads from the system, so a test can give it a made-up one.
// Paths are absolute.
class PortSystem {
  public:
    virtual ~PortSystem() = default;

    virtual std::optional<PathStatus> status(const std::string& path) const = 0;
    // Why status() has nothing for a path that may well be there (a loop of links, a folder that
    // may not be searched), in the system's words; empty when nothing is there.
    virtual std::string statusFailure(const std::string& path) const = 0;
    // The names in a folder, sorted; empty when it cannot be read.
    virtual std::vector<std::string> entries(const std::string& folder) const = 0;
    virtual std::optional<std::string> linkTarget(const std::string& path) const = 0;
    // The path with every link resolved.
    virtual std::optional<std::string> realPath(const std::string& path) const = 0;
    // A regular file's text, nothing for anything else or a file too large to be what we read.
    virtual std::optional<std::string> text(const std::string& path) const = 0;

    virtual ProcessIdentity identity() const = 0;
    virtual std::optional<std::string> groupName(std::uint32_t gid) const = 0;
    virtual std::optional<std::uint32_t> groupId(const std::string& name) const = 0;
    // The user's groups as the group database lists them now: new memberships show here before
    // a new login brings them into the session.
    virtual std::vector<std::uint32_t> databaseGroups(const ProcessIdentity& user) const = 0;

    // Opens the device for writing as SEND would, lock file and line settings included, and
    // closes it again.
    virtual OpenAttempt tryOpen(const std::string& path) const = 0;
};

}  // namespace zelvar
