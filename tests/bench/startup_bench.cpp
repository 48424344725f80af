// Starts the real program and its two floors in turn, each as a whole process, and reports the
// medians of: time from fork to the first painted frame, CPU time (user + system) and peak
// resident memory, with the real program's ratios to each floor.
//
//   startup_bench ROUNDS NAME=PROGRAM...   (the first two are the floors, the last the program)
//
// Each program must link first_frame.cpp, which reports the frame and ends the process.

#include "median.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Program {
    std::string name;
    std::string path;
    std::vector<double> startupMs, cpuMs, peakKiB;
};

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

double ms(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// One start, measured; false when the program did not report a frame and exit cleanly.
bool runOnce(Program& program, bool keep) {
    int ends[2];
    if (pipe(ends) != 0)
        return false;
    const long long started = monotonicNs();
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        close(ends[0]);
        const std::string fd = std::to_string(ends[1]);
        setenv("KRIVOKLYUN_FIRST_FRAME_FD", fd.c_str(), 1);
        execl(program.path.c_str(), program.path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    std::string report;
    char buffer[64];
    for (ssize_t n; (n = read(ends[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        report.append(buffer, static_cast<std::size_t>(n));
    }
    close(ends[0]);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 || report.empty()) {
        std::fprintf(stderr, "startup_bench: %s did not report a first frame (status %d)\n",
                     program.name.c_str(), status);
        return false;
    }
    if (keep) {
        program.startupMs.push_back(static_cast<double>(std::atoll(report.c_str()) - started) /
                                    1e6);
        program.cpuMs.push_back(ms(usage.ru_utime) + ms(usage.ru_stime));
        program.peakKiB.push_back(static_cast<double>(usage.ru_maxrss));
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: startup_bench ROUNDS BARE=PATH FLOOR=PATH PROGRAM=PATH\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto equals = argument.find('=');
        programs.push_back({argument.substr(0, equals), argument.substr(equals + 1), {}, {}, {}});
    }

    // One unmeasured round warms the file and font caches; then each round starts all three in
    // an order that rotates, so that none always runs on the heels of the same neighbour.
    for (int round = -1; round < rounds; ++round) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            Program& program =
                programs[(i + static_cast<std::size_t>(std::max(round, 0))) % programs.size()];
            if (!runOnce(program, round >= 0))
                return 1;
        }
    }

    const Program& bare = programs[0];
    const Program& floor = programs[1];
    const Program& real = programs[2];
    std::printf("| median of %d runs | %s | %s | %s | ÷ %s | ÷ %s |\n", rounds, bare.name.c_str(),
                floor.name.c_str(), real.name.c_str(), bare.name.c_str(), floor.name.c_str());
    std::printf("|---|---:|---:|---:|---:|---:|\n");
    const auto row = [&](const char* what, const char* unit, auto field) {
        const double b = median(bare.*field), f = median(floor.*field), r = median(real.*field);
        std::printf("| %s | %.1f %s | %.1f %s | %.1f %s | %.3f | %.3f |\n", what, b, unit, f, unit,
                    r, unit, r / b, r / f);
    };
    row("start to first frame", "ms", &Program::startupMs);
    row("CPU time (user + sys)", "ms", &Program::cpuMs);
    row("peak memory (ru_maxrss)", "KiB", &Program::peakKiB);
    return 0;
}
