#include "memory_controls.h"

#include "catalogue.h"

namespace {

std::vector<std::u16string> toVector(const catalogue::BirdList& list) {
    return {list.begin(), list.end()};
}

} // namespace

MemoryControls::MemoryControls()
    : lists{toVector(catalogue::Names), toVector(catalogue::FamilyCodes),
            toVector(catalogue::Descriptions)} {
    for (std::size_t n = 0; n < catalogue::FamilyCount; ++n)
        captions[n] = catalogue::Families[n].caption;
}

std::int16_t MemoryControls::doListIndex(std::int16_t k) const {
    return k == 0 ? selectedName : std::int16_t{-1};
}

std::int16_t MemoryControls::doListCount(std::int16_t k) const {
    return static_cast<std::int16_t>(lists[static_cast<std::size_t>(k)].size());
}

std::u16string MemoryControls::doListItem(std::int16_t k, std::int16_t p) const {
    return lists[static_cast<std::size_t>(k)][static_cast<std::size_t>(p)];
}

std::u16string MemoryControls::doOptionCaption(std::int16_t n) const {
    return captions[static_cast<std::size_t>(n)];
}

void MemoryControls::doSelectOption(std::int16_t n) {
    if (selectedFamily == n)
        return;
    selectedFamily = n;
    if (onFamilySelected)
        onFamilySelected(n);
}

std::u16string MemoryControls::doText() const {
    return onRead ? onRead(infoBox) : infoBox;
}

void MemoryControls::doSetText(std::u16string_view text) {
    infoBox = text;
    writes.emplace_back(text);
}
