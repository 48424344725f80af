#include "interaction_rules.h"

#include "catalogue.h"

#include <algorithm>
#include <cstddef>

namespace interaction {

namespace {

constexpr int Families = static_cast<int>(catalogue::FamilyCount);

// Page moves as list boxes have always made them: first to the edge of what is in view, then a
// page on, keeping one name of the old page in view.
int pageDown(const NamesList& list) {
    const int bottom = std::min(list.top + list.rows - 1, list.count - 1);
    return list.frame < bottom ? bottom
                               : std::min(list.frame + std::max(list.rows - 1, 1), list.count - 1);
}

int pageUp(const NamesList& list) {
    return list.frame > list.top ? list.top : std::max(list.frame - std::max(list.rows - 1, 1), 0);
}

} // namespace

Focus afterTab(form::Stop from, bool backwards, int checkedFamily) {
    const auto stops = static_cast<std::ptrdiff_t>(form::TabOrder.size());
    const auto here = std::find(form::TabOrder.begin(), form::TabOrder.end(), from);
    const std::ptrdiff_t next =
        ((here - form::TabOrder.begin()) + (backwards ? stops - 1 : 1)) % stops;
    const form::Stop stop = form::TabOrder[static_cast<std::size_t>(next)];
    if (stop != form::Stop::Option1)
        return {stop, -1};
    return {stop, checkedFamily >= 0 ? checkedFamily : 0};
}

std::optional<int> familyAfterKey(Key key, int focusedFamily) {
    switch (key) {
    case Key::Up:
    case Key::Left:
        return (focusedFamily + Families - 1) % Families;
    case Key::Down:
    case Key::Right:
        return (focusedFamily + 1) % Families;
    case Key::Space:
        return focusedFamily;
    default:
        return std::nullopt;
    }
}

std::optional<int> nameAfterKey(Key key, const NamesList& list) {
    if (list.count <= 0)
        return std::nullopt;
    const bool picked = list.picked >= 0;
    switch (key) {
    case Key::Up:
    case Key::Left:
        return picked ? std::max(list.frame - 1, 0) : list.frame;
    case Key::Down:
    case Key::Right:
        return picked ? std::min(list.frame + 1, list.count - 1) : list.frame;
    case Key::Space:
        return list.frame;
    case Key::Home:
        return 0;
    case Key::End:
        return list.count - 1;
    case Key::PageDown:
        return pageDown(list);
    case Key::PageUp:
        return pageUp(list);
    }
    return std::nullopt;
}

} // namespace interaction
