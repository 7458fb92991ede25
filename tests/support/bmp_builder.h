#pragma once

#include <cstdint>
#include <vector>

// Builds Windows bitmap files for loader tests: 8-bit (with palette), 24-bit and 32-bit, with any
// header field overridable to make lying files; and bitmaps of every kind from their parts.

namespace veltamar::testsupport {

struct BmpLayout {
    int width = 1;
    int height = 1;
    int bitsPerPixel = 24;
    // Pixel colour as 0x00RRGGBB for 24/32-bit pictures, or the palette index for 8-bit ones;
    // y = 0 is the bottom row, the first one stored.
    std::uint32_t (*pixel)(int x, int y) = nullptr;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB entries for 8-bit pictures
    std::uint32_t coloursUsedField = 0;  // written as the header's colours-used field
};

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

inline std::vector<std::uint8_t> buildBmp(const BmpLayout& layout) {
    const int bytes = layout.bitsPerPixel / 8;
    const std::uint32_t stride = ((layout.bitsPerPixel * layout.width + 31) / 32) * 4;
    const std::uint32_t paletteBytes = static_cast<std::uint32_t>(layout.palette.size()) * 4;
    const std::uint32_t offset = 54 + paletteBytes;
    const std::uint32_t imageSize = stride * layout.height;
    std::vector<std::uint8_t> out{'B', 'M'};
    put32(out, offset + imageSize);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, layout.width);
    put32(out, layout.height);
    put16(out, 1);
    put16(out, layout.bitsPerPixel);
    put32(out, 0);
    put32(out, imageSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, layout.coloursUsedField);
    put32(out, 0);
    for (std::uint32_t c : layout.palette) put32(out, c);  // blue, green, red, reserved
    for (int y = 0; y < layout.height; ++y) {
        std::uint32_t written = 0;
        for (int x = 0; x < layout.width; ++x) {
            const std::uint32_t c = layout.pixel ? layout.pixel(x, y) : 0;
            if (bytes == 1) {
                out.push_back(static_cast<std::uint8_t>(c));
            } else {
                out.push_back(static_cast<std::uint8_t>(c));        // blue
                out.push_back(static_cast<std::uint8_t>(c >> 8));   // green
                out.push_back(static_cast<std::uint8_t>(c >> 16));  // red
                if (bytes == 4) out.push_back(255);
            }
            written += bytes;
        }
        for (; written < stride; ++written) out.push_back(0);
    }
    return out;
}

}  // namespace veltamar::testsupport

namespace veltamar::testsupport {

// Any Windows bitmap from its parts as they are stored, for the picture decoder's tests and the
// fuzzer's seeds. The information header is that of Windows (40 bytes, or a larger one whose
// colour masks start at its 40th byte), of OS/2 2.x (16 to 64 bytes: the first fields of a 40-byte
// one, then zeros) or of OS/2 1.x (12 bytes, 16-bit sides, palette entries of 3 bytes).
struct BitmapParts {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;  // negative: top row first
    int bits = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> masks{};    // red, green, blue (and alpha)
    std::vector<std::uint32_t> palette{};  // 0x00RRGGBB
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint8_t> pixels;  // as stored, right after the palette
};

inline std::vector<std::uint8_t> buildBitmap(const BitmapParts& p) {
    std::vector<std::uint8_t> info;
    put32(info, p.headerSize);
    if (p.headerSize == 12) {
        put16(info, static_cast<std::uint32_t>(p.width));
        put16(info, static_cast<std::uint32_t>(p.height));
    } else {
        put32(info, static_cast<std::uint32_t>(p.width));
        put32(info, static_cast<std::uint32_t>(p.height));
    }
    put16(info, 1);
    put16(info, static_cast<std::uint32_t>(p.bits));
    if (p.headerSize != 12) {
        for (std::uint32_t field :
             {p.compression, static_cast<std::uint32_t>(p.pixels.size()), 2835u, 2835u, p.coloursUsed, 0u})
            put32(info, field);
        if (p.headerSize > 40)
            for (std::uint32_t mask : p.masks) put32(info, mask);
        info.resize(p.headerSize, 0);
        if (p.headerSize == 40)
            for (std::uint32_t mask : p.masks) put32(info, mask);
    }
    for (std::uint32_t c : p.palette) {
        for (int shift : {0, 8, 16}) info.push_back(static_cast<std::uint8_t>(c >> shift));  // blue first
        if (p.headerSize != 12) info.push_back(0);
    }
    const auto offset = static_cast<std::uint32_t>(14 + info.size());
    std::vector<std::uint8_t> out{'B', 'M'};
    put32(out, static_cast<std::uint32_t>(14 + info.size() + p.pixels.size()));
    put32(out, 0);
    put32(out, offset);
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), p.pixels.begin(), p.pixels.end());
    return out;
}

// Rows of pixels as an uncompressed bitmap stores them: palette indices packed first pixel in the
// high bits, or pixels of 16, 24 or 32 bits lowest byte first; each row padded to 4 bytes.
inline std::vector<std::uint8_t> packedRows(int bits, const std::vector<std::vector<std::uint32_t>>& rows) {
    std::vector<std::uint8_t> out;
    for (const auto& row : rows) {
        std::vector<std::uint8_t> packed((bits * row.size() + 31) / 32 * 4, 0);
        for (std::size_t x = 0; x < row.size(); ++x) {
            if (bits < 8)
                packed[x * bits / 8] |= static_cast<std::uint8_t>(row[x] << (8 - bits - x * bits % 8));
            for (int i = 0; bits >= 8 && i < bits / 8; ++i)
                packed[x * bits / 8 + i] = static_cast<std::uint8_t>(row[x] >> (8 * i));
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

}  // namespace veltamar::testsupport
