#pragma once

#include "control_services.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// Controls held in memory, to drive the handlers without a window. Selecting a family button from
// code raises the family event through onFamilySelected, synchronously, as the window does.
class MemoryControls final : public presentation::ControlServices {
public:
    // Starts with the catalogue's names, the three family captions and nothing selected.
    MemoryControls();

    std::vector<std::u16string> names;
    std::int16_t selectedName = -1;
    std::array<std::u16string, OptionArraySize> captions;
    std::int16_t selectedFamily = -1;
    std::u16string infoBox;
    std::vector<std::u16string> writes; // every text written to the info box, in order
    // What the box does to its text between a write and the next read; nothing when empty. A
    // handler that extends its own copy instead of reading the box back never sees it.
    std::function<std::u16string(std::u16string)> onRead;
    std::function<void(std::int16_t)> onFamilySelected;

private:
    std::int16_t doNamesIndex() const override;
    std::int16_t doNamesCount() const override;
    std::u16string doName(std::int16_t p) const override;
    std::u16string doOptionCaption(std::int16_t n) const override;
    void doSelectOption(std::int16_t n) override;
    std::u16string doText() const override;
    void doSetText(std::u16string_view text) override;
};
