// Starts Windows programs in turn, each as a whole process, and reports the medians of the time
// from CreateProcess to its first visible top-level window and of its peak working set, with each
// program's ratios to the first, and the sizes of the exes.
//
//   startup_bench_win32 ROUNDS NAME=PROGRAM.exe...   (the first is the floor)
//
// Every program must close when its window gets WM_CLOSE and then exit with status 0.

#include "../median.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

namespace {

struct Program {
    std::wstring name;
    std::wstring path;
    std::vector<double> startupMs, peakMiB;
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
    WaitForInputIdle(process.hProcess, 10000);
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

    // Once the window is up and its first messages handled, the peak so far is the start-up's.
    WaitForInputIdle(process.hProcess, 10000);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const bool measured =
        search.found && GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
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
        programs.push_back({argument.substr(0, equals), argument.substr(equals + 1), {}, {}});
    }
    if (rounds < 1 || programs.size() < 2 ||
        programs.size() != static_cast<std::size_t>(argc - 2)) {
        std::fputs("usage: startup_bench_win32 ROUNDS NAME=PROGRAM.exe NAME=PROGRAM.exe...\n",
                   stderr);
        return 2;
    }

    // One unmeasured start each fills the caches; then the order alternates round by round so
    // that neither program always follows the other.
    for (Program& program : programs)
        if (!runOnce(program, false))
            return 1;
    for (int round = 0; round < rounds; ++round)
        for (std::size_t i = 0; i < programs.size(); ++i) {
            Program& program = programs[round % 2 ? programs.size() - 1 - i : i];
            if (!runOnce(program, true))
                return 1;
        }

    const Program& floor = programs.front();
    std::wprintf(L"| medians of %d rounds |", rounds);
    for (const Program& program : programs)
        std::wprintf(L" %ls |", program.name.c_str());
    for (std::size_t i = 1; i < programs.size(); ++i)
        std::wprintf(L" %ls / %ls |", programs[i].name.c_str(), floor.name.c_str());
    std::wprintf(L"\n|---|");
    for (std::size_t i = 0; i < 2 * programs.size() - 1; ++i)
        std::wprintf(L"---:|");
    std::wprintf(L"\n");

    struct Row {
        const wchar_t* label;
        const wchar_t* unit;
        double (*value)(const Program&);
    };
    const Row rows[] = {
        {L"time to a visible window", L"ms",
         [](const Program& p) {
             return median(p.startupMs);
         }},
        {L"peak working set", L"MiB",
         [](const Program& p) {
             return median(p.peakMiB);
         }},
        {L"exe size", L"KiB",
         [](const Program& p) {
             return static_cast<double>(std::filesystem::file_size(p.path)) / 1024.0;
         }},
    };
    for (const Row& row : rows) {
        std::wprintf(L"| %ls |", row.label);
        for (const Program& program : programs)
            std::wprintf(L" %.1f %ls |", row.value(program), row.unit);
        for (std::size_t i = 1; i < programs.size(); ++i)
            std::wprintf(L" %.2f |", row.value(programs[i]) / row.value(floor));
        std::wprintf(L"\n");
    }
    return 0;
}
