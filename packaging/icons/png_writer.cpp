#include "png_writer.h"

#include "byte_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::size_t MaxStoredBlock = 65535;

std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

std::uint32_t crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = crcTable();
    std::uint32_t c = 0xffffffffu;
    for (const char byte : bytes)
        c = table[(c ^ static_cast<unsigned char>(byte)) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

std::uint32_t adler32(std::string_view bytes) {
    std::uint32_t a = 1, b = 0;
    for (const char byte : bytes) {
        a = (a + static_cast<unsigned char>(byte)) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

// A zlib stream of stored deflate blocks: header, blocks of at most 64 KiB, Adler-32 of the data.
std::string zlibStored(std::string_view data) {
    std::string out;
    putU8(out, 0x78); // deflate, 32 KiB window
    putU8(out, 0x01); // no dictionary, fastest; 0x7801 is a multiple of 31 as the header needs
    std::size_t at = 0;
    do {
        const std::size_t length = std::min(MaxStoredBlock, data.size() - at);
        const bool last = at + length == data.size();
        putU8(out, last ? 1 : 0); // BFINAL, BTYPE 00: stored
        putU16le(out, static_cast<std::uint32_t>(length));
        putU16le(out, static_cast<std::uint32_t>(~length & 0xffff));
        out.append(data.substr(at, length));
        at += length;
    } while (at < data.size());
    putU32be(out, adler32(data));
    return out;
}

void putChunk(std::string& out, std::string_view type, std::string_view data) {
    putU32be(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type);
    out.append(data);
    putU32be(out, crc32(std::string_view(out).substr(start)));
}

} // namespace

std::string encodePng(const Image& image) {
    std::string header;
    putU32be(header, static_cast<std::uint32_t>(image.width));
    putU32be(header, static_cast<std::uint32_t>(image.height));
    putU8(header, 8); // bits per channel
    putU8(header, 6); // RGBA
    putU8(header, 0); // deflate
    putU8(header, 0); // adaptive filtering, of which every row uses "none"
    putU8(header, 0); // not interlaced

    std::string scanlines;
    scanlines.reserve(static_cast<std::size_t>(image.height) *
                      (1 + 4 * static_cast<std::size_t>(image.width)));
    for (int y = 0; y < image.height; ++y) {
        putU8(scanlines, 0); // filter: none
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t argb = image.at(x, y);
            putU32be(scanlines, argb << 8 | argb >> 24);
        }
    }

    std::string out("\x89PNG\r\n\x1a\n", 8);
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", zlibStored(scanlines));
    putChunk(out, "IEND", {});
    return out;
}
