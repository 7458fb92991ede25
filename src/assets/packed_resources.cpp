#include "assets/packed_resources.h"

#include <unistd.h>

#include <cstdio>
#include <memory>

#include "assets/scramble_key.h"
#include "platform/resource_table.h"

namespace veltamar {

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File openFile(const std::string& name, const char* mode) { return File(std::fopen(name.c_str(), mode), std::fclose); }

}  // namespace

std::string rawFileName(const std::string& directory, const std::string& baseName) {
    return directory + baseName + ".ad";
}

std::string plainFileName(const std::string& directory, const std::string& baseName) {
    return directory + baseName + (baseName == "Music" ? ".wav" : ".bmp");
}

int extractResource(int id, const std::string& directory, const std::string& baseName) {
    const auto resource = findRcadResource(id);
    if (!resource) return 0;

    // Written from scratch: a longer file left from an earlier run must not leave a stale tail.
    const std::string raw = rawFileName(directory, baseName);
    if (File out = openFile(raw, "wb")) std::fwrite(resource->data(), 1, resource->size(), out.get());
    return descrambleFile(directory, baseName) ? 1 : 0;
}

bool descrambleFile(const std::string& directory, const std::string& baseName) {
    const std::string inName = rawFileName(directory, baseName);
    const std::string outName = plainFileName(directory, baseName);
    File in = openFile(inName, "rb");
    if (!in) {
        std::fprintf(stderr, "cannot open infile %s\n", inName.c_str());
        return false;
    }
    File out = openFile(outName, "wb");
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

void deleteFile(const std::string& fullName) { unlink(fullName.c_str()); }

void deleteExtractedFiles(const std::string& directory, const std::string& baseName) {
    deleteFile(rawFileName(directory, baseName));
    deleteFile(plainFileName(directory, baseName));
}

}  // namespace veltamar
