// The program as users start it, under Wine: krivoklyun.exe shows its window, and closing the
// window ends it with status 0. And a run-time error: a message box naming it, then status 1.

#include "check.h"
#include "form_definition.h"
#include "main_form.h"
#include "runtime_error.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <string_view>

namespace {

std::wstring program; // krivoklyun.exe

// A path as the build gives it (a Unix path under Wine) made into one Windows can start.
std::wstring windowsPath(std::string_view path) {
    std::wstring converted(path.begin(), path.end());
    if (converted.starts_with(L'/')) {
        for (wchar_t& c : converted)
            c = c == L'/' ? L'\\' : c;
        converted.insert(0, L"Z:");
    }
    return converted;
}

struct Process {
    PROCESS_INFORMATION info{};
    explicit Process(std::wstring commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info);
    }
    ~Process() {
        if (!info.hProcess)
            return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info.hProcess, 99);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD exitStatus() const {
        DWORD status = STILL_ACTIVE;
        if (WaitForSingleObject(info.hProcess, 20000) == WAIT_OBJECT_0)
            GetExitCodeProcess(info.hProcess, &status);
        return status;
    }
    // The process's first visible top-level window of the class, once it shows one.
    HWND window(const wchar_t* className) const {
        for (int attempt = 0; attempt < 300; ++attempt) {
            for (HWND found = FindWindowExW(nullptr, nullptr, className, nullptr); found;
                 found = FindWindowExW(nullptr, found, className, nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(found, &owner);
                if (owner == info.dwProcessId && IsWindowVisible(found))
                    return found;
            }
            Sleep(100);
        }
        return nullptr;
    }
};

CASE(theProgramShowsItsWindowAndEndsWithStatus0WhenItIsClosed) {
    const Process krivoklyun(L"\"" + program + L"\"");
    if (!CHECK(krivoklyun.info.hProcess != nullptr))
        return;
    const HWND window = krivoklyun.window(L"KrivoklyunMainForm");
    if (!CHECK(window != nullptr))
        return;
    CHECK_EQ(windowText(window), form::Caption);
    // The hamburger the window takes from the program's resources. (Wine does not give another
    // process a window class's icon, so it is looked for in the file.)
    const HMODULE file = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    CHECK(file && LoadImageW(file, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
    if (file)
        FreeLibrary(file);
    PostMessageW(window, WM_CLOSE, 0, 0);
    CHECK_EQ(krivoklyun.exitStatus(), DWORD{0});
}

// Starts this test program again with the arguments, expects a message box naming the error
// (detail) and waiting for the user, and the exit status 1 once the box is closed.
void expectRunTimeError(const std::wstring& arguments, std::u16string_view detail) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const Process failing(L"\"" + std::wstring(self) + L"\" " + arguments);
    const HWND box = failing.window(L"#32770"); // the dialog class of message boxes
    if (!CHECK(box != nullptr))
        return;
    CHECK_EQ(windowText(box), form::Label1[0].text);
    std::u16string text;
    for (HWND part = FindWindowExW(box, nullptr, L"Static", nullptr); part;
         part = FindWindowExW(box, part, L"Static", nullptr))
        text += windowText(part);
    if (!CHECK(text.find(detail) != std::u16string::npos))
        std::printf("  the box says: %s\n", check::utf8(text).c_str());
    CHECK(WaitForSingleObject(failing.info.hProcess, 300) == WAIT_TIMEOUT); // waits for the user
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    CHECK_EQ(failing.exitStatus(), DWORD{1});
}

CASE(aRunTimeErrorIsShownInAMessageBoxAndEndsWithStatus1) {
    expectRunTimeError(L"--run-time-error", u"List1(0).List(16)");
}

// The system may refuse a window (out of resources, or a hook that vetoes it): the program says
// which one, rather than wait for ever without one.
CASE(aWindowTheSystemRefusesIsARunTimeError) {
    expectRunTimeError(L"--refuse KrivoklyunMainForm", u"cannot create the main form");
    expectRunTimeError(L"--refuse ListBox", u"cannot create List1(0)");
}

std::wstring refusedClass;

// Vetoes the first window of the refused class made on this thread.
LRESULT CALLBACK refuseWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !refusedClass.empty()) {
        const LPCWSTR kind = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszClass;
        // Common controls 6 name their classes with their version: "6.0.2600.2982!Listbox".
        const LPCWSTR bare = IS_INTRESOURCE(kind) ? nullptr : std::wcsrchr(kind, L'!');
        if (!IS_INTRESOURCE(kind) && _wcsicmp(bare ? bare + 1 : kind, refusedClass.c_str()) == 0) {
            refusedClass.clear();
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--run-time-error") {
        // The program's report, from a real window whose names list is asked for a name past
        // its end.
        presentation::setRuntimeErrorReport(showRuntimeError);
        MainForm form(GetModuleHandleW(nullptr));
        form.show(SW_SHOWNORMAL);
        form.controls().listItem(0, 16);
        return 0;
    }
    if (argc > 2 && std::string_view(argv[1]) == "--refuse") {
        refusedClass.assign(argv[2], argv[2] + std::strlen(argv[2]));
        SetWindowsHookExW(WH_CBT, refuseWindow, nullptr, GetCurrentThreadId());
        presentation::setRuntimeErrorReport(showRuntimeError);
        MainForm form(GetModuleHandleW(nullptr));
        return 0;
    }
    if (argc < 2) {
        std::printf("usage: test_win32_program path/to/krivoklyun.exe\n");
        return 2;
    }
    program = windowsPath(argv[1]);
    return check::runAll(1, argv);
}
