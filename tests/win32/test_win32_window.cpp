// The native window under Wine, driven by real mouse and keyboard input: texts, selection,
// checked family, focus order, geometry, font and colours. Run with --dpi=N, the density the
// prefix was set to, to check the layout scaled to it.

#include "catalogue.h"
#include "check.h"
#include "expected.h"
#include "form_definition.h"
#include "main_form.h"
#include "win32_input.h"

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

int dpi = 96;

std::u16string birdText(int p) {
    const auto position = static_cast<std::size_t>(p);
    return expected::birdText(position, catalogue::Descriptions[position]);
}

std::u16string listing(int n) {
    return std::u16string(expected::FamilyListings[static_cast<std::size_t>(n)]);
}

struct Window {
    MainForm form{GetModuleHandleW(nullptr)};

    Window() {
        form.show(SW_SHOWNORMAL);
        SetForegroundWindow(form.window());
        input::pump(&form, 300);
    }
    std::u16string shown() const { return windowText(form.infoBox()); }
    int picked() const { return static_cast<int>(SendMessageW(form.names(), LB_GETCURSEL, 0, 0)); }
    int checkedFamily() const {
        for (std::size_t n = 0; n < 3; ++n)
            if (SendMessageW(form.option(n), BM_GETCHECK, 0, 0) == BST_CHECKED)
                return static_cast<int>(n);
        return -1;
    }
    int busy() const { return form.formState().Busy; }

    void clickName(int p) {
        RECT item;
        SendMessageW(form.names(), LB_SETTOPINDEX, static_cast<WPARAM>(p), 0); // scrolling only
        SendMessageW(form.names(), LB_GETITEMRECT, static_cast<WPARAM>(p),
                     reinterpret_cast<LPARAM>(&item));
        // Alternating sides, so that two clicks in a row never make a double click.
        input::click(form, form.names(),
                     {item.left + 20 + 60 * (p % 2), (item.top + item.bottom) / 2});
    }
    void clickFamily(int n) {
        RECT button;
        GetClientRect(form.option(static_cast<std::size_t>(n)), &button);
        input::click(form, form.option(static_cast<std::size_t>(n)), {30, button.bottom / 2});
    }
    void key(WORD virtualKey, bool shift = false) { input::press(form, virtualKey, shift); }
};

// Where a control is, in its container's client area.
RECT placeOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool placedAt(HWND control, form::Twips twips, int density) {
    const RECT rect = placeOf(control);
    const auto px = [density](int value) {
        return form::toPixels(value, density);
    };
    return rect.left == px(twips.left) && rect.top == px(twips.top) &&
           rect.right - rect.left == px(twips.width) && rect.bottom - rect.top == px(twips.height);
}

