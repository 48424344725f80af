#include "dom_controls.h"

#include <algorithm>
#include <string>
#include <utility>

using emscripten::val;

DomControls::DomControls(val names, Families families, val infoBox)
    : names_(std::move(names)), families_(std::move(families)), infoBox_(std::move(infoBox)) {}

std::int16_t DomControls::doNamesIndex() const {
    return static_cast<std::int16_t>(names_["selectedIndex"].as<int>());
}

std::int16_t DomControls::doNamesCount() const {
    return static_cast<std::int16_t>(names_["options"]["length"].as<int>());
}

// An option's text and label strip and collapse its spaces; its content keeps them, each space
// after the first as a no-break space so that the list shows it.
std::u16string DomControls::doName(std::int16_t p) const {
    std::u16string name = names_["options"][p]["textContent"].as<std::u16string>();
    std::replace(name.begin(), name.end(), u'\u00A0', u' ');
    return name;
}

std::u16string DomControls::doOptionCaption(std::int16_t n) const {
    return families_[static_cast<std::size_t>(n)]["parentNode"]["textContent"].as<std::u16string>();
}

// Checking a radio from a script tells nobody; the family event is raised as the user's pick
// would raise it, through the page, before this returns.
void DomControls::doSelectOption(std::int16_t n) {
    val& button = families_[static_cast<std::size_t>(n)];
    if (button["checked"].as<bool>())
        return;
    button.set("checked", true);
    button.call<bool>("dispatchEvent", val::global("Event").new_(val("change")));
}

std::u16string DomControls::doText() const {
    return infoBox_["value"].as<std::u16string>();
}

// A new text shows from its start, as on the desktop; the box would put the caret at its end.
void DomControls::doSetText(std::u16string_view text) {
    infoBox_.set("value", val(std::u16string(text)));
    infoBox_.call<void>("setSelectionRange", 0, 0);
    infoBox_.set("scrollTop", 0);
}
