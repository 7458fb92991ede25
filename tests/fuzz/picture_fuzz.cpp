// Any bytes as one of the user's pictures, its kind told by its content (JPEG, PNG or a Windows
// bitmap of any kind), read through a file as the program reads it: the decoder refuses it, or
// yields a picture within the bounds whose every pixel is there.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "assets/picture_decoder.h"

namespace {

constexpr veltamar::PictureSize BOUNDS{1024, 768};
int file = -1;
std::string path;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    file = memfd_create("picture", MFD_CLOEXEC);
    if (file < 0) std::abort();
    path = "/proc/self/fd/" + std::to_string(file);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (ftruncate(file, 0) != 0 || pwrite(file, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    const veltamar::DecodedPicture picture = veltamar::decodePicture(path, BOUNDS);
    if (!picture.ok()) return 0;
    if (picture.width > BOUNDS.width || picture.height > BOUNDS.height || picture.channels > 4 ||
        picture.width > picture.original.width || picture.height > picture.original.height)
        std::abort();
    if (picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height * picture.channels)
        std::abort();
    return 0;
}
