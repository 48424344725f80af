#pragma once

// The fixed body of data the program presents: sixteen birds of prey and their three families.
// It is compiled in and never changes at run time.
//
// A bird (a BirdEntry) is not a record but a position: three parallel lists, aligned by position,
// hold every bird's name, family code and description. Position is the only key, so none of the
// lists may ever be sorted or edited on its own. Texts are UTF-16 so that lengths count characters,
// not bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace catalogue {

inline constexpr std::size_t BirdCount = 16;
inline constexpr std::size_t FamilyCount = 3;
// Names, family codes and descriptions: the window's list array holds them in this order.
inline constexpr std::size_t ListCount = 3;

using BirdList = std::array<std::u16string_view, BirdCount>;

// In Bulgarian alphabetical order, as shown in the names list.
extern const BirdList Names;
// The family of each bird, as the text of one decimal digit (a family number).
extern const BirdList FamilyCodes;
// One paragraph each, no line breaks; most read as the continuation of a sentence whose subject
// is the bird's name.
extern const BirdList Descriptions;

// A family's number is also the index of its button among the family buttons.
struct FamilyEntry {
    std::int16_t number;
    std::u16string_view caption;
};

extern const std::array<FamilyEntry, FamilyCount> Families;

} // namespace catalogue
