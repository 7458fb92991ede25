#include "assets/picture_decoder.h"

#include <algorithm>
#include <array>

#include "assets/bmp_picture_decoder.h"
#include "assets/jpeg_picture_decoder.h"
#include "assets/png_picture_decoder.h"
#include "platform/regular_file.h"

namespace veltamar {

namespace {

constexpr std::array<std::uint8_t, 8> PNG_SIGNATURE{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

}  // namespace

DecodedPicture decodePicture(const std::string& path, PictureSize bounds,
                             std::atomic<std::uint64_t>* bytesRead) {
    std::optional<RegularFile> file = RegularFile::open(path);
    if (!file) return {};
    file->countReadsIn(bytesRead);
    return decodePictureFile(*file, bounds);
}

DecodedPicture decodePictureFile(RegularFile& file, PictureSize bounds) {
    std::array<std::uint8_t, 8> start{};
    if (!file.readExactlyAt(0, start.data(), start.size())) return {};
    if (start[0] == 0xFF && start[1] == 0xD8) return decodeJpegPicture(file, bounds);
    if (start == PNG_SIGNATURE) return decodePngPicture(file, bounds);
    if (start[0] == 'B' && start[1] == 'M') return decodeBmpPicture(file, bounds);
    return {};
}

}  // namespace veltamar
