// Starts two programs in turn, RUNS times each, so a machine that grows busy or quiet meanwhile
// weighs on both alike. A start lasts from the launch to the first line on the program's
// standard output (ZELVAR_EXIT_AFTER_FIRST_PAINT=1 makes the windows write one after their first
// paint). Prints one line per program: the median start in microseconds and the largest peak
// memory (maximum resident set) of any of its whole runs in KiB.
//   startup_timer RUNS PROGRAM PROGRAM
// One untimed round first, so the timed runs find the libraries and fonts in the page cache.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    long long startMicroseconds = 0;
    long peakKiB = 0;
};

struct Runs {
    std::vector<long long> starts;
    long peakKiB = 0;
};

// Reads the child's output to its end; the time the first line was complete, if there was one.
std::optional<Clock::time_point> readFirstLine(int output) {
    std::optional<Clock::time_point> firstLine;
    char buffer[256];
    ssize_t count = 0;
    while ((count = read(output, buffer, sizeof buffer)) > 0) {
        if (!firstLine && std::find(buffer, buffer + count, '\n') != buffer + count)
            firstLine = Clock::now();
    }
    return firstLine;
}

std::optional<Run> runOnce(char* program) {
    int output[2];
    if (pipe(output) != 0) {
        std::perror("pipe");
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    posix_spawn_file_actions_addclose(&actions, output[1]);

    char* command[] = {program, nullptr};
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &actions, nullptr, command, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    if (spawned != 0) {
        close(output[0]);
        std::fprintf(stderr, "cannot start %s\n", program);
        return std::nullopt;
    }
    const std::optional<Clock::time_point> painted = readFirstLine(output[0]);
    close(output[0]);

    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::perror("wait4");
        return std::nullopt;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not exit cleanly (status %d)\n", program, status);
        return std::nullopt;
    }
    if (!painted) {
        std::fprintf(stderr, "%s ended without reporting its first paint\n", program);
        return std::nullopt;
    }
    return Run{std::chrono::duration_cast<std::chrono::microseconds>(*painted - start).count(),
               usage.ru_maxrss};
}

long long median(std::vector<long long> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc == 4 ? std::atoi(argv[1]) : 0;
    if (runs < 1) {
        std::fprintf(stderr, "usage: startup_timer RUNS PROGRAM PROGRAM\n");
        return 2;
    }
    const std::array<char*, 2> programs = {argv[2], argv[3]};
    std::array<Runs, 2> results;
    for (int round = -1; round < runs; ++round) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const std::optional<Run> run = runOnce(programs[p]);
            if (!run)
                return 1;
            if (round < 0)
                continue;
            results[p].starts.push_back(run->startMicroseconds);
            results[p].peakKiB = std::max(results[p].peakKiB, run->peakKiB);
        }
    }
    for (const Runs& result : results)
        std::printf("%lld %ld\n", median(result.starts), result.peakKiB);
    return 0;
}
