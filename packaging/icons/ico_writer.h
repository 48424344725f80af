#pragma once

#include "image.h"

// A Windows icon file holding one 8-bit palette bitmap with a 1-bit transparency mask: the form
// every version of Windows and every resource compiler reads.
//
// Fails for an image larger than 256×256, with more than 256 opaque colours (black, which
// transparent pixels are drawn with, counts as one) or with partly transparent pixels, which a
// 1-bit mask cannot express.
Encoded encodeIco8(const Image& image);
