#pragma once

#include <cstdint>
#include <string>

// Appends integers to a file being built, in the byte order its format asks for.
inline void putU8(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xff));
}

inline void putU16le(std::string& out, std::uint32_t value) {
    putU8(out, value);
    putU8(out, value >> 8);
}

inline void putU32le(std::string& out, std::uint32_t value) {
    putU16le(out, value & 0xffff);
    putU16le(out, value >> 16);
}

inline void putU32be(std::string& out, std::uint32_t value) {
    putU8(out, value >> 24);
    putU8(out, value >> 16);
    putU8(out, value >> 8);
    putU8(out, value);
}
