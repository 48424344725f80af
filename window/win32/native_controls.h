#pragma once

#include "control_services.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

// The control operations over the native controls: the names list box, the family buttons and the
// info box.
class NativeControls final : public presentation::ControlServices {
public:
    using Families = std::array<HWND, OptionArraySize>;

    // familySelected raises the family event: BM_SETCHECK notifies nobody, so selecting a button
    // from code calls it, before selectOption returns, as a user's pick would.
    NativeControls(HWND names, const Families& families, HWND infoBox,
                   std::function<void(std::int16_t)> familySelected);

private:
    std::int16_t doNamesIndex() const override;
    std::int16_t doNamesCount() const override;
    std::u16string doName(std::int16_t p) const override;
    std::u16string doOptionCaption(std::int16_t n) const override;
    void doSelectOption(std::int16_t n) override;
    std::u16string doText() const override;
    void doSetText(std::u16string_view text) override;

    HWND names_;
    Families families_;
    HWND infoBox_;
    std::function<void(std::int16_t)> familySelected_;
};

// Checks family button n and clears the others, which raises nothing.
void checkFamily(const NativeControls::Families& families, std::size_t n);

// A window's whole text. wchar_t is UTF-16 on Windows, as the program's texts are.
std::u16string windowText(HWND window);