// The colour on the screen at a point of the control's client area.
COLORREF pixel(HWND control, POINT point) {
    ClientToScreen(control, &point);
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// A point of the control's client area, counted from the right or bottom when negative.
POINT inset(HWND control, int dx, int dy) {
    RECT rect;
    GetClientRect(control, &rect);
    return POINT{dx >= 0 ? dx : rect.right + dx, dy >= 0 ? dy : rect.bottom + dy};
}

COLORREF rgb(form::Colour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

// The client area, every control's place and the font, scaled to the density.
void checkLayout(const MainForm& form, int density) {
    CHECK_EQ(form.dpi(), density);
    RECT client;
    GetClientRect(form.window(), &client);
    CHECK_EQ(client.right, form::toPixels(form::ClientWidth, density));
    CHECK_EQ(client.bottom, form::toPixels(form::ClientHeight, density));
    CHECK(placedAt(form.label(0), form::Label1[0].place, density));
    CHECK(placedAt(form.label(1), form::Label1[1].place, density));
    CHECK(placedAt(form.frame(), form::Frame1Place, density));
    for (std::size_t n = 0; n < 3; ++n)
        CHECK(placedAt(form.option(n), form::Option1Places[n], density));
    CHECK(placedAt(form.names(), form::List1Place, density));
    CHECK(placedAt(form.infoBox(), form::Text1Place, density));
    for (const HWND control : {form.label(0), form.option(2), form.names(), form.infoBox()}) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        CHECK(std::wstring(font.lfFaceName) == L"Times New Roman");
        CHECK_EQ(font.lfHeight, -MulDiv(12, density, 72));
        CHECK_EQ(font.lfWeight, 400L);
        CHECK_EQ(int{font.lfCharSet}, 204);
    }
}

CASE(opensWithTheStartupTextScaledLayoutFontAndColours) {
    Window w;
    CHECK_EQ(w.shown(), expected::StartupText);
    CHECK_EQ(w.picked(), -1);
    CHECK_EQ(w.checkedFamily(), -1);
    CHECK(GetFocus() == w.form.infoBox());
    CHECK_EQ(windowText(w.form.window()), form::Caption);

    checkLayout(w.form, dpi);
    const LONG style = GetWindowLongW(w.form.window(), GWL_STYLE);
    CHECK((style & (WS_THICKFRAME | WS_MAXIMIZEBOX)) == 0); // fixed size
    for (std::size_t n = 0; n < 3; ++n) {
        CHECK(GetParent(w.form.option(n)) == w.form.frame());
        CHECK_EQ(windowText(w.form.option(n)), expected::FamilyCaptions[n]);
    }
    CHECK_EQ(SendMessageW(w.form.names(), LB_GETCOUNT, 0, 0), LRESULT{16});

    // Points clear of any text and border.
    CHECK_EQ(pixel(w.form.window(), {4, 4}), rgb(form::FormBackground));
    CHECK_EQ(pixel(w.form.label(0), inset(w.form.label(0), 3, 3)), rgb(form::Label1Background));
    CHECK_EQ(pixel(w.form.label(1), inset(w.form.label(1), -3, 3)), rgb(form::Label1Background));
    CHECK_EQ(pixel(w.form.frame(), inset(w.form.frame(), 4, -6)), rgb(form::Frame1Background));
    CHECK_EQ(pixel(w.form.option(0), inset(w.form.option(0), -3, 3)), rgb(form::Option1Background));
    CHECK_EQ(pixel(w.form.names(), {1, 1}), rgb(form::List1Background));
    CHECK_EQ(pixel(w.form.infoBox(), inset(w.form.infoBox(), -30, -2)), GetSysColor(COLOR_WINDOW));
}

// Moved to a monitor of another density, the window is laid out again for it, and its client
// area is the form's there, whatever frame the system draws around it meanwhile.
CASE(aChangeOfDensityLaysTheWindowOutForTheNewOne) {
    Window w;
    const int other = dpi >= 144 ? dpi - 48 : dpi + 48;
    RECT frame;
    GetWindowRect(w.form.window(), &frame);
    // Where Windows suggests the window go: its frame scaled about its top left corner.
    RECT suggested{frame.left, frame.top, frame.left + MulDiv(frame.right - frame.left, other, dpi),
                   frame.top + MulDiv(frame.bottom - frame.top, other, dpi)};
    SendMessageW(w.form.window(), WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    input::pump(&w.form);
    checkLayout(w.form, other);
    GetWindowRect(w.form.window(), &frame);
    CHECK_EQ(frame.left, suggested.left);
    CHECK_EQ(frame.top, suggested.top);
}

CASE(everyNameByMouseShowsItsBirdAndSelectsItsFamily) {
    Window w;
    for (int p = 0; p < 16; ++p) {
        w.clickName(p);
        CHECK_EQ(w.shown(), birdText(p));
        CHECK_EQ(w.picked(), p);
        CHECK_EQ(w.checkedFamily(), expected::Birds[static_cast<std::size_t>(p)].family);
        CHECK_EQ(w.busy(), 0);
        // Repainted on its own as its buttons change, the frame still fills its inside.
        CHECK_EQ(pixel(w.form.frame(), inset(w.form.frame(), -12, 30)),
                 rgb(form::Frame1Background));
    }
}

// A click on what is already selected raises its event once more: from a family listing back to
// the highlighted bird, and from a bird back to its family's listing.
CASE(familiesByMouseAndReclicksShowTheSelectionAgain) {
    Window w;
    for (int n : {1, 0, 2}) {
        w.clickFamily(n);
        CHECK_EQ(w.shown(), listing(n));
        CHECK_EQ(w.checkedFamily(), n);
        // Repainted on its own, the frame still fills its inside.
        CHECK_EQ(pixel(w.form.frame(), inset(w.form.frame(), -5, -8)), rgb(form::Frame1Background));
    }
    w.clickName(6);
    w.clickFamily(0);
    CHECK_EQ(w.shown(), listing(0));
    CHECK_EQ(w.picked(), 6); // the bird stays highlighted under a family listing
    w.clickName(6);
    CHECK_EQ(w.shown(), birdText(6));
    CHECK_EQ(w.checkedFamily(), 1);
    w.clickFamily(1);
    CHECK_EQ(w.shown(), listing(1));
    CHECK_EQ(w.busy(), 0);
}

CASE(keyboardFocusOrderArrowsAndSpace) {
    Window w;
    w.key(VK_TAB); // into the family group: focus alone picks nothing
    CHECK(GetFocus() == w.form.option(0));
    CHECK_EQ(w.checkedFamily(), -1);
    w.key(VK_TAB);
    CHECK(GetFocus() == w.form.names());
    CHECK_EQ(w.picked(), -1);
    CHECK_EQ(w.shown(), expected::StartupText);

    w.key(VK_DOWN); // the first Down picks the name under the focus frame
    CHECK_EQ(w.picked(), 0);
    CHECK_EQ(w.shown(), birdText(0));
    w.key(VK_DOWN);
    CHECK_EQ(w.shown(), birdText(1));
    w.key(VK_END);
    CHECK_EQ(w.shown(), birdText(15));
    w.key(VK_UP);
    CHECK_EQ(w.shown(), birdText(14));
    CHECK_EQ(w.checkedFamily(), 1);

    w.key(VK_TAB); // round to the info box, then into the group at the selected family
    CHECK(GetFocus() == w.form.infoBox());
    w.key(VK_TAB);
    CHECK(GetFocus() == w.form.option(1));
    CHECK_EQ(w.shown(), birdText(14));
    w.key(VK_SPACE); // the selected family again
    CHECK_EQ(w.shown(), listing(1));
    for (const auto& [key, family] :
         {std::pair<WORD, int>{VK_DOWN, 2}, {VK_RIGHT, 0}, {VK_LEFT, 2}, {VK_UP, 1}}) {
        w.key(key);
        CHECK_EQ(w.checkedFamily(), family);
        CHECK(GetFocus() == w.form.option(static_cast<std::size_t>(family)));
        CHECK_EQ(w.shown(), listing(family));
    }

    w.key(VK_TAB, true); // Shift+Tab: back to the info box
    CHECK(GetFocus() == w.form.infoBox());
    w.key(VK_TAB, true); // and backwards round to the names list
    CHECK(GetFocus() == w.form.names());
    w.key(VK_SPACE); // Space on the picked name shows it again
    CHECK_EQ(w.shown(), birdText(14));
    CHECK_EQ(w.picked(), 14);
    CHECK_EQ(w.busy(), 0);
}

// As Windows' own option buttons do without the mouse capture, and Wine 10's even with it (Wine
// 8's never): a button that gets the focus reports a click, and an automatic one checks itself.
LRESULT CALLBACK selectOnFocus(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (message == WM_SETFOCUS && SendMessageW(button, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        if ((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

// The focus in the family group, the user switches to another window and back: the focus
// returns to the family button, and picks nothing.
CASE(focusGivenBackOnReturnToTheWindowPicksNoFamily) {
    Window w;
    for (std::size_t n = 0; n < 3; ++n)
        SetWindowSubclass(w.form.option(n), selectOnFocus, 1, 0);
    w.key(VK_TAB);
    CHECK(GetFocus() == w.form.option(0));
    const HWND other = CreateWindowExW(0, WC_STATICW, L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    input::pump(&w.form);
    CHECK(GetForegroundWindow() == other);
    SetForegroundWindow(w.form.window());
    input::pump(&w.form);
    CHECK(GetFocus() == w.form.option(0));
    CHECK_EQ(w.checkedFamily(), -1);
    CHECK_EQ(w.shown(), expected::StartupText);
    DestroyWindow(other);
}

LRESULT CALLBACK countWrites(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR count) {
    if (message == WM_SETTEXT)
        ++*reinterpret_cast<int*>(count);
    return DefSubclassProc(box, message, wParam, lParam);
}

// The focus reaching a family button by Tab picks nothing, and a click that brings it there raises
// the family's event once: its listing is written once and once per member, not twice over.
CASE(aFamilyButtonTakingTheFocusReportsNoClick) {
    Window w;
    for (std::size_t n = 0; n < 3; ++n)
        SetWindowSubclass(w.form.option(n), selectOnFocus, 1, 0);
    int writes = 0;
    SetWindowSubclass(w.form.infoBox(), countWrites, 1, reinterpret_cast<DWORD_PTR>(&writes));
    w.key(VK_TAB);
    CHECK(GetFocus() == w.form.option(0));
    CHECK_EQ(w.checkedFamily(), -1);
    CHECK_EQ(writes, 0);
    w.key(VK_TAB, true);
    CHECK(GetFocus() == w.form.infoBox());
    w.clickFamily(2);
    CHECK(GetFocus() == w.form.option(2));
    CHECK_EQ(w.shown(), listing(2));
    const auto members = std::count_if(expected::Birds.begin(), expected::Birds.end(),
                                       [](const expected::Bird& b) { return b.family == 2; });
    CHECK_EQ(writes, 1 + static_cast<int>(members));
}

// Before any name is picked, the first key picks: Up and Space the name under the focus frame,
// End the last name, Page Down the last in view, and a second Page Down a page on from there; the
// same names as in every other version of the program.
CASE(theFirstKeyInAnUnpickedNamesListPicks) {
    const int lastInView = expected::NamesInView - 1;
    for (const auto& [key, name] :
         {std::pair<WORD, int>{VK_UP, 0}, {VK_SPACE, 0}, {VK_END, 15}, {VK_NEXT, lastInView}}) {
        Window w;
        w.key(VK_TAB, true);
        CHECK(GetFocus() == w.form.names());
        w.key(key);
        CHECK_EQ(w.picked(), name);
        CHECK_EQ(w.shown(), birdText(name));
        if (key == VK_NEXT) {
            w.key(VK_NEXT); // the old page's last name stays in view, at the top
            CHECK_EQ(SendMessageW(w.form.names(), LB_GETTOPINDEX, 0, 0), LRESULT{lastInView});
            CHECK_EQ(w.picked(), 2 * lastInView);
            CHECK_EQ(w.shown(), birdText(2 * lastInView));
        }
    }
}

// A click whose release never comes, the capture taken away with the button down, still shows the
// name it picked; and a letter typed to find a name afterwards shows that one.
CASE(aClickCutShortStillShowsItsName) {
    Window w;
    RECT item;
    SendMessageW(w.form.names(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    POINT at{item.left + 20, (item.top + item.bottom) / 2};
    ClientToScreen(w.form.names(), &at);
    input::send({input::mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at),
                 input::mouse(MOUSEEVENTF_LEFTDOWN)});
    input::pump(&w.form);
    SetCapture(w.form.window());
    CHECK_EQ(w.shown(), birdText(2));
    input::send({input::mouse(MOUSEEVENTF_LEFTUP)});
    input::pump(&w.form);
    ReleaseCapture();
    INPUT letter = input::key(0, false);
    letter.ki.wScan = u'М';
    letter.ki.dwFlags = KEYEVENTF_UNICODE;
    input::send({letter});
    input::pump(&w.form);
    CHECK_EQ(w.picked(), 8); // "Малка кукумявка", the first name after the picked one with "М"
    CHECK_EQ(w.shown(), birdText(8));
}

// With no family picked yet, an arrow in the group picks from the first, round the end.
CASE(anArrowBeforeAnyFamilyIsPickedGoesRoundFromTheFirst) {
    Window w;
    w.key(VK_TAB);
    w.key(VK_UP);
    CHECK_EQ(w.checkedFamily(), 2);
    CHECK(GetFocus() == w.form.option(2));
    CHECK_EQ(w.shown(), listing(2));
}

// The session by keyboard that every version of the program plays alike.
CASE(theKeySessionOfEveryVersion) {
    using expected::Press;
    constexpr std::array<WORD, 11> keys = {VK_TAB,  VK_TAB, VK_UP,    VK_DOWN, VK_LEFT, VK_RIGHT,
                                           VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_SPACE};
    Window w;
    for (const expected::KeyStep& step : expected::KeySession) {
        w.key(keys[static_cast<std::size_t>(step.key)], step.key == Press::ShiftTab);
        CHECK_EQ(w.picked(), step.name);
        CHECK_EQ(w.checkedFamily(), step.family);
        CHECK_EQ(w.shown(), step.shows == expected::Shows::Bird ? birdText(step.name)
                            : step.shows == expected::Shows::Listing
                                ? listing(step.family)
                                : std::u16string(expected::StartupText));
    }
}

// The name a screen reader announces for a control, from the system's accessibility layer.
std::u16string accessibleName(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return u"(no accessible object)";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    object->get_accName(self, &name);
    std::u16string result(reinterpret_cast<const char16_t*>(name ? name : L""), SysStringLen(name));
    SysFreeString(name);
    object->Release();
    return result;
}

// Under Wine only the names can be observed: its accessibility layer gives every control the
// plain client role and no checked state.
CASE(screenReadersGetTheNamesTheLinuxProgramGives) {
    CoInitialize(nullptr);
    {
        Window w;
        CHECK_EQ(accessibleName(w.form.names()), std::u16string_view(u"род грабливи птици"));
        CHECK_EQ(accessibleName(w.form.infoBox()), std::u16string_view(u"Информация"));
        CHECK_EQ(accessibleName(w.form.frame()), std::u16string_view(u"сем. Грабливи птици"));
        for (std::size_t n = 0; n < 3; ++n)
            CHECK_EQ(accessibleName(w.form.option(n)), expected::FamilyCaptions[n]);
    }
    CoUninitialize();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> cases{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--dpi=", 6) == 0)
            dpi = std::atoi(argv[i] + 6);
        else
            cases.push_back(argv[i]);
    }
    return check::runAll(static_cast<int>(cases.size()), cases.data());
}
