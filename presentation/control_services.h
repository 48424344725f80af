#pragma once

#include "catalogue.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace presentation {

// The operations the two event handlers need from the window's controls, and nothing more:
//   List1(k)   k = 0 the names list, 1 the family codes, 2 the descriptions
//   Option1(n) the family buttons, n = family number
//   Text1(0)   the info box
// The family codes and descriptions are never shown, so no front-end holds them: List1(1) and
// List1(2) are the catalogue's own lists, answered here, and never selected. A front-end gives
// the names list, the family buttons and the info box. Every index is checked here, once for all
// front-ends: a missing control or list item is a run-time error naming the control and the index.
class ControlServices {
public:
    // One list per catalogue list, one button per family.
    static constexpr std::int16_t ListArraySize = static_cast<std::int16_t>(catalogue::ListCount);
    static constexpr std::int16_t OptionArraySize =
        static_cast<std::int16_t>(catalogue::FamilyCount);

    virtual ~ControlServices() = default;
    ControlServices(const ControlServices&) = delete;
    ControlServices& operator=(const ControlServices&) = delete;

    // List1(k).ListIndex: position of the selected item, -1 when none is selected.
    std::int16_t listIndex(std::int16_t k) const;
    // List1(k).ListCount
    std::int16_t listCount(std::int16_t k) const;
    // List1(k).List(p)
    std::u16string listItem(std::int16_t k, std::int16_t p) const;
    // Option1(n).Caption
    std::u16string optionCaption(std::int16_t n) const;
    // Option1(n).Value = True. When that changes which button is selected, the family event for n
    // is raised before this returns; selecting the already selected button raises nothing.
    void selectOption(std::int16_t n);
    // Text1(0).Text, whole. Every line break reads back as CR LF, whatever break was written or
    // the box holds (CR LF, CR or LF alone, U+2028, U+2029): a box keeps lines, not the characters
    // that ended them. Every other character reads back as written.
    std::u16string text() const;
    void setText(std::u16string_view text);

protected:
    ControlServices() = default;

private:
    // Implementations may assume valid indexes, and are given text with CR LF breaks only.
    // List1(0), the names list: ListIndex, ListCount and List(p).
    virtual std::int16_t doNamesIndex() const = 0;
    virtual std::int16_t doNamesCount() const = 0;
    virtual std::u16string doName(std::int16_t p) const = 0;
    virtual std::u16string doOptionCaption(std::int16_t n) const = 0;
    virtual void doSelectOption(std::int16_t n) = 0;
    virtual std::u16string doText() const = 0;
    virtual void doSetText(std::u16string_view text) = 0;
};

} // namespace presentation
