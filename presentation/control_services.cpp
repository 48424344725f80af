#include "control_services.h"

#include "runtime_error.h"

#include <string>

namespace presentation {

namespace {

void requireElement(const char* array, std::int16_t index, std::int16_t size) {
    if (index < 0 || index >= size)
        runtimeError(std::string("control array element ") + array + "(" + std::to_string(index) +
                     ") does not exist; " + array + " has elements 0 to " +
                     std::to_string(size - 1));
}

} // namespace

std::int16_t ControlServices::listIndex(std::int16_t k) const {
    requireElement("List1", k, ListArraySize);
    return doListIndex(k);
}

std::int16_t ControlServices::listCount(std::int16_t k) const {
    requireElement("List1", k, ListArraySize);
    return doListCount(k);
}

std::u16string ControlServices::listItem(std::int16_t k, std::int16_t p) const {
    const std::int16_t count = listCount(k);
    if (p < 0 || p >= count)
        runtimeError("List1(" + std::to_string(k) + ").List(" + std::to_string(p) +
                     ") does not exist; the list holds " + std::to_string(count) + " items");
    return doListItem(k, p);
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
    return doText();
}

void ControlServices::setText(std::u16string_view text) {
    doSetText(text);
}

} // namespace presentation
