#include "memory_controls.h"

#include "catalogue.h"

MemoryControls::MemoryControls() : names(catalogue::Names.begin(), catalogue::Names.end()) {
    for (std::size_t n = 0; n < catalogue::FamilyCount; ++n)
        captions[n] = catalogue::Families[n].caption;
}

std::int16_t MemoryControls::doNamesIndex() const {
    return selectedName;
}

std::int16_t MemoryControls::doNamesCount() const {
    return static_cast<std::int16_t>(names.size());
}

std::u16string MemoryControls::doName(std::int16_t p) const {
    return names[static_cast<std::size_t>(p)];
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
