#include "check.h"
#include "interaction_rules.h"

#include <optional>

using form::Stop;
using interaction::Cause;
using interaction::Key;

namespace {

constexpr int None = -1;

} // namespace

CASE(tabGoesRoundTheStopsAndEntersTheGroupAtTheCheckedFamily) {
    struct Row {
        Stop from;
        bool backwards;
        int checked;
        interaction::Focus to;
    };
    constexpr Row rows[] = {
        {Stop::Text1, false, None, {Stop::Option1, 0}},
        {Stop::Text1, false, 2, {Stop::Option1, 2}},
        {Stop::Option1, false, 1, {Stop::List1, None}},
        {Stop::List1, false, 1, {Stop::Text1, None}},
        {Stop::Text1, true, 1, {Stop::List1, None}},
        {Stop::List1, true, None, {Stop::Option1, 0}},
        {Stop::List1, true, 1, {Stop::Option1, 1}},
        {Stop::Option1, true, 2, {Stop::Text1, None}},
    };
    for (const Row& row : rows) {
        const interaction::Focus to = interaction::afterTab(row.from, row.backwards, row.checked);
        CHECK_EQ(to.stop, row.to.stop);
        CHECK_EQ(to.family, row.to.family);
    }
}

CASE(familyArrowsGoRoundTheEnds) {
    struct Row {
        Key key;
        int focused;
        std::optional<int> picked;
    };
    constexpr Row rows[] = {
        {Key::Up, 0, 2},    {Key::Left, 0, 2},  {Key::Down, 2, 0},      {Key::Right, 2, 0},
        {Key::Up, 1, 0},    {Key::Down, 1, 2},  {Key::Right, 0, 1},     {Key::Left, 2, 1},
        {Key::Space, 1, 1}, {Key::Home, 1, {}}, {Key::PageDown, 0, {}},
    };
    for (const Row& row : rows)
        CHECK(interaction::familyAfterKey(row.key, row.focused) == row.picked);
}

CASE(namesListKeysBeforeAndAfterAPick) {
    // Sixteen names, six of them in view.
    struct Row {
        Key key;
        int frame, picked, top;
        std::optional<int> to;
    };
    constexpr Row rows[] = {
        // Nothing picked yet, the frame on the first name (as after Tab) or on another.
        {Key::Up, 0, None, 0, 0},
        {Key::Down, 0, None, 0, 0},
        {Key::Left, 0, None, 0, 0},
        {Key::Right, 0, None, 0, 0},
        {Key::Space, 0, None, 0, 0},
        {Key::Home, 0, None, 0, 0},
        {Key::End, 0, None, 0, 15},
        {Key::PageDown, 0, None, 0, 5},
        {Key::PageUp, 0, None, 0, 0},
        {Key::Up, 3, None, 0, 3},
        {Key::PageUp, 3, None, 2, 2},
        // A name picked: moves from it, stopping at the ends.
        {Key::Up, 0, 0, 0, 0},
        {Key::Down, 0, 0, 0, 1},
        {Key::Right, 4, 4, 0, 5},
        {Key::Left, 4, 4, 0, 3},
        {Key::Space, 7, 7, 2, 7},
        {Key::Down, 15, 15, 10, 15},
        {Key::Home, 9, 9, 4, 0},
        {Key::End, 2, 2, 0, 15},
        // Pages: to the edge of the view, then a page on, never past the ends.
        {Key::PageDown, 2, 2, 0, 5},
        {Key::PageDown, 5, 5, 0, 10},
        {Key::PageDown, 12, 12, 10, 15},
        {Key::PageDown, 15, 15, 10, 15},
        {Key::PageUp, 12, 12, 10, 10},
        {Key::PageUp, 10, 10, 10, 5},
        {Key::PageUp, 3, 3, 3, 0},
    };
    for (const Row& row : rows)
        CHECK(interaction::nameAfterKey(row.key, {16, row.frame, row.picked, row.top, 6}) ==
              row.to);

    // One row in view still pages; an empty list picks nothing.
    CHECK(interaction::nameAfterKey(Key::PageDown, {16, 3, 3, 3, 1}) == std::optional<int>(4));
    CHECK(interaction::nameAfterKey(Key::PageUp, {16, 3, 3, 3, 1}) == std::optional<int>(2));
    CHECK(!interaction::nameAfterKey(Key::End, {0, 0, None, 0, 6}));
}

CASE(aClickOrSpaceOnWhatIsPickedShowsItAgain) {
    CHECK(interaction::raisesEvent(Cause::Click, false));
    CHECK(interaction::raisesEvent(Cause::Space, false));
    CHECK(!interaction::raisesEvent(Cause::MoveKey, false));
    CHECK(!interaction::raisesEvent(Cause::Code, false));
    for (const Cause cause : {Cause::Click, Cause::Space, Cause::MoveKey, Cause::Code})
        CHECK(interaction::raisesEvent(cause, true));
}

int main(int argc, char** argv) {
    return check::runAll(argc, argv);
}
