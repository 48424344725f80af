#pragma once

#include <cstdint>
#include <string_view>

namespace presentation {

// The value of the decimal number at the start of the text, after any blanks; 0 when the text
// does not start with a number. Never throws and ignores the process locale (the decimal
// separator is always '.').
double textToNumber(std::u16string_view text);

// A stored position or family number as a 16-bit index, rounded to the nearest integer (halves to
// even). A value that does not fit is a run-time error.
std::int16_t toIndex(double value);

} // namespace presentation
