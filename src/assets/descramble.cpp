// Names of the short-lived files and the unscrambling of the raw file into the plain one.

#include <cstdio>

#include "assets/packed_resources.h"
#include "assets/scramble_key.h"
#include "platform/c_file.h"

namespace veltamar {

std::string rawFileName(const std::string& directory, const std::string& baseName) {
    return directory + baseName + ".ad";
}

std::string plainFileName(const std::string& directory, const std::string& baseName) {
    return directory + baseName + (baseName == "Music" ? ".wav" : ".bmp");
}

bool descrambleFile(const std::string& directory, const std::string& baseName) {
    const std::string inName = rawFileName(directory, baseName);
    const std::string outName = plainFileName(directory, baseName);
    CFile in = openCFile(inName, "rb");
    if (!in) {
        std::fprintf(stderr, "cannot open infile %s\n", inName.c_str());
        return false;
    }
    CFile out = openCFile(outName, "wb");
    if (!out) {
        std::fprintf(stderr, " cannot open outfile %s\n", outName.c_str());
        return false;
    }
    unsigned char buffer[65536];
    std::uint64_t position = 0;
    bool ok = true;
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0;) {
        for (std::size_t i = 0; i < n; ++i) buffer[i] = unscrambleByte(buffer[i], ++position);
        ok = std::fwrite(buffer, 1, n, out.get()) == n && ok;
    }
    if (std::fflush(out.get()) != 0 || !ok) {
        std::fprintf(stderr, " cannot write outfile %s\n", outName.c_str());
        return false;
    }
    return true;
}

}  // namespace veltamar
