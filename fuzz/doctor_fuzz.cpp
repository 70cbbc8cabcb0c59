#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "ports/port_doctor.h"
#include "ports/session_processes.h"

namespace {

using namespace zelvar;

constexpr int kOwnPid = 900;
constexpr const char* kDevice = "/dev/ttyUSB0";

// A system made of the fuzzer's bytes: after one byte that picks the open's outcome, files as
// "PATH\nCONTENT" separated by NUL bytes (lock files, /proc/N/stat and comm, udev rules); a
// file whose path ends in /fd/N is a link to its content. The device itself always exists.
class FuzzedSystem final : public PortSystem {
  public:
    explicit FuzzedSystem(std::string_view data) {
        if (!data.empty()) {
            outcome_ = static_cast<OpenOutcome>(static_cast<unsigned char>(data.front()) % 7);
            data.remove_prefix(1);
        }
        while (!data.empty()) {
            const std::string_view chunk = data.substr(0, data.find('\0'));
            data.remove_prefix(std::min(chunk.size() + 1, data.size()));
            const std::size_t split = chunk.find('\n');
            if (split != std::string_view::npos && chunk.starts_with('/'))
                files_[std::string(chunk.substr(0, split))] = chunk.substr(split + 1);
        }
    }

    std::optional<PathStatus> status(const std::string& path) const override {
        if (path == kDevice)
            return PathStatus{true, 0660, 0, 20, 188, 0};
        if (files_.contains(path) || isFolder(path))
            return PathStatus{};
        return std::nullopt;
    }
    std::string statusFailure(const std::string&) const override { return {}; }
    std::vector<std::string> entries(const std::string& folder) const override {
        std::set<std::string> names;
        const std::string prefix = folder + "/";
        for (const auto& [path, content] : files_) {
            if (path.starts_with(prefix)) {
                const std::string rest = path.substr(prefix.size());
                names.insert(rest.substr(0, rest.find('/')));
            }
        }
        return {names.begin(), names.end()};
    }
    std::optional<std::string> linkTarget(const std::string& path) const override {
        const std::size_t fd = path.rfind("/fd/");
        if (fd == std::string::npos || !files_.contains(path))
            return std::nullopt;
        return files_.at(path);
    }
    std::optional<std::string> realPath(const std::string& path) const override {
        return status(path) ? std::optional(path) : std::nullopt;
    }
    std::optional<std::string> text(const std::string& path) const override {
        return files_.contains(path) ? std::optional(files_.at(path)) : std::nullopt;
    }
    ProcessIdentity identity() const override { return {"alice", 1000, {1000}, kOwnPid}; }
    std::optional<std::string> groupName(std::uint32_t gid) const override {
        return gid == 20 ? std::optional<std::string>("dialout") : std::nullopt;
    }
    std::optional<std::uint32_t> groupId(const std::string& name) const override {
        return name == "dialout" ? std::optional<std::uint32_t>(20) : std::nullopt;
    }
    std::vector<std::uint32_t> databaseGroups(const ProcessIdentity&) const override {
        return {1000};
    }
    OpenAttempt tryOpen(const std::string&) const override { return {outcome_, "refused"}; }

  private:
    bool isFolder(const std::string& path) const {
        const std::string prefix = path + "/";
        for (const auto& [file, content] : files_)
            if (file.starts_with(prefix))
                return true;
        return false;
    }

    OpenOutcome outcome_ = OpenOutcome::Opened;
    std::map<std::string, std::string> files_;
};

// The PIDs that `fix` would end: the numbers after each "kill".
std::set<int> ended(const std::string& fix) {
    std::set<int> pids;
    std::istringstream words(fix);
    bool killing = false;
    for (std::string word; words >> word;) {
        const bool number =
            word.size() <= 9 && word.find_first_not_of("0123456789") == std::string::npos;
        if (killing && number)
            pids.insert(std::stoi(word));
        else
            killing = word == "kill";
    }
    return pids;
}

}  // namespace

// Whatever the lock files, process tables and udev rules hold, the doctor ends with findings in
// words, says the port is usable only when no finding stops SEND, and never offers to end PID 1,
// this process's ancestors or its session's leader.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzedSystem system(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<NumberedPort> ports = {{1, {"ttyUSB0", kDevice, {}}}};
    const Diagnosis diagnosis = diagnoseDevice(system, ports, kDevice, Platform::Linux);
    const std::set<int> kept = sessionProcesses(system, kOwnPid);
    for (const Finding& finding : diagnosis.findings) {
        if (finding.text.empty())
            std::abort();
        for (int pid : ended(finding.fix))
            if (kept.contains(pid))
                std::abort();
    }
    return 0;
}
