// Starts Windows programs in turn, each as a whole process, and reports for each the median and
// the range of: the time from CreateProcess to its first visible top-level window, the CPU time
// (user + kernel) and the peak working set once that window has handled its first messages; with
// the last program's ratios of medians to each of the others (its floors), and the exes' sizes.
//
//   startup_bench_win32 ROUNDS NAME=PROGRAM.exe... NAME=PROGRAM.exe   (floors first)
//
// Every program must close when its window gets WM_CLOSE and then exit with status 0.

#include "../median.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

namespace {

struct Program {
    std::wstring name;
    std::wstring path;
    std::vector<double> startupMs, cpuMs, peakMiB;
};

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
        return TRUE;
    search->found = window;
    return FALSE;
}

double ms(FILETIME time) {
    return static_cast<double>((ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime) / 1e4;
}

// The CPU time a process has had, in ms. Wine answers GetProcessTimes for another process with
// the caller's own times, so under Wine (where Linux's /proc shows as Z:\proc) the child is found
// there by its command line, the program's path, and its threads' time on a CPU is summed.
double cpuMs(HANDLE process, const std::wstring& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::is_directory(L"Z:\\proc\\self", error)) {
        FILETIME created, exited, kernel{}, user{};
        GetProcessTimes(process, &created, &exited, &kernel, &user);
        return ms(kernel) + ms(user);
    }
    const std::string wanted = fs::path(path).string();
    for (const fs::directory_entry& entry : fs::directory_iterator(L"Z:\\proc", error)) {
        std::string commandLine;
        std::getline(std::ifstream(entry.path() / "cmdline"), commandLine, '\0');
        if (commandLine.rfind(wanted, 0) != 0 ||
            commandLine.find_first_not_of(' ', wanted.size()) != std::string::npos)
            continue;
        double nanoseconds = 0;
        for (const fs::directory_entry& thread :
             fs::directory_iterator(entry.path() / "task", error)) {
            double onCpu = 0;
            std::ifstream(thread.path() / "schedstat") >> onCpu;
            nanoseconds += onCpu;
        }
        return nanoseconds / 1e6;
    }
    return -1;
}

double seconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

// One start, measured; false when no window showed or the program did not exit cleanly.
bool runOnce(Program& program, bool keep) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program.path + L"\"";
    const LONGLONG started = now();
    if (!CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        std::fwprintf(stderr, L"startup_bench_win32: cannot start %ls (error %lu)\n",
                      program.path.c_str(), GetLastError());
        return false;
    }
    Search search{process.dwProcessId, nullptr};
    LONGLONG shown = 0;
    while (seconds(now() - started) < 10) {
        EnumWindows(findVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            shown = now();
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }

    // Once the window is up and its first messages handled, the peak and the CPU time so far are
    // the start-up's.
    WaitForInputIdle(process.hProcess, 10000);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const double cpu = search.found ? cpuMs(process.hProcess, program.path) : -1;
    const bool measured =
        cpu >= 0 && GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    if (search.found)
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    DWORD status = 1;
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 10000);
    }
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!measured || status != 0) {
        std::fwprintf(stderr, L"startup_bench_win32: %ls %ls (exit status %lu)\n",
                      program.name.c_str(),
                      search.found ? L"did not close cleanly" : L"showed no window", status);
        return false;
    }
    if (keep) {
        program.startupMs.push_back(seconds(shown - started) * 1e3);
        program.cpuMs.push_back(cpu);
        program.peakMiB.push_back(static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0);
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    const int rounds = argc > 1 ? _wtoi(argv[1]) : 0;
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const std::size_t equals = argument.find(L'=');
        if (equals == std::wstring::npos)
            break;
        programs.push_back({argument.substr(0, equals), argument.substr(equals + 1), {}, {}, {}});
    }
    if (rounds < 1 || programs.size() < 2 ||
        programs.size() != static_cast<std::size_t>(argc - 2)) {
        std::fputs("usage: startup_bench_win32 ROUNDS NAME=PROGRAM.exe... NAME=PROGRAM.exe\n",
                   stderr);
        return 2;
    }

    // One unmeasured round fills the caches; then each round starts them all in an order that
    // rotates, so that none always runs on the heels of the same neighbour.
    const std::size_t count = programs.size();
    for (int round = -1; round < rounds; ++round)
        for (std::size_t i = 0; i < count; ++i)
            if (!runOnce(programs[(i + static_cast<std::size_t>(std::max(round, 0))) % count],
                         round >= 0))
                return 1;

    const Program& measured = programs.back();
    std::wprintf(L"| median [min-max] of %d starts |", rounds);
    for (const Program& program : programs)
        std::wprintf(L" %ls |", program.name.c_str());
    for (std::size_t i = 0; i + 1 < count; ++i)
        std::wprintf(L" / %ls |", programs[i].name.c_str());
    std::wprintf(L"\n|---|");
    for (std::size_t i = 0; i < 2 * count - 1; ++i)
        std::wprintf(L"---:|");
    std::wprintf(L"\n");

    const auto row = [&](const wchar_t* label, const wchar_t* unit, auto values) {
        std::wprintf(L"| %ls |", label);
        for (const Program& program : programs) {
            const auto [low, high] =
                std::minmax_element((program.*values).begin(), (program.*values).end());
            std::wprintf(L" %.1f [%.1f-%.1f] %ls |", median(program.*values), *low, *high, unit);
        }
        for (std::size_t i = 0; i + 1 < count; ++i)
            std::wprintf(L" %.2f |", median(measured.*values) / median(programs[i].*values));
        std::wprintf(L"\n");
    };
    row(L"time to a visible window", L"ms", &Program::startupMs);
    row(L"CPU time (user + kernel)", L"ms", &Program::cpuMs);
    row(L"peak working set", L"MiB", &Program::peakMiB);
    std::wprintf(L"| exe size |");
    const auto size = [](const Program& program) {
        return static_cast<double>(std::filesystem::file_size(program.path)) / 1024.0;
    };
    for (const Program& program : programs)
        std::wprintf(L" %.1f KiB |", size(program));
    for (std::size_t i = 0; i + 1 < count; ++i)
        std::wprintf(L" %.2f |", size(measured) / size(programs[i]));
    std::wprintf(L"\n");
    return 0;
}
