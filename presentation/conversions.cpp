#include "conversions.h"

#include "runtime_error.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
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

// Reads a plain decimal number ("12.5e-3", no sign, always a '.') into value; true when it lies
// beyond a double's range. from_chars ignores the locale and never throws; where the library has
// no from_chars for double (the WebAssembly build's), strtod stands in: its C library ignores the
// locale too.
bool parseOutOfRange(const std::string& number, double& value) {
#if defined(__cpp_lib_to_chars)
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    return error == std::errc::result_out_of_range;
#else
    errno = 0;
    value = std::strtod(number.c_str(), nullptr);
    return errno == ERANGE;
#endif
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
    if (parseOutOfRange(number, value)) {
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
