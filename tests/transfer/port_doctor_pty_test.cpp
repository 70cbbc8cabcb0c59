#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "pty_line.h"
#include "transfer/diagnosis_format.h"
#include "transfer/host_port_system.h"
#include "transfer/port_doctor.h"

namespace zelvar {
namespace {

// A process that runs `job` as runuser -u nobody would, with the session `groups` (only root
// can change its user; others stay themselves); the job writes its answer to the pipe it gets.
struct Child {
    pid_t pid = -1;
    int answer = -1;

    Child(const std::vector<gid_t>& groups, const std::function<void(int)>& job) {
        int pipe[2];
        if (::pipe(pipe) != 0)
            return;
        pid = ::fork();
        if (pid == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            if (::geteuid() == 0 &&
                (!nobody || ::setgroups(groups.size(), groups.data()) != 0 ||
                 ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0))
                ::_exit(2);
            // A program runuser starts may be inspected by its user; a process that changed
            // its user may not, until it says so.
            ::prctl(PR_SET_DUMPABLE, 1);
            job(pipe[1]);
            ::_exit(0);
        }
        ::close(pipe[1]);
        answer = pipe[0];
    }
    ~Child() {
        ::close(answer);
        if (pid > 0 && ::kill(pid, SIGKILL) == 0)
            ::waitpid(pid, nullptr, 0);
    }

    // What the job wrote, `most` bytes at most.
    std::string read(std::size_t most = 65536) const {
        std::string text;
        char buffer[512];
        for (ssize_t count;
             text.size() < most &&
             (count = ::read(answer, buffer, std::min(sizeof buffer, most - text.size()))) > 0;)
            text.append(buffer, static_cast<std::size_t>(count));
        return text;
    }
};

// The doctor's verdict ('1' usable, '0' not) and report on the real system.
void diagnose(const std::string& path, int answer) {
    const Diagnosis diagnosis = diagnoseDevice(HostPortSystem(), {}, path, Platform::Linux);
    const std::string report = (diagnosis.usable() ? "1" : "0") + diagnosisText(diagnosis);
    (void)!::write(answer, report.data(), report.size());
}

// A pseudo-terminal with the owner, group and mode of a serial device, when we are root.
class DoctorOnAPty : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(line.ok());
        if (::geteuid() != 0)
            return;
        const group* dialout = ::getgrnam("dialout");
        ASSERT_TRUE(dialout) << "Debian always has the group dialout";
        groups = {dialout->gr_gid};
        ASSERT_EQ(::chown(line.path().c_str(), 0, dialout->gr_gid), 0);
        ASSERT_EQ(::chmod(line.path().c_str(), 0660), 0);
    }

    std::string doctor(const std::vector<gid_t>& sessionGroups) const {
        return Child(sessionGroups, [&](int answer) { diagnose(line.path(), answer); }).read();
    }

    testing::PtyLine line;
    std::vector<gid_t> groups;  // dialout, for a user who may open the line
};

TEST_F(DoctorOnAPty, TheDevicesGroupDecides) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give the line to root:dialout and run as nobody";
    EXPECT_EQ(doctor({}), "0" + line.path() + " cannot be used:\n- " + line.path() +
                              " belongs to the group dialout (crw-rw----), and nobody is not in "
                              "it: add nobody to the group, then log out and in again.\n"
                              "  Fix: sudo usermod -aG dialout nobody\n");
    EXPECT_EQ(doctor(groups), "1" + line.path() + " can be opened for writing.\n");
}

TEST_F(DoctorOnAPty, NamesTheProgramThatHoldsItExclusively) {
    const Child holder(groups, [&](int answer) {
        const int fd = ::open(line.path().c_str(), O_RDWR | O_NOCTTY);
        const bool held = fd >= 0 && ::ioctl(fd, TIOCEXCL) == 0;
        if (::write(answer, held ? "1" : "0", 1) == 1)
            ::pause();
    });
    ASSERT_EQ(holder.read(1), "1");
    const std::string report = doctor(groups);
    EXPECT_TRUE(report.starts_with("0")) << report;
    EXPECT_NE(report.find("(PID " + std::to_string(holder.pid) + ")"), std::string::npos) << report;
    EXPECT_NE(report.find("Fix: kill "), std::string::npos) << report;
}

}  // namespace
}  // namespace zelvar
