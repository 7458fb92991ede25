// Any bytes as a packed file: the plain file has the same length and every byte its key added.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/packed_resources.h"
#include "assets/scramble_key.h"

namespace {

std::string directory() {
    static const std::string dir = [] {
        char pattern[] = "/tmp/veltamar-fuzz-XXXXXX";
        return std::string(mkdtemp(pattern)) + "/";
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string dir = directory();
    if (std::FILE* raw = std::fopen(veltamar::rawFileName(dir, "fuzz").c_str(), "wb")) {
        std::fwrite(data, 1, size, raw);
        std::fclose(raw);
    }
    if (!veltamar::descrambleFile(dir, "fuzz")) std::abort();
    std::vector<std::uint8_t> plain(size + 1);
    std::FILE* out = std::fopen(veltamar::plainFileName(dir, "fuzz").c_str(), "rb");
    const std::size_t n = std::fread(plain.data(), 1, plain.size(), out);
    std::fclose(out);
    if (n != size) std::abort();
    for (std::size_t i = 0; i < size; ++i)
        if (plain[i] != veltamar::unscrambleByte(data[i], i + 1)) std::abort();
    unlink(veltamar::rawFileName(dir, "fuzz").c_str());
    unlink(veltamar::plainFileName(dir, "fuzz").c_str());
    return 0;
}
