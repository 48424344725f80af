// Turns the window's XPM icon into the PNG that desktops show and the ICO that Windows shows, so
// that the XPM stays the only picture anyone edits. Plain C++: in a cross build it runs on the
// build machine, where no toolkit for the target exists.

#include "ico_writer.h"
#include "png_writer.h"
#include "xpm_reader.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "krivoklyun_icons: %s\n", message.c_str());
    return 1;
}

// Written whole or not at all: a half-written icon would otherwise look up to date to the build.
bool writeFile(const std::filesystem::path& path, const std::string& bytes, std::string* error) {
    std::filesystem::path partial = path;
    partial += ".partial";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            *error = partial.string() + ": cannot write";
            return false;
        }
    }
    std::error_code code;
    std::filesystem::rename(partial, path, code);
    if (code) {
        *error = path.string() + ": " + code.message();
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fputs("usage: krivoklyun_icons SOURCE.xpm OUTPUT.png OUTPUT.ico\n", stderr);
        return 2;
    }
    const std::string source = argv[1];
    std::ifstream file(source, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!file)
        return fail(source + ": cannot read");

    const XpmImage xpm = readXpm(text);
    if (!xpm.error.empty())
        return fail(source + ": " + xpm.error);
    const Encoded ico = encodeIco8(xpm.image);
    if (!ico.error.empty())
        return fail(source + ": " + ico.error);

    std::string error;
    if (!writeFile(argv[2], encodePng(xpm.image), &error) || !writeFile(argv[3], ico.bytes, &error))
        return fail(error);
    return 0;
}
