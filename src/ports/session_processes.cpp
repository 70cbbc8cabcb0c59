#include "ports/session_processes.h"

#include <charconv>
#include <optional>
#include <string>

namespace zelvar {
namespace {

// No process tree is deeper; a made-up /proc with a loop in it ends here too.
constexpr int kMaxDepth = 256;

struct ProcessStat {
    int parent = 0;
    int session = 0;
};

// "PID (name) state parent group session ...": the name may hold spaces and parentheses, so the
// fields are counted from the last ')'.
std::optional<ProcessStat> processStat(const PortSystem& system, int pid) {
    const std::optional<std::string> text = system.text("/proc/" + std::to_string(pid) + "/stat");
    if (!text)
        return std::nullopt;
    const std::size_t nameEnd = text->rfind(')');
    if (nameEnd == std::string::npos)
        return std::nullopt;
    int fields[3] = {};  // parent, group, session
    const char* at = text->data() + nameEnd + 1;
    const char* end = text->data() + text->size();
    while (at < end && *at == ' ')
        ++at;
    while (at < end && *at != ' ')  // the state
        ++at;
    for (int& field : fields) {
        while (at < end && *at == ' ')
            ++at;
        const auto [next, error] = std::from_chars(at, end, field);
        if (error != std::errc{})
            return std::nullopt;
        at = next;
    }
    return ProcessStat{fields[0], fields[2]};
}

}  // namespace

std::set<int> sessionProcesses(const PortSystem& system, int ownPid) {
    std::set<int> kept = {1};
    const std::optional<ProcessStat> own = processStat(system, ownPid);
    if (!own)
        return kept;
    if (own->session > 0)
        kept.insert(own->session);
    int pid = own->parent;
    for (int depth = 0; depth < kMaxDepth && pid > 1; ++depth) {
        kept.insert(pid);
        const std::optional<ProcessStat> stat = processStat(system, pid);
        if (!stat)
            break;
        pid = stat->parent;
    }
    return kept;
}

}  // namespace zelvar
