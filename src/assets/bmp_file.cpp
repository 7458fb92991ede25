#include "assets/bmp_file.h"

#include <algorithm>

namespace veltamar {

namespace {

std::uint32_t read32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint16_t read16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

constexpr std::size_t FILE_HEADER_SIZE = 14;
constexpr std::size_t INFO_HEADER_SIZE = 40;

}  // namespace

std::int64_t rowStride(int bitsPerPixel, int width) {
    return ((static_cast<std::int64_t>(bitsPerPixel) * width + 31) / 32) * 4;
}

std::optional<BmpFile> parseBmp(std::span<const std::uint8_t> file) {
    if (file.size() < FILE_HEADER_SIZE + INFO_HEADER_SIZE) return std::nullopt;
    if (file[0] != 'B' || file[1] != 'M') return std::nullopt;
    const std::uint32_t pixelOffset = read32(file, 10);
    const std::uint32_t infoSize = read32(file, 14);
    const std::int32_t width = static_cast<std::int32_t>(read32(file, 18));
    const std::int32_t height = static_cast<std::int32_t>(read32(file, 22));
    const std::uint16_t bits = read16(file, 28);
    const std::uint32_t compression = read32(file, 30);
    const std::uint32_t coloursUsed = read32(file, 46);

    if (infoSize < INFO_HEADER_SIZE || infoSize > file.size() - FILE_HEADER_SIZE) return std::nullopt;
    if (width < 1 || width > BMP_MAX_SIDE || height < 1 || height > BMP_MAX_SIDE) return std::nullopt;
    if (bits != 8 && bits != 24 && bits != 32) return std::nullopt;
    if (compression != 0) return std::nullopt;

    BmpFile bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bitsPerPixel = bits;

    if (bits == 8) {
        const std::uint64_t entries = coloursUsed == 0 ? 256 : coloursUsed;
        if (entries > 256) return std::nullopt;
        const std::uint64_t paletteStart = FILE_HEADER_SIZE + infoSize;
        if (paletteStart + entries * 4 > file.size()) return std::nullopt;
        bmp.palette = file.subspan(paletteStart, entries * 4);
    }

    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(rowStride(bits, width)) * height;
    if (pixelOffset < FILE_HEADER_SIZE + infoSize || pixelOffset > file.size() ||
        pixelBytes > file.size() - pixelOffset)
        return std::nullopt;
    bmp.pixels = file.subspan(pixelOffset, pixelBytes);
    return bmp;
}

std::vector<std::uint8_t> blackKeyedRgba(const BmpFile& bmp) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(bmp.width) * bmp.height * 4);
    const std::int64_t stride = rowStride(bmp.bitsPerPixel, bmp.width);
    const std::vector<std::uint8_t> expanded = bmp.bitsPerPixel == 8 ? expandPaletteToBgr(bmp) : std::vector<std::uint8_t>{};
    const std::uint8_t* source = bmp.bitsPerPixel == 8 ? expanded.data() : bmp.pixels.data();
    const int bytesPerPixel = bmp.bitsPerPixel == 32 ? 4 : 3;
    const std::int64_t sourceStride = bmp.bitsPerPixel == 8 ? rowStride(24, bmp.width) : stride;
    std::uint8_t* out = rgba.data();
    for (int y = 0; y < bmp.height; ++y) {
        const std::uint8_t* row = source + y * sourceStride;
        for (int x = 0; x < bmp.width; ++x, out += 4) {
            const std::uint8_t* p = row + x * bytesPerPixel;
            out[0] = p[2];
            out[1] = p[1];
            out[2] = p[0];
            out[3] = (p[0] | p[1] | p[2]) != 0 ? 255 : 0;
        }
    }
    return rgba;
}

std::vector<std::uint8_t> expandPaletteToBgr(const BmpFile& bmp) {
    const std::int64_t sourceStride = rowStride(8, bmp.width);
    const std::int64_t targetStride = rowStride(24, bmp.width);
    const std::size_t entries = bmp.palette.size() / 4;
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(targetStride * bmp.height), 0);
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            const std::size_t index = bmp.pixels[y * sourceStride + x];
            if (index >= entries) continue;  // an index past the palette stays black
            std::uint8_t* target = &bgr[y * targetStride + x * 3];
            target[0] = bmp.palette[index * 4];
            target[1] = bmp.palette[index * 4 + 1];
            target[2] = bmp.palette[index * 4 + 2];
        }
    }
    return bgr;
}

int powerOfTwoSide(int side, int limit) {
    const int wanted = std::max(1, std::min(side, limit));
    int result = 1;
    while (result < wanted) result <<= 1;
    return std::max(result, 2);
}

}  // namespace veltamar
