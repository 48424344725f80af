#pragma once

// Real input for the Win32 window tests: SendInput mouse clicks and keys, and a message pump that
// runs until the input has been handled, handing keys to the form's navigation as the program's
// own loop does.

#include "main_form.h"

#include <windows.h>

#include <initializer_list>

namespace input {

inline void pump(MainForm* form, DWORD milliseconds = 60) {
    const DWORD start = GetTickCount();
    MSG message;
    do {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT || (form && form->handleNavigationKey(message)))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

inline void send(std::initializer_list<INPUT> events) {
    for (INPUT event : events)
        SendInput(1, &event, sizeof(INPUT));
}

inline INPUT mouse(DWORD flags, POINT screen = {}) {
    INPUT event{};
    event.type = INPUT_MOUSE;
    event.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    event.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    event.mi.dwFlags = flags;
    return event;
}

inline INPUT key(WORD virtualKey, bool up) {
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wVk = virtualKey;
    event.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return event;
}

// A left click at a point of the control's client area.
inline void click(MainForm& form, HWND control, POINT point) {
    ClientToScreen(control, &point);
    send({mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, point), mouse(MOUSEEVENTF_LEFTDOWN),
          mouse(MOUSEEVENTF_LEFTUP)});
    pump(&form);
}

inline void press(MainForm& form, WORD virtualKey, bool shift = false) {
    if (shift)
        send({key(VK_SHIFT, false)});
    send({key(virtualKey, false), key(virtualKey, true)});
    if (shift)
        send({key(VK_SHIFT, true)});
    pump(&form);
}

} // namespace input
