#include "ports/port_access.h"

#include <algorithm>

#include "ports/finding_words.h"
#include "text/translation.h"

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
    // udev matches the kernel's name for the device, not a link's (/dev/serial/by-id/...).
    const std::string name(baseName(system.realPath(location).value_or(location)));
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
            member ? withArguments(translated("port doctor",
                                              "Only %1 may open %2 (%3): the fix has udev give "
                                              "it to the group %4 with read and write."),
                                   {owner, location, mode, group})
                   : withArguments(translated("port doctor",
                                              "Only %1 may open %2 (%3): the fix has udev give "
                                              "it to the group %4 with read and write, and adds "
                                              "%5 to that group: log out and in again "
                                              "afterwards."),
                                   {owner, location, mode, group, user.userName}),
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
                    withArguments(translated("port doctor",
                                             "%1 is in the group %2, which may open %3, but "
                                             "joined it after this login session began: log out "
                                             "and in again. Until then, the fix gives one "
                                             "terminal the group."),
                                  {user.userName, group, location}),
                    "newgrp " + shellWord(group)};
        }
        return {FindingKind::NotInGroup, true,
                withArguments(translated("port doctor",
                                         "%1 belongs to the group %2 (%3), and %4 is not in it: "
                                         "add %4 to the group, then log out and in again."),
                              {location, group, mode, user.userName}),
                joinGroupCommand(group, user.userName, platform)};
    }
    if (!groupMayWrite && (status.mode & 0002) == 0 && status.owner != user.uid) {
        const std::string owner =
            status.owner == 0 ? std::string("root")
                              : withArguments(translated("port doctor", "the user with id %1"),
                                              {std::to_string(status.owner)});
        if (platform == Platform::Linux)
            return ownerOnlyOnLinux(system, user, location, owner, mode);
        return {FindingKind::NoAccess, true,
                withArguments(translated("port doctor",
                                         "Only %1 may open %2 (%3): the fix opens it to everyone "
                                         "until it is plugged in again."),
                              {owner, location, mode}),
                "sudo chmod a+rw " + shellWord(location)};
    }
    return {FindingKind::Refused, true,
            withArguments(translated("port doctor",
                                     "The system refused %1 access to %2 (%3) although its "
                                     "permissions (%4, group %5) allow it: a security module "
                                     "(AppArmor, SELinux) or a sandbox (snap, flatpak) stands in "
                                     "the way."),
                          {user.userName, location, refusal, mode, group}),
            ""};
}

}  // namespace zelvar
