#pragma once

#include "image.h"

#include <string>

// An 8-bit RGBA PNG whose pixel data is stored uncompressed inside its zlib stream: an icon is a
// few kilobytes, and every decoder reads stored blocks, so there is nothing to gain from deflating
// and the bytes depend on nothing but the pixels.
std::string encodePng(const Image& image);
