#pragma once

#include "control_services.h"

#include <emscripten/val.h>

#include <array>

// The control operations over the page's own controls: the names list is a <select>, the family
// buttons are radio inputs, the info box is a <textarea>.
class DomControls final : public presentation::ControlServices {
public:
    using Families = std::array<emscripten::val, OptionArraySize>;

    DomControls(emscripten::val names, Families families, emscripten::val infoBox);

private:
    std::int16_t doNamesIndex() const override;
    std::int16_t doNamesCount() const override;
    std::u16string doName(std::int16_t p) const override;
    std::u16string doOptionCaption(std::int16_t n) const override;
    void doSelectOption(std::int16_t n) override;
    std::u16string doText() const override;
    void doSetText(std::u16string_view text) override;

    emscripten::val names_;
    Families families_;
    emscripten::val infoBox_;
};
