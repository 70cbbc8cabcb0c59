#pragma once

#include <string>

namespace zelvar {

// What the port doctor found about a serial port.
enum class FindingKind {
    Missing,             // no such port number or device
    NotADevice,          // the path is there, but is no character device
    NotInGroup,          // the device's group may open it; the user is not in that group
    LoginPending,        // the user joined that group after this session began
    NoAccess,            // the permissions let no one but the owner open it
    Refused,             // refused although the permissions allow it (a security module)
    HeldByProcess,       // another program has the device open
    HeldByLock,          // a lock file of a running program names the device
    SendingNow,          // a program of ours is sending on the device; it ends by itself
    StaleLock,           // a lock file names a program that no longer runs
    BrlttyClaims,        // brltty's udev rules take USB serial adapters like this one
    ModemManagerProbes,  // ModemManager sends modem commands to ttyACM devices
    DialInDevice,        // macOS: tty.X waits for carrier where cu.X would not
    PortInUse,           // Windows: another program has the COM port open
    OpenFailed,          // the open failed for another reason
};

struct Finding {
    FindingKind kind = FindingKind::OpenFailed;
    bool stops = true;  // SEND cannot use the port until this is fixed
    std::string text;   // one or two sentences for the user
    std::string fix;    // the command that fixes it; empty when no command does
};

}  // namespace zelvar
