#pragma once

// The program's texts are UTF-16, as the controls take them; where they leave it as bytes (the page
// written at build time, a test's report) they go as UTF-8.

#include <string>
#include <string_view>

namespace catalogue {

inline std::string utf8(std::u16string_view text) {
    std::string out;
    const auto byte = [&out](char32_t b) {
        out += static_cast<char>(b);
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            byte(c);
        } else if (c < 0x800) {
            byte(0xC0 | (c >> 6));
            byte(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            byte(0xE0 | (c >> 12));
            byte(0x80 | ((c >> 6) & 0x3F));
            byte(0x80 | (c & 0x3F));
        } else {
            byte(0xF0 | (c >> 18));
            byte(0x80 | ((c >> 12) & 0x3F));
            byte(0x80 | ((c >> 6) & 0x3F));
            byte(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace catalogue
