#include "xpm_reader.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

XpmImage failure(std::string error) {
    return {Image{}, std::move(error)};
}

// The XPM's data are the C string literals in the file, in order; comments may hold quotes.
std::vector<std::string_view> stringLiterals(std::string_view text, std::string* error) {
    std::vector<std::string_view> strings;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.substr(at, 2) == "/*") {
            const std::size_t end = text.find("*/", at + 2);
            if (end == std::string_view::npos)
                break;
            at = end + 2;
        } else if (text[at] == '"') {
            const std::size_t end = text.find('"', at + 1);
            if (end == std::string_view::npos) {
                *error = "a string is not closed";
                return {};
            }
            strings.push_back(text.substr(at + 1, end - at - 1));
            at = end + 1;
        } else {
            ++at;
        }
    }
    return strings;
}

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> result;
    std::size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string_view::npos)
            return result;
        const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
        result.push_back(text.substr(at, end - at));
        at = end;
    }
}

std::optional<int> positive(std::string_view word) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value <= 0)
        return std::nullopt;
    return value;
}

std::optional<std::uint32_t> hex(std::string_view digits) {
    std::uint32_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

// "None" is transparent; "#RGB" and "#RRGGBB" are opaque.
std::optional<std::uint32_t> colour(std::string_view written) {
    if (written == "None" || written == "none")
        return 0u;
    if (written.size() == 7 && written[0] == '#') {
        if (const auto rgb = hex(written.substr(1)))
            return 0xff000000u | *rgb;
    } else if (written.size() == 4 && written[0] == '#') {
        if (const auto rgb = hex(written.substr(1))) {
            const std::uint32_t r = (*rgb >> 8) & 0xf, g = (*rgb >> 4) & 0xf, b = *rgb & 0xf;
            return 0xff000000u | (r * 0x11) << 16 | (g * 0x11) << 8 | b * 0x11;
        }
    }
    return std::nullopt;
}

std::string quoted(std::string_view text) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on '"' + string.
    std::string result(1, '"');
    result.append(text);
    result.push_back('"');
    return result;
}

} // namespace

XpmImage readXpm(std::string_view text) {
    std::string error;
    const std::vector<std::string_view> strings = stringLiterals(text, &error);
    if (!error.empty())
        return failure(error);
    if (strings.empty())
        return failure("no XPM data");

    // "width height colours chars-per-pixel", perhaps followed by a hot spot.
    const std::vector<std::string_view> header = words(strings[0]);
    if (header.size() < 4)
        return failure("the header " + quoted(strings[0]) + " is not \"W H COLOURS CHARS\"");
    const auto width = positive(header[0]);
    const auto height = positive(header[1]);
    const auto colourCount = positive(header[2]);
    const auto charsPerPixel = positive(header[3]);
    if (!width || !height || !colourCount || !charsPerPixel)
        return failure("the header " + quoted(strings[0]) + " is not \"W H COLOURS CHARS\"");
    const auto cpp = static_cast<std::size_t>(*charsPerPixel);
    const auto colours = static_cast<std::size_t>(*colourCount);
    const auto rows = static_cast<std::size_t>(*height);
    const auto columns = static_cast<std::size_t>(*width);
    if (strings.size() < 1 + colours + rows)
        return failure("the file ends before its last colour or pixel row");

    std::map<std::string_view, std::uint32_t> palette;
    for (std::size_t i = 1; i <= colours; ++i) {
        const std::string_view line = strings[i];
        if (line.size() <= cpp)
            return failure("colour line " + quoted(line) + " is too short");
        const std::vector<std::string_view> keys = words(line.substr(cpp));
        std::optional<std::uint32_t> value;
        for (std::size_t k = 0; k + 1 < keys.size(); ++k)
            if (keys[k] == "c")
                value = colour(keys[k + 1]);
        if (!value)
            return failure("colour line " + quoted(line) +
                           " has no \"c\" colour given as None or #RRGGBB");
        palette[line.substr(0, cpp)] = *value;
    }

    Image image{*width, *height, {}};
    image.pixels.reserve(rows * columns);
    for (std::size_t y = 0; y < rows; ++y) {
        const std::string_view row = strings[1 + colours + y];
        if (row.size() != columns * cpp)
            return failure("pixel row " + std::to_string(y) + " has " + std::to_string(row.size()) +
                           " characters, not " + std::to_string(columns * cpp));
        for (std::size_t x = 0; x < columns; ++x) {
            const auto found = palette.find(row.substr(x * cpp, cpp));
            if (found == palette.end())
                return failure("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                               quoted(row.substr(x * cpp, cpp)) + ", which no colour line defines");
            image.pixels.push_back(found->second);
        }
    }
    return {std::move(image), std::string()};
}
