#include "main_form.h"

#include "catalogue.h"
#include "form_definition.h"
#include "handlers.h"
#include "interaction_rules.h"
#include "runtime_error.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace {

constexpr wchar_t ClassName[] = L"KrivoklyunMainForm";
constexpr DWORD FormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN; // fixed size

enum ControlId : int { Label1Id = 100, Frame1Id = 110, Option1Id = 120, List1Id = 130, Text1Id };

std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

COLORREF rgb(form::Colour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

// Functions of newer Windows versions, looked up at run time so that the program still starts
// on the versions without them.
template <typename Function> Function fromUser32(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// The density of a window's monitor; without a window, the system's, which is the density of
// the monitor a new window usually opens on.
int dpiOf(HWND window) {
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = fromUser32<GetDpiForWindow>("GetDpiForWindow");
    if (window && getDpiForWindow)
        return static_cast<int>(getDpiForWindow(window));
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

SIZE frameSizeFor(int clientWidth, int clientHeight, int dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = fromUser32<AdjustForDpi>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (adjustForDpi)
        adjustForDpi(&rect, FormStyle, FALSE, 0, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&rect, FormStyle, FALSE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

HFONT fontFor(int dpi) {
    const form::Font& face = form::FormFont;
    return CreateFontW(-MulDiv(face.points, dpi, 72), 0, 0, 0, face.weight, FALSE, FALSE, FALSE,
                       static_cast<BYTE>(face.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN, wide(face.face).c_str());
}

// The form cannot carry on without any of its windows: failing to make one is a run-time error
// that names it, as a failed control operation is.
HWND required(HWND made, std::u16string_view name) {
    if (!made) {
        const DWORD error = GetLastError();
        presentation::runtimeError("cannot create " + std::string(name.begin(), name.end()) +
                                   " (Windows error " + std::to_string(error) + ")");
    }
    return made;
}

bool checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The keys the window's rules give a meaning, whatever modifier is held; from the keypad with
// Num Lock off they come as these same keys.
std::optional<interaction::Key> keyOf(WPARAM virtualKey) {
    using interaction::Key;
    switch (virtualKey) {
    case VK_UP:
        return Key::Up;
    case VK_DOWN:
        return Key::Down;
    case VK_LEFT:
        return Key::Left;
    case VK_RIGHT:
        return Key::Right;
    case VK_HOME:
        return Key::Home;
    case VK_END:
        return Key::End;
    case VK_PRIOR:
        return Key::PageUp;
    case VK_NEXT:
        return Key::PageDown;
    case VK_SPACE:
        return Key::Space;
    default:
        return std::nullopt;
    }
}

interaction::Cause causeOf(interaction::Key key) {
    return key == interaction::Key::Space ? interaction::Cause::Space : interaction::Cause::MoveKey;
}

} // namespace

MainForm::MainForm(HINSTANCE instance)
    : formBrush_(CreateSolidBrush(rgb(form::FormBackground))),
      labelBrush_(CreateSolidBrush(rgb(form::Label1Background))),
      frameBrush_(CreateSolidBrush(rgb(form::Frame1Background))) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = ClassName;
    RegisterClassExW(&windowClass); // fails harmlessly when an earlier form registered it

    // Windows chooses the monitor; the window is made for the density it will most likely have
    // there, and everything is placed for the one it really has.
    const int likely = dpiOf(nullptr);
    const SIZE size = frameSizeFor(form::toPixels(form::ClientWidth, likely),
                                   form::toPixels(form::ClientHeight, likely), likely);
    window_ = required(CreateWindowExW(0, ClassName, wide(form::Caption).c_str(), FormStyle,
                                       CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr,
                                       nullptr, instance, this),
                       u"the main form");
    dpi_ = dpiOf(window_);
    font_ = fontFor(dpi_);
    createControls(instance);
    fitClientArea();
    controls_ = std::make_unique<NativeControls>(List1_, Option1_, Text1_, [this](std::int16_t n) {
        presentation::Option1_Click(state_, *controls_, n);
    });
    controls_->setText(form::StartupText);
    focused_ = Text1_;
}

MainForm::~MainForm() {
    if (IsWindow(window_))
        DestroyWindow(window_);
    DeleteObject(font_);
    DeleteObject(formBrush_);
    DeleteObject(labelBrush_);
    DeleteObject(frameBrush_);
}

int MainForm::px(int twips) const {
    return form::toPixels(twips, dpi_);
}

// Every control at its place for the current density, in the form's font.
void MainForm::createControls(HINSTANCE instance) {
    const auto make = [&](std::u16string_view name, DWORD extendedStyle, const wchar_t* kind,
                          std::u16string_view text, DWORD style, int id, HWND parent,
                          form::Twips at) {
        const HWND control = required(
            CreateWindowExW(extendedStyle, kind, wide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                            px(at.left), px(at.top), px(at.width), px(at.height), parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr),
            name);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return control;
    };
    // Created top to bottom in the order a screen reader reads them: each label comes right
    // before the control it names.
    constexpr DWORD Centred = SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
    Label1_[0] = make(form::Label1[0].name, 0, WC_STATICW, form::Label1[0].text, Centred, Label1Id,
                      window_, form::Label1[0].place);

    // The family buttons are the frame's children, so that they are inside their group for a
    // screen reader as they are on the screen, and placed relative to it.
    Frame1_ = make(form::Frame1Name, 0, WC_BUTTONW, form::Frame1Caption,
                   BS_GROUPBOX | WS_CLIPCHILDREN, Frame1Id, window_, form::Frame1Place);
    SetWindowSubclass(Frame1_, frameProc, 0, reinterpret_cast<DWORD_PTR>(this));
    for (std::size_t n = 0; n < Option1_.size(); ++n) {
        const std::u16string name = form::option1Name(n);
        // Plain, not automatic, radio buttons: which family a click picks, and whether that
        // raises the event, is decided by the window's rules, not by the button.
        Option1_[n] = make(name, 0, WC_BUTTONW, catalogue::Families[n].caption,
                           BS_RADIOBUTTON | (n == 0 ? WS_GROUP : 0),
                           Option1Id + static_cast<int>(n), Frame1_, form::Option1Places[n]);
        SetWindowSubclass(Option1_[n], optionProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }

    Label1_[1] = make(form::Label1[1].name, 0, WC_STATICW, form::Label1[1].text, Centred,
                      Label1Id + 1, window_, form::Label1[1].place);
    // The list box shows no text of its own; its window text is the heading, which is the
    // name assistive technology gives it.
    List1_ =
        make(form::List1Name, WS_EX_CLIENTEDGE, WC_LISTBOXW, form::Label1[1].text,
             LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, List1Id, window_, form::List1Place);
    for (const std::u16string_view name : catalogue::Names)
        SendMessageW(List1_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(name).c_str()));
    SetWindowSubclass(List1_, namesProc, 0, reinterpret_cast<DWORD_PTR>(this));

    // The info box has no label on the screen. Assistive technology names a box by the label
    // just before it, so this one, never shown, gives it its name.
    required(CreateWindowExW(0, WC_STATICW, wide(form::Text1AccessibleName).c_str(),
                             WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, window_, nullptr, instance,
                             nullptr),
             u"the info box's name");
    Text1_ = make(form::Text1Name, WS_EX_CLIENTEDGE, WC_EDITW, u"",
                  ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, Text1Id, window_, form::Text1Place);
}

// Sizes the window so that its client area is the form's at the current density. The frame is
// measured, not computed: while the density changes it may still be drawn for the old one (Wine
// keeps it at the system's), and a computed one would then be off by the caption's difference.
void MainForm::fitClientArea() {
    const int width = px(form::ClientWidth);
    const int height = px(form::ClientHeight);
    RECT outer;
    RECT client;
    GetWindowRect(window_, &outer);
    GetClientRect(window_, &client);
    if (client.right == width && client.bottom == height)
        return;
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left - client.right + width,
                 outer.bottom - outer.top - client.bottom + height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window moved to a monitor of another density: the same layout, scaled to it, where Windows
// suggests.
void MainForm::changeDpi(int dpi, const RECT& suggested) {
    if (dpi != dpi_) {
        dpi_ = dpi;
        const HFONT font = fontFor(dpi);
        const auto place = [&](HWND control, form::Twips at) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            MoveWindow(control, px(at.left), px(at.top), px(at.width), px(at.height), FALSE);
        };
        for (std::size_t i = 0; i < Label1_.size(); ++i)
            place(Label1_[i], form::Label1[i].place);
        place(Frame1_, form::Frame1Place);
        for (std::size_t n = 0; n < Option1_.size(); ++n)
            place(Option1_[n], form::Option1Places[n]);
        place(List1_, form::List1Place);
        place(Text1_, form::Text1Place);
        DeleteObject(std::exchange(font_, font));
    }
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea();
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void MainForm::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

LRESULT CALLBACK MainForm::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form =
            static_cast<MainForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<MainForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return form && form->controls_ ? form->handle(message, wParam, lParam)
                                   : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainForm::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        // A group box is transparent and draws only its line and caption: its inside, in the
        // frame's colour, is painted here.
        const auto dc = reinterpret_cast<HDC>(wParam);
        RECT area;
        GetClientRect(window_, &area);
        FillRect(dc, &area, formBrush_);
        GetWindowRect(Frame1_, &area);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
        FillRect(dc, &area, frameBrush_);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (const LRESULT brush =
                colour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return brush;
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        // A click picks at the release of the button (below); what else changes the pick here
        // is a letter typed to find a name.
        if (id == List1Id && code == LBN_SELCHANGE) {
            if (!clickingName_ &&
                interaction::raisesEvent(interaction::Cause::MoveKey, pickedName() != shownName_))
                nameEvent();
            return 0;
        }
        if (id >= Option1Id && id < Option1Id + static_cast<int>(Option1_.size()) &&
            code == BN_CLICKED && releasingOption_) {
            pickFamily(static_cast<std::size_t>(id - Option1Id), interaction::Cause::Click);
            return 0;
        }
        break;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(window_, focus))
                focused_ = focus;
        }
        break;
    case WM_SETFOCUS:
        SetFocus(focused_);
        return 0;
    case WM_DPICHANGED:
        changeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT MainForm::colour(HWND control, HDC dc) {
    HBRUSH brush = nullptr;
    form::Colour colour{};
    if (control == Label1_[0] || control == Label1_[1] || control == List1_) {
        brush = labelBrush_;
        colour = form::Label1Background;
    } else if (control == Frame1_ || GetParent(control) == Frame1_) {
        brush = frameBrush_;
        colour = form::Frame1Background;
    }
    if (brush)
        SetBkColor(dc, rgb(colour));
    return reinterpret_cast<LRESULT>(brush);
}

// The group box passes its buttons' notifications and colour requests on to the form. When it is
// repainted on its own (as its buttons change), the form does not paint under it, so it fills its
// inside itself.
LRESULT CALLBACK MainForm::frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR /*id*/, DWORD_PTR data) {
    auto& self = *reinterpret_cast<MainForm*>(data);
    switch (message) {
    case WM_ERASEBKGND: {
        RECT inside;
        GetClientRect(frame, &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, self.frameBrush_);
        return 1;
    }
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return SendMessageW(self.window_, message, wParam, lParam);
    default:
        return DefSubclassProc(frame, message, wParam, lParam);
    }
}

// An option button reports a click when the mouse button is released on it (also for BM_CLICK,
// which assistive technology sends), but also when it merely gets the focus: Windows' buttons
// unless they hold the mouse capture, Wine 10's even then. Focus alone must pick nothing, whether
// it came by Tab, by a click or by switching back to the window, so only a release counts.
LRESULT CALLBACK MainForm::optionProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR data) {
    if (message != WM_LBUTTONUP)
        return DefSubclassProc(button, message, wParam, lParam);
    auto& self = *reinterpret_cast<MainForm*>(data);
    self.releasingOption_ = true;
    const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
    self.releasingOption_ = false;
    return result;
}

// A click on a name is a pick when the button is released on it, as it is for the family
// buttons; released off every name (dragged out of the list), only a change of name counts.
LRESULT CALLBACK MainForm::namesProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR /*id*/, DWORD_PTR data) {
    auto& self = *reinterpret_cast<MainForm*>(data);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        self.clickingName_ = true;
        break;
    case WM_CAPTURECHANGED:
        // The capture taken away with the button still down (another window came up mid-click):
        // the release will never come, so the click ends here, showing a changed pick as the
        // release would have.
        if (self.clickingName_ && GetKeyState(VK_LBUTTON) < 0) {
            self.clickingName_ = false;
            if (interaction::raisesEvent(interaction::Cause::MoveKey,
                                         self.pickedName() != self.shownName_))
                self.nameEvent();
        }
        break;
    case WM_LBUTTONUP: {
        const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
        self.clickingName_ = false;
        const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
        const bool onPicked = HIWORD(hit) == 0 && LOWORD(hit) == self.pickedName();
        const interaction::Cause cause =
            onPicked ? interaction::Cause::Click : interaction::Cause::MoveKey;
        if (self.pickedName() >= 0 &&
            interaction::raisesEvent(cause, self.pickedName() != self.shownName_))
            self.nameEvent();
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

int MainForm::pickedName() const {
    return static_cast<int>(SendMessageW(List1_, LB_GETCURSEL, 0, 0));
}

int MainForm::checkedFamily() const {
    for (std::size_t n = 0; n < Option1_.size(); ++n)
        if (checked(Option1_[n]))
            return static_cast<int>(n);
    return -1;
}

void MainForm::nameEvent() {
    shownName_ = pickedName();
    presentation::List1_Click(state_, *controls_, 0);
}

void MainForm::pickFamily(std::size_t n, interaction::Cause cause) {
    const bool changes = !checked(Option1_[n]);
    checkFamily(Option1_, n);
    if (interaction::raisesEvent(cause, changes))
        presentation::Option1_Click(state_, *controls_, static_cast<std::int16_t>(n));
}

// The names list's keys, as the rules answer them from what the list shows.
bool MainForm::pickNameByKey(interaction::Key key) {
    RECT view;
    GetClientRect(List1_, &view);
    const auto rowHeight = static_cast<int>(SendMessageW(List1_, LB_GETITEMHEIGHT, 0, 0));
    const interaction::NamesList list{
        static_cast<int>(SendMessageW(List1_, LB_GETCOUNT, 0, 0)),
        static_cast<int>(SendMessageW(List1_, LB_GETCARETINDEX, 0, 0)), pickedName(),
        static_cast<int>(SendMessageW(List1_, LB_GETTOPINDEX, 0, 0)),
        std::max(static_cast<int>(view.bottom) / std::max(rowHeight, 1), 1)};
    const std::optional<int> name = interaction::nameAfterKey(key, list);
    if (!name)
        return false;
    SendMessageW(List1_, LB_SETCURSEL, static_cast<WPARAM>(*name), 0); // scrolls it into view
    if (interaction::raisesEvent(causeOf(key), *name != list.picked))
        nameEvent();
    return true;
}

bool MainForm::handleNavigationKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || !IsChild(window_, message.hwnd))
        return false;
    const HWND from = message.hwnd;
    const bool inGroup = GetParent(from) == Frame1_;
    if (message.wParam == VK_TAB) {
        const form::Stop here = from == Text1_ ? form::Stop::Text1
                                : inGroup      ? form::Stop::Option1
                                               : form::Stop::List1;
        const interaction::Focus to =
            interaction::afterTab(here, GetKeyState(VK_SHIFT) < 0, checkedFamily());
        SetFocus(to.stop == form::Stop::Text1   ? Text1_
                 : to.stop == form::Stop::List1 ? List1_
                                                : Option1_[static_cast<std::size_t>(to.family)]);
        return true;
    }
    const std::optional<interaction::Key> key = keyOf(message.wParam);
    if (!key)
        return false;
    if (from == List1_)
        return pickNameByKey(*key);
    if (!inGroup)
        return false;
    std::size_t focused = 0;
    while (Option1_[focused] != from)
        ++focused;
    const std::optional<int> family = interaction::familyAfterKey(*key, static_cast<int>(focused));
    if (!family)
        return false;
    const auto n = static_cast<std::size_t>(*family);
    SetFocus(Option1_[n]);
    pickFamily(n, causeOf(*key));
    return true;
}

void showRuntimeError(std::string_view what) {
    const std::string message = presentation::runtimeErrorMessage(what);
    const int length = MultiByteToWideChar(CP_UTF8, 0, message.data(),
                                           static_cast<int>(message.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, message.data(), static_cast<int>(message.size()), text.data(),
                        length);
    MessageBoxW(nullptr, text.c_str(), wide(form::Label1[0].text).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}
