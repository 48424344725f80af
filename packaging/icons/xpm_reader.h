#pragma once

#include "image.h"

#include <string>
#include <string_view>

struct XpmImage {
    Image image;       // empty when the text cannot be read
    std::string error; // why not
};

// Reads an XPM 3 file as C source: colours given as "None", "#RGB" or "#RRGGBB" under the "c"
// key, any number of characters per pixel. Named colours are refused rather than guessed.
XpmImage readXpm(std::string_view text);
