#pragma once

#include "form_state.h"
#include "interaction_rules.h"
#include "native_controls.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>

// The program's one window, drawn with the native controls from the form's definition. Its layout
// is fixed in twips and scaled to the monitor's density (and again when the window moves to a
// monitor of another density); it handles exactly two events: a name picked in the names list and
// a family button picked.
class MainForm final {
public:
    explicit MainForm(HINSTANCE instance);
    ~MainForm();
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    HWND window() const { return window_; }
    void show(int showCommand);

    // The keys the window's rules give a meaning: Tab and Shift+Tab between the controls, and the
    // keys that pick a family or a name. Called with every message before it is translated and
    // dispatched; true means the message was handled and must go no further.
    bool handleNavigationKey(const MSG& message);

    presentation::ControlServices& controls() { return *controls_; }
    const presentation::FormState& formState() const { return state_; }

    HWND label(std::size_t i) const { return Label1_[i]; }
    HWND frame() const { return Frame1_; }
    HWND option(std::size_t n) const { return Option1_[n]; }
    HWND names() const { return List1_; }
    HWND infoBox() const { return Text1_; }
    int dpi() const { return dpi_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK namesProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR form);
    static LRESULT CALLBACK optionProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR form);
    static LRESULT CALLBACK frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR form);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT colour(HWND control, HDC dc);
    int px(int twips) const;
    void createControls(HINSTANCE instance);
    void fitClientArea();
    void changeDpi(int dpi, const RECT& suggested);
    int pickedName() const;
    int checkedFamily() const;
    bool pickNameByKey(interaction::Key key);
    void pickFamily(std::size_t n, interaction::Cause cause);
    void nameEvent();

    HWND window_ = nullptr;
    std::array<HWND, 2> Label1_{};
    HWND Frame1_ = nullptr;
    NativeControls::Families Option1_{};
    HWND List1_ = nullptr;
    HWND Text1_ = nullptr;

    int dpi_ = 96;
    HFONT font_ = nullptr;
    HBRUSH formBrush_, labelBrush_, frameBrush_;
    HWND focused_ = nullptr;       // the control to give the focus back to on reactivation
    int shownName_ = -1;           // the name the info box was last built for by selection
    bool clickingName_ = false;    // the mouse button is down on the names list
    bool releasingOption_ = false; // a family button handles the release of a click

    presentation::FormState state_;
    std::unique_ptr<NativeControls> controls_;
};

// Shows a run-time error the way a Windows program does: in a message box naming it.
void showRuntimeError(std::string_view what);
