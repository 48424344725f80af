#pragma once

// What a key or a click means in the window, decided here once for every front-end: the focus
// order, the family group's arrows, the names list's keys, and when picking what is already
// picked shows it again. A front-end reports what its controls hold, does what the answer says,
// and leaves to its controls only what they already do exactly this way; so the program behaves
// alike on every platform, whatever each toolkit's own conventions are.
//
// Ctrl, Shift and the keypad change none of these meanings: a front-end reports Ctrl+Down or the
// keypad's Down as Down. Keys not listed here (letters for type-ahead, say) stay the controls'.

#include "form_definition.h"

#include <optional>

namespace interaction {

enum class Key { Up, Down, Left, Right, Home, End, PageUp, PageDown, Space };

// Where the focus goes. `family` is the family button that takes it when `stop` is the family
// group, and -1 for the other stops.
struct Focus {
    form::Stop stop;
    int family;
    friend constexpr bool operator==(Focus, Focus) = default;
};

// Tab, or Shift+Tab (backwards), from the stop that has the focus: the next stop of the tab order,
// round the ends. The family group is one stop, entered at the checked family, or at the first
// when none is checked (checkedFamily -1). Moving the focus picks nothing, in the group or in the
// names list.
Focus afterTab(form::Stop from, bool backwards, int checkedFamily);

// The family a key picks in the family group, from the family button that has the focus: Up and
// Left the previous, Down and Right the next, round the ends, whether or not one is checked yet;
// Space the focused one. Empty for the other keys.
std::optional<int> familyAfterKey(Key key, int focusedFamily);

// What the names list holds, as its front-end reports it.
struct NamesList {
    int count;  // names in the list
    int frame;  // the name under the focus frame: the first one until a name is picked
    int picked; // the picked name, or -1 while none is
    int top;    // the first name wholly in view
    int rows;   // how many names the list shows wholly, at least 1
};

// The name a key picks in the names list (the focus frame goes with it, and the list scrolls it
// into view by the least amount). Before any name is picked, Up, Down, Left, Right and Space pick
// the name under the focus frame; after, Up and Left move one name up, Down and Right one down,
// and Space picks the name under the frame again. Home picks the first name, End the last. Page
// Down picks the last name wholly in view, or, when the frame is already there, the name a page
// further down (a page being one name less than the list shows); Page Up the same upwards. Empty
// for the other keys, and when the list is empty.
std::optional<int> nameAfterKey(Key key, const NamesList& list);

// What made a name or a family picked.
enum class Cause {
    Click,   // a mouse click on it
    Space,   // Space over it
    MoveKey, // any other key of the rules above
    Code,    // the program, as when a bird's family is picked for it
};

// Whether a pick raises the list's or the family group's event: always when it changes what is
// picked; and a click or Space on what is already picked shows it again.
constexpr bool raisesEvent(Cause cause, bool changesPick) {
    return changesPick || cause == Cause::Click || cause == Cause::Space;
}

} // namespace interaction
