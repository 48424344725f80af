#include "control_services.h"

#include "catalogue.h"
#include "runtime_error.h"

#include <string>
#include <string_view>

namespace presentation {

namespace {

void requireElement(const char* array, std::int16_t index, std::int16_t size) {
    if (index < 0 || index >= size)
        runtimeError(std::string("control array element ") + array + "(" + std::to_string(index) +
                     ") does not exist; " + array + " has elements 0 to " +
                     std::to_string(size - 1));
}

// Any line break as CR LF, the one break the handlers write and the one every box shows as such.
std::u16string withCrLfBreaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n' || c == u'\u2028' || c == u'\u2029') {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::int16_t ControlServices::listIndex(std::int16_t k) const {
    requireElement("List1", k, ListArraySize);
    return k == 0 ? doNamesIndex() : std::int16_t{-1};
}

std::int16_t ControlServices::listCount(std::int16_t k) const {
    requireElement("List1", k, ListArraySize);
    return k == 0 ? doNamesCount() : static_cast<std::int16_t>(catalogue::BirdCount);
}

std::u16string ControlServices::listItem(std::int16_t k, std::int16_t p) const {
    const std::int16_t count = listCount(k);
    if (p < 0 || p >= count)
        runtimeError("List1(" + std::to_string(k) + ").List(" + std::to_string(p) +
                     ") does not exist; the list holds " + std::to_string(count) + " items");
    const auto position = static_cast<std::size_t>(p);
    switch (k) {
    case 0:
        return doName(p);
    case 1:
        return std::u16string(catalogue::FamilyCodes[position]);
    default:
        return std::u16string(catalogue::Descriptions[position]);
    }
}

std::u16string ControlServices::optionCaption(std::int16_t n) const {
    requireElement("Option1", n, OptionArraySize);
    return doOptionCaption(n);
}

void ControlServices::selectOption(std::int16_t n) {
    requireElement("Option1", n, OptionArraySize);
    doSelectOption(n);
}

std::u16string ControlServices::text() const {
    return withCrLfBreaks(doText());
}

void ControlServices::setText(std::u16string_view text) {
    doSetText(withCrLfBreaks(text));
}

} // namespace presentation
