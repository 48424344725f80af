#include "handlers.h"

#include "conversions.h"

#include <string>
#include <string_view>

namespace presentation {

namespace {

constexpr std::u16string_view CrLf = u"\r\n";

// The info box is extended by reading it back whole and writing it out longer, so whatever the
// box does to the text on the way (line breaks above all) is what the next step builds on.
void appendToText(ControlServices& controls, std::u16string_view tail) {
    controls.setText(controls.text().append(tail));
}

} // namespace

void List1_Click(FormState& state, ControlServices& controls, std::int16_t /*Index*/) {
    const EventGuard guard(state);
    if (!guard.entered())
        return;

    const std::int16_t selected = controls.listIndex(0);
    if (selected < 0)
        return; // nothing is picked, so there is nothing to show

    state.SelectedBird = selected;
    const std::int16_t bird = *state.SelectedBird;
    state.CurrentFamily = textToNumber(controls.listItem(1, bird));
    const std::int16_t family = toIndex(*state.CurrentFamily);

    controls.setText(
        std::u16string(u"Семейство ").append(controls.optionCaption(family)).append(CrLf));
    appendToText(controls,
                 std::u16string(u"Род: ").append(controls.listItem(0, bird)).append(CrLf));
    appendToText(controls, controls.listItem(2, bird));

    // Raises the family event inside this call; the guard turns it away, so the bird's text stays.
    controls.selectOption(family);
}

void Option1_Click(FormState& state, ControlServices& controls, std::int16_t Index) {
    const EventGuard guard(state);
    if (!guard.entered())
        return;

    controls.setText(std::u16string(u"Семейство ")
                         .append(controls.optionCaption(Index))
                         .append(u" включва:")
                         .append(CrLf));
    const std::int16_t count = controls.listCount(0);
    state.CurrentFamily = Index;
    for (std::int16_t p = 0; p < count; ++p) {
        if (textToNumber(controls.listItem(1, p)) == *state.CurrentFamily)
            appendToText(controls, controls.listItem(0, p).append(CrLf));
    }
}

} // namespace presentation
