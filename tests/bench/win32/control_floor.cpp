// The control floor for the Windows program: its window with the same kinds of controls, styles,
// places, font, colours and manifest, made the same way (each at its place for the density, in
// the font), with short placeholder texts and no data or logic. What the program costs beyond
// this is what its own code and data cost.

#include "form_definition.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

HBRUSH formBrush, labelBrush, frameBrush;
HWND frame;

COLORREF rgb(form::Colour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

LRESULT colour(HWND control, HDC dc) {
    wchar_t kind[16];
    GetClassNameW(control, kind, 16);
    const bool inFrame = control == frame || GetParent(control) == frame;
    const bool label =
        !inFrame && (lstrcmpiW(kind, L"Static") == 0 || lstrcmpiW(kind, L"ListBox") == 0);
    if (!inFrame && !label)
        return 0;
    SetBkColor(dc, rgb(inFrame ? form::Frame1Background : form::Label1Background));
    return reinterpret_cast<LRESULT>(inFrame ? frameBrush : labelBrush);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        RECT area;
        GetClientRect(window, &area);
        FillRect(dc, &area, formBrush);
        GetWindowRect(frame, &area);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
        FillRect(dc, &area, frameBrush);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (const LRESULT brush =
                colour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return brush;
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The group box passes its buttons' colour requests on, and fills its inside, as the program's.
LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT inside;
        GetClientRect(window, &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, frameBrush);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
        return DefSubclassProc(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    formBrush = CreateSolidBrush(rgb(form::FormBackground));
    labelBrush = CreateSolidBrush(rgb(form::Label1Background));
    frameBrush = CreateSolidBrush(rgb(form::Frame1Background));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = L"KrivoklyunControlFloor";
    if (!RegisterClassExW(&windowClass))
        return 1;

    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const auto px = [dpi](int twips) {
        return form::toPixels(twips, dpi);
    };
    constexpr DWORD style =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT outer{0, 0, px(form::ClientWidth), px(form::ClientHeight)};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const std::wstring caption(form::Caption.begin(), form::Caption.end());
    const HWND window = CreateWindowExW(
        0, windowClass.lpszClassName, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;

    const form::Font& face = form::FormFont;
    const std::wstring faceName(face.face.begin(), face.face.end());
    const HFONT font =
        CreateFontW(-MulDiv(face.points, dpi, 72), 0, 0, 0, face.weight, FALSE, FALSE, FALSE,
                    static_cast<BYTE>(face.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN, faceName.c_str());
    const auto make = [&](DWORD extendedStyle, const wchar_t* kind, const wchar_t* text,
                          DWORD controlStyle, HWND parent, form::Twips at) {
        const HWND control = CreateWindowExW(
            extendedStyle, kind, text, WS_CHILD | WS_VISIBLE | controlStyle, px(at.left),
            px(at.top), px(at.width), px(at.height), parent, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    };
    constexpr DWORD Centred = SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
    make(0, WC_STATICW, L"Label 0", Centred, window, form::Label1[0].place);
    frame = make(0, WC_BUTTONW, L"Frame", BS_GROUPBOX | WS_CLIPCHILDREN, window, form::Frame1Place);
    SetWindowSubclass(frame, frameProc, 0, 0);
    const wchar_t* options[] = {L"Option 0", L"Option 1", L"Option 2"};
    for (std::size_t n = 0; n < 3; ++n)
        make(0, WC_BUTTONW, options[n], BS_RADIOBUTTON | (n == 0 ? WS_GROUP : 0), frame,
             form::Option1Places[n]);
    make(0, WC_STATICW, L"Label 1", Centred, window, form::Label1[1].place);
    make(WS_EX_CLIENTEDGE, WC_LISTBOXW, L"List", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
         window, form::List1Place);
    make(WS_EX_CLIENTEDGE, WC_EDITW, L"Text", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, window,
         form::Text1Place);

    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    for (const HBRUSH brush : {formBrush, labelBrush, frameBrush})
        DeleteObject(brush);
    return static_cast<int>(message.wParam);
}
