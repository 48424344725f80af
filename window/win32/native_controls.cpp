#include "native_controls.h"

#include <string>
#include <utility>

static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::u16string windowText(HWND window) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)), u'\0');
    // The length may overstate (it may count a conversion's worst case), never understate.
    const int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                      static_cast<int>(text.size() + 1));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void checkFamily(const NativeControls::Families& families, std::size_t n) {
    for (std::size_t i = 0; i < families.size(); ++i)
        SendMessageW(families[i], BM_SETCHECK, i == n ? BST_CHECKED : BST_UNCHECKED, 0);
}

NativeControls::NativeControls(HWND names, const Families& families, HWND infoBox,
                               std::function<void(std::int16_t)> familySelected)
    : names_(names), families_(families), infoBox_(infoBox),
      familySelected_(std::move(familySelected)) {}

std::int16_t NativeControls::doNamesIndex() const {
    return static_cast<std::int16_t>(SendMessageW(names_, LB_GETCURSEL, 0, 0));
}

std::int16_t NativeControls::doNamesCount() const {
    return static_cast<std::int16_t>(SendMessageW(names_, LB_GETCOUNT, 0, 0));
}

std::u16string NativeControls::doName(std::int16_t p) const {
    const auto length = SendMessageW(names_, LB_GETTEXTLEN, static_cast<WPARAM>(p), 0);
    std::u16string item(static_cast<std::size_t>(length > 0 ? length : 0) + 1, u'\0');
    SendMessageW(names_, LB_GETTEXT, static_cast<WPARAM>(p), reinterpret_cast<LPARAM>(item.data()));
    item.pop_back();
    return item;
}

std::u16string NativeControls::doOptionCaption(std::int16_t n) const {
    return windowText(families_[static_cast<std::size_t>(n)]);
}

void NativeControls::doSelectOption(std::int16_t n) {
    const auto chosen = static_cast<std::size_t>(n);
    const bool changes = SendMessageW(families_[chosen], BM_GETCHECK, 0, 0) != BST_CHECKED;
    checkFamily(families_, chosen);
    if (changes)
        familySelected_(n);
}

// A multi-line edit keeps line breaks as CR LF, as the handlers write and expect to read them.
std::u16string NativeControls::doText() const {
    return windowText(infoBox_);
}

void NativeControls::doSetText(std::u16string_view text) {
    const std::wstring terminated(text.begin(), text.end());
    SetWindowTextW(infoBox_, terminated.c_str());
}
