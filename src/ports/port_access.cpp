#include "ports/port_access.h"

#include <algorithm>

#include "ports/finding_words.h"

namespace zelvar {
namespace {

bool contains(const std::vector<std::uint32_t>& groups, std::uint32_t group) {
    return std::ranges::find(groups, group) != groups.end();
}

std::string joinGroupCommand(const std::string& group, const std::string& user, Platform platform) {
    if (platform == Platform::MacOS)
        return "sudo dseditgroup -o edit -a " + shellWord(user) + " -t user " + shellWord(group);
    return "sudo usermod -aG " + shellWord(group) + " " + shellWord(user);
}

// The group that serial devices are given: dialout on Debian, uucp elsewhere.
std::string serialGroup(const PortSystem& system) {
    return system.groupId("dialout") || !system.groupId("uucp") ? "dialout" : "uucp";
}

// Owner-only on Linux: a udev rule gives the device the serial group with read and write, for
// good, and the user joins that group; opening it to every user would be the wrong fix.
Finding ownerOnlyOnLinux(const PortSystem& system, const ProcessIdentity& user,
                         const std::string& location, const std::string& owner,
                         const std::string& mode) {
    const std::string group = serialGroup(system);
    const std::string name(baseName(location));
    std::string fix;
    if (!system.groupId(group))
        fix = "sudo groupadd " + group + " && ";
    fix += "echo 'KERNEL==\"" + name + "\", GROUP=\"" + group + "\", MODE=\"0660\"' | sudo tee " +
           shellWord("/etc/udev/rules.d/70-zelvar-" + name + ".rules") +
           " && sudo udevadm control --reload-rules && sudo udevadm trigger";
    const std::optional<std::uint32_t> gid = system.groupId(group);
    const bool member = gid && contains(system.databaseGroups(user), *gid);
    if (!member)
        fix += " && " + joinGroupCommand(group, user.userName, Platform::Linux);
    return {FindingKind::NoAccess, true,
            "Only " + owner + " may open " + location + " (" + mode +
                "): the fix has udev give it to the group " + group + " with read and write" +
                (member ? "."
                        : ", and adds " + user.userName +
                              " to that group: log out and in again afterwards."),
            fix};
}

}  // namespace

Finding accessFinding(const PortSystem& system, const std::string& location,
                      const PathStatus& status, std::string_view refusal, Platform platform) {
    const ProcessIdentity user = system.identity();
    const std::string group = system.groupName(status.group).value_or(std::to_string(status.group));
    const std::string mode = modeText(status);
    const bool groupMayWrite = (status.mode & 0020) != 0;
    if (groupMayWrite && !contains(user.groups, status.group)) {
        if (contains(system.databaseGroups(user), status.group)) {
            return {FindingKind::LoginPending, true,
                    user.userName + " is in the group " + group + ", which may open " + location +
                        ", but joined it after this login session began: log out and in "
                        "again. Until then, the fix gives one terminal the group.",
                    "newgrp " + shellWord(group)};
        }
        return {FindingKind::NotInGroup, true,
                location + " belongs to the group " + group + " (" + mode + "), and " +
                    user.userName + " is not in it: add " + user.userName +
                    " to the group, then log out and in again.",
                joinGroupCommand(group, user.userName, platform)};
    }
    if (!groupMayWrite && (status.mode & 0002) == 0 && status.owner != user.uid) {
        const std::string owner =
            status.owner == 0 ? "root" : "the user with id " + std::to_string(status.owner);
        if (platform == Platform::Linux)
            return ownerOnlyOnLinux(system, user, location, owner, mode);
        return {FindingKind::NoAccess, true,
                "Only " + owner + " may open " + location + " (" + mode +
                    "): the fix opens it to everyone until it is plugged in again.",
                "sudo chmod a+rw " + shellWord(location)};
    }
    return {FindingKind::Refused, true,
            "The system refused " + user.userName + " access to " + location + " (" +
                std::string(refusal) + ") although its permissions (" + mode + ", group " + group +
                ") allow it: a security module (AppArmor, SELinux) or a sandbox (snap, flatpak) "
                "stands in the way.",
            ""};
}

}  // namespace zelvar
