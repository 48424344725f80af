// The floor for the Windows program: a native window of the same client size, background colour,
// caption and fixed-size style, with no controls, built the same way (static, Unicode, GUI).

#include "form_definition.h"

#include <string>
#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    constexpr form::Colour colour = form::FormBackground;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = CreateSolidBrush(RGB(colour.red, colour.green, colour.blue));
    windowClass.lpszClassName = L"KrivoklyunBareWindow";
    if (!RegisterClassExW(&windowClass))
        return 1;

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, form::toPixels(form::ClientWidth), form::toPixels(form::ClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const std::wstring caption(form::Caption.begin(), form::Caption.end());
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, caption.c_str(), style,
                                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(windowClass.hbrBackground);
    return static_cast<int>(message.wParam);
}
