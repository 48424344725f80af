#include "conversions.h"

#include "runtime_error.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace presentation {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

double textToNumber(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';

    // Gather the unsigned number as ASCII for from_chars, which is locale-independent and does
    // not throw.
    std::string number;
    bool anyDigit = false;
    auto takeDigits = [&] {
        while (i < text.size() && isDigit(text[i])) {
            number += static_cast<char>(text[i++]);
            anyDigit = true;
        }
    };
    takeDigits();
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        ++i;
        takeDigits();
    }
    if (!anyDigit)
        return 0.0;

    // An exponent counts only when digits follow it; otherwise "2e" is just 2.
    bool hasExponent = false;
    bool negativeExponent = false;
    if (i + 1 < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        std::size_t j = i + 1;
        if (j + 1 < text.size() && (text[j] == u'+' || text[j] == u'-'))
            negativeExponent = text[j++] == u'-';
        if (isDigit(text[j])) {
            hasExponent = true;
            number += 'e';
            number += negativeExponent ? '-' : '+';
            i = j;
            while (i < text.size() && isDigit(text[i]))
                number += static_cast<char>(text[i++]);
        }
    }

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Beyond a double's range: an exponent decides between overflow and underflow; without
        // one, the number is huge when its whole part is not zero.
        const bool huge =
            hasExponent ? !negativeExponent : number.find_first_not_of('0') != number.find('.');
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::int16_t toIndex(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max()))
        runtimeError("overflow converting a number to a 16-bit index");
    return static_cast<std::int16_t>(rounded);
}

} // namespace presentation
