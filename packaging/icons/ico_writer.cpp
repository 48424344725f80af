#include "ico_writer.h"

#include "byte_writer.h"

#include <map>
#include <string>
#include <vector>

namespace {

constexpr int MaxSide = 256;
constexpr std::size_t PaletteSize = 256;
constexpr std::uint32_t DirectorySize = 6 + 16;
constexpr std::uint32_t BitmapHeaderSize = 40;
constexpr std::uint32_t OpaqueBlack = 0xff000000u;

Encoded failure(std::string error) {
    return {std::string(), std::move(error)};
}

} // namespace

Encoded encodeIco8(const Image& image) {
    if (image.width <= 0 || image.height <= 0)
        return failure("the image is empty");
    if (image.width > MaxSide || image.height > MaxSide)
        return failure("the image is " + std::to_string(image.width) + "×" +
                       std::to_string(image.height) + "; an icon is at most 256×256");

    const auto width = static_cast<std::size_t>(image.width);
    const auto height = static_cast<std::size_t>(image.height);
    // Bitmap rows are padded to whole 32-bit words and stored bottom row first.
    const std::size_t colourStride = (width + 3) / 4 * 4;
    const std::size_t maskStride = (width + 31) / 32 * 4;
    std::string colours(colourStride * height, '\0');
    std::string mask(maskStride * height, '\0');

    // Windows draws a pixel as (screen AND mask) XOR colour, so a masked pixel must have colour
    // black, index 0, for the background to show through unchanged.
    std::vector<std::uint32_t> palette{OpaqueBlack};
    std::map<std::uint32_t, std::size_t> indexOf{{OpaqueBlack, 0}};
    for (std::size_t y = 0; y < height; ++y) {
        const std::size_t row = height - 1 - y;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = image.at(static_cast<int>(x), static_cast<int>(y));
            const std::uint32_t alpha = pixel >> 24;
            if (alpha == 0) {
                mask[row * maskStride + x / 8] =
                    static_cast<char>(mask[row * maskStride + x / 8] | (0x80 >> (x % 8)));
                continue;
            }
            if (alpha != 255)
                return failure("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                               ") is partly transparent; an 8-bit icon is either opaque or "
                               "transparent");
            auto found = indexOf.find(pixel);
            if (found == indexOf.end()) {
                if (palette.size() == PaletteSize)
                    return failure("the image has more than 256 colours, counting black");
                found = indexOf.emplace(pixel, palette.size()).first;
                palette.push_back(pixel);
            }
            colours[row * colourStride + x] = static_cast<char>(found->second);
        }
    }
    palette.resize(PaletteSize, OpaqueBlack);

    const auto pixelBytes = static_cast<std::uint32_t>(colours.size() + mask.size());
    const std::uint32_t bitmapSize = BitmapHeaderSize + PaletteSize * 4 + pixelBytes;
    std::string out;
    out.reserve(DirectorySize + bitmapSize);

    // ICONDIR and its one ICONDIRENTRY; a side of 256 is written as 0.
    putU16le(out, 0); // reserved
    putU16le(out, 1); // type: icon
    putU16le(out, 1); // image count
    putU8(out, static_cast<std::uint32_t>(image.width % MaxSide));
    putU8(out, static_cast<std::uint32_t>(image.height % MaxSide));
    putU8(out, 0);    // palette size: 0 means 256 or more
    putU8(out, 0);    // reserved
    putU16le(out, 1); // colour planes
    putU16le(out, 8); // bits per pixel
    putU32le(out, bitmapSize);
    putU32le(out, DirectorySize);

    // BITMAPINFOHEADER: the height counts the colour bitmap and the mask together.
    putU32le(out, BitmapHeaderSize);
    putU32le(out, static_cast<std::uint32_t>(image.width));
    putU32le(out, static_cast<std::uint32_t>(2 * image.height));
    putU16le(out, 1); // planes
    putU16le(out, 8); // bits per pixel
    putU32le(out, 0); // no compression
    putU32le(out, pixelBytes);
    putU32le(out, 0); // horizontal resolution: unspecified
    putU32le(out, 0); // vertical resolution: unspecified
    putU32le(out, 0); // colours used: 0 means all 256
    putU32le(out, 0); // important colours: all

    for (const std::uint32_t colour : palette) {
        putU8(out, colour);       // blue
        putU8(out, colour >> 8);  // green
        putU8(out, colour >> 16); // red
        putU8(out, 0);
    }
    out.append(colours);
    out.append(mask);
    return {out, std::string()};
}
