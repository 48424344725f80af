#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A picture as the icon formats need it: 0xAARRGGBB pixels, top row first. Alpha is either 0 or
// 255 in anything read from an XPM.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// Bytes of a file, or why there are none.
struct Encoded {
    std::string bytes; // empty on failure
    std::string error;
};
