#include "assets/bmp_picture_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <vector>

namespace veltamar {

namespace {

constexpr std::size_t READ_SIZE = 64 * 1024;
constexpr std::size_t FILE_HEADER_SIZE = 14;
constexpr std::uint32_t CORE_HEADER_SIZE = 12;  // OS/2 1.x
constexpr std::uint32_t INFO_HEADER_SIZE = 40;  // Windows; the larger ones extend it
constexpr std::uint32_t LARGEST_HEADER_SIZE = 124;
// Where the colour masks are in the file: at the end of a 40-byte header, or inside a larger one.
constexpr std::size_t MASKS_AT = FILE_HEADER_SIZE + INFO_HEADER_SIZE;
// The file header, the largest information header, four colour masks that may follow a 40-byte
// one, and a palette of 256 entries.
constexpr std::size_t HEADER_BYTES = FILE_HEADER_SIZE + LARGEST_HEADER_SIZE + 16 + 256 * 4;

// The information header's compression field.
constexpr std::uint32_t UNCOMPRESSED = 0;
constexpr std::uint32_t RUN_LENGTH_8 = 1;
constexpr std::uint32_t RUN_LENGTH_4 = 2;
constexpr std::uint32_t COLOUR_MASKS = 3;  // OS/2 2.x: Huffman 1D
constexpr std::uint32_t COLOUR_AND_ALPHA_MASKS = 6;

using Rgb = std::array<std::uint8_t, 3>;

std::uint32_t read32(const std::uint8_t* b) {
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}
std::uint16_t read16(const std::uint8_t* b) {
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

// Bytes of one stored row, which is padded to 4 bytes.
std::size_t rowBytes(int bits, std::int64_t width) {
    return static_cast<std::size_t>((bits * width + 31) / 32 * 4);
}

// One colour of a pixel of 16, 24 or 32 bits: the contiguous bits of its mask.
struct ColourMask {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t largest = 1;  // the mask's bits all set, shifted down

    // The colour's level scaled to 0..255.
    std::uint8_t level(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & mask) >> shift;
        if (largest == 255) return static_cast<std::uint8_t>(value);
        return static_cast<std::uint8_t>((std::uint64_t{value} * 255 + largest / 2) / largest);
    }
};

// Nothing unless the mask is one run of bits within the pixel.
std::optional<ColourMask> colourMask(std::uint32_t mask, int bits) {
    if (mask == 0 || (bits < 32 && mask >> bits != 0)) return std::nullopt;
    const int shift = std::countr_zero(mask);
    const std::uint32_t largest = mask >> shift;
    if ((largest & (largest + 1)) != 0) return std::nullopt;
    return ColourMask{mask, shift, largest};
}

enum class Storage { Indexed, Masked, RunLength8, RunLength4 };

struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    int bits = 0;
    Storage storage = Storage::Indexed;
    std::int64_t pixelOffset = 0;
    std::array<ColourMask, 3> masks;  // red, green and blue of 16-, 24- and 32-bit pixels
    std::vector<Rgb> palette;

    // A palette entry; black past the palette's end.
    const Rgb& colour(unsigned index) const {
        static constexpr Rgb BLACK{0, 0, 0};
        return index < palette.size() ? palette[index] : BLACK;
    }
};

// How pixels of this compression and depth are stored; nothing for what is refused.
std::optional<Storage> storageOf(std::uint32_t compression, int bits, bool topDown) {
    switch (compression) {
        case UNCOMPRESSED:
            if (bits == 1 || bits == 2 || bits == 4 || bits == 8) return Storage::Indexed;
            if (bits == 16 || bits == 24 || bits == 32) return Storage::Masked;
            return std::nullopt;
        case RUN_LENGTH_8:
        case RUN_LENGTH_4:
            // Run-length encoded pictures are stored bottom row first only.
            if (topDown || bits != (compression == RUN_LENGTH_8 ? 8 : 4)) return std::nullopt;
            return compression == RUN_LENGTH_8 ? Storage::RunLength8 : Storage::RunLength4;
        case COLOUR_MASKS:
        case COLOUR_AND_ALPHA_MASKS:
            if (bits == 16 || bits == 32) return Storage::Masked;
            return std::nullopt;
        default:  // JPEG or PNG inside, or unknown
            return std::nullopt;
    }
}

std::optional<BmpLayout> readLayout(RegularFile& file) {
    std::vector<std::uint8_t> header(HEADER_BYTES, 0);
    const auto available = static_cast<std::size_t>(std::min<std::int64_t>(file.size(), HEADER_BYTES));
    if (available < FILE_HEADER_SIZE + 4 || !file.readExactlyAt(0, header.data(), available))
        return std::nullopt;
    const std::uint8_t* h = header.data();
    const std::uint32_t headerSize = read32(h + FILE_HEADER_SIZE);
    const bool core = headerSize == CORE_HEADER_SIZE;
    const bool windows = headerSize == INFO_HEADER_SIZE || headerSize == 52 || headerSize == 56 ||
                         headerSize == 108 || headerSize == LARGEST_HEADER_SIZE;
    // An OS/2 2.x header may end after any of its fields; those left out are zero.
    const bool os2 = !core && !windows && headerSize >= 16 && headerSize <= 64;
    if (h[0] != 'B' || h[1] != 'M' || !(core || windows || os2) || FILE_HEADER_SIZE + headerSize > available)
        return std::nullopt;
    std::array<std::uint8_t, LARGEST_HEADER_SIZE> info{};
    std::memcpy(info.data(), h + FILE_HEADER_SIZE, headerSize);

    BmpLayout layout;
    layout.pixelOffset = read32(h + 10);
    std::uint32_t compression = UNCOMPRESSED;
    std::uint32_t coloursUsed = 0;
    if (core) {
        layout.width = read16(&info[4]);
        layout.height = read16(&info[6]);
        layout.bits = read16(&info[10]);
    } else {
        layout.width = static_cast<std::int32_t>(read32(&info[4]));
        const auto height = static_cast<std::int32_t>(read32(&info[8]));
        layout.topDown = height < 0;
        layout.height = std::abs(static_cast<std::int64_t>(height));
        layout.bits = read16(&info[14]);
        compression = read32(&info[16]);
        coloursUsed = read32(&info[32]);
    }
    // OS/2 2.x has no colour masks: it numbers its Huffman and 24-bit run-length encodings where
    // Windows has them.
    if (os2 && compression > RUN_LENGTH_4) return std::nullopt;
    const std::optional<Storage> storage = storageOf(compression, layout.bits, layout.topDown);
    if (!storage || !pictureSizeAllowed(layout.width, layout.height)) return std::nullopt;
    layout.storage = *storage;

    std::size_t paletteAt = FILE_HEADER_SIZE + headerSize;
    std::array<std::uint32_t, 3> masks{0xFF0000, 0xFF00, 0xFF};
    if (layout.bits == 16) masks = {0x7C00, 0x3E0, 0x1F};
    if (compression == COLOUR_MASKS || compression == COLOUR_AND_ALPHA_MASKS) {
        if (headerSize == INFO_HEADER_SIZE) paletteAt += compression == COLOUR_MASKS ? 12 : 16;
        if (paletteAt > available) return std::nullopt;
        for (std::size_t i = 0; i < 3; ++i) masks[i] = read32(h + MASKS_AT + 4 * i);
        if ((masks[0] & masks[1]) != 0 || (masks[0] & masks[2]) != 0 || (masks[1] & masks[2]) != 0)
            return std::nullopt;
    }
    for (std::size_t i = 0; i < 3 && layout.storage == Storage::Masked; ++i) {
        const std::optional<ColourMask> mask = colourMask(masks[i], layout.bits);
        if (!mask) return std::nullopt;
        layout.masks[i] = *mask;
    }
    // The pixels follow the headers, masks and palette, and start inside the file.
    if (layout.pixelOffset < static_cast<std::int64_t>(paletteAt) || layout.pixelOffset >= file.size())
        return std::nullopt;

    if (layout.bits <= 8) {
        const std::size_t entryBytes = core ? 3 : 4;
        std::size_t entries = std::size_t{1} << layout.bits;
        if (coloursUsed > 0 && coloursUsed < entries) entries = coloursUsed;
        entries = std::min(entries, (static_cast<std::size_t>(layout.pixelOffset) - paletteAt) / entryBytes);
        for (std::size_t i = 0; i < entries; ++i) {
            const std::uint8_t* entry = h + paletteAt + i * entryBytes;  // blue, green, red
            layout.palette.push_back({entry[2], entry[1], entry[0]});
        }
    }
    return layout;
}

// One stored row of an uncompressed picture as RGB.
void rowToRgb(const BmpLayout& layout, const std::uint8_t* row, std::uint8_t* rgb) {
    const auto width = static_cast<std::size_t>(layout.width);
    if (layout.storage == Storage::Masked) {
        const auto bytes = static_cast<std::size_t>(layout.bits / 8);
        for (std::size_t x = 0; x < width; ++x, rgb += 3) {
            std::uint32_t pixel = 0;
            for (std::size_t i = 0; i < bytes; ++i) pixel |= std::uint32_t{row[x * bytes + i]} << (8 * i);
            for (std::size_t c = 0; c < 3; ++c) rgb[c] = layout.masks[c].level(pixel);
        }
        return;
    }
    const auto bits = static_cast<unsigned>(layout.bits);
    const std::size_t perByte = 8 / bits;
    for (std::size_t x = 0; x < width; ++x, rgb += 3) {
        const auto shift = static_cast<unsigned>(8 - bits * (1 + x % perByte));
        const unsigned index = (row[x / perByte] >> shift) & ((1u << bits) - 1);
        std::memcpy(rgb, layout.colour(index).data(), 3);
    }
}

void turnUpsideDown(DecodedPicture& picture) {
    const std::size_t stride =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.channels);
    for (int top = 0, bottom = picture.height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(picture.pixels.begin() + static_cast<std::ptrdiff_t>(stride * top),
                         picture.pixels.begin() + static_cast<std::ptrdiff_t>(stride * (top + 1)),
                         picture.pixels.begin() + static_cast<std::ptrdiff_t>(stride * bottom));
}

// The reducer's picture turned upright.
DecodedPicture finished(RowReducer& reducer, const BmpLayout& layout) {
    DecodedPicture picture =
        reducedPicture(reducer, {static_cast<int>(layout.width), static_cast<int>(layout.height)});
    if (!layout.topDown) turnUpsideDown(picture);  // the rows came bottom first
    return picture;
}

RowReducer reducerFor(const BmpLayout& layout, PictureSize bounds) {
    const PictureSize original{static_cast<int>(layout.width), static_cast<int>(layout.height)};
    const PictureSize shown = fittedPictureSize(original, bounds);
    return RowReducer(original.width, original.height, 3, shown.width, shown.height);
}

DecodedPicture decodeUncompressed(RegularFile& file, const BmpLayout& layout, PictureSize bounds) {
    const std::size_t stride = rowBytes(layout.bits, layout.width);
    const auto height = static_cast<std::size_t>(layout.height);
    if (layout.pixelOffset + static_cast<std::int64_t>(stride * height) > file.size()) return {};
    RowReducer reducer = reducerFor(layout, bounds);
    const std::size_t rowsPerRead = std::max<std::size_t>(1, READ_SIZE / stride);
    std::vector<std::uint8_t> stored(rowsPerRead * stride);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(layout.width) * 3);
    for (std::size_t y = 0; y < height; y += rowsPerRead) {
        const std::size_t rows = std::min(rowsPerRead, height - y);
        if (!file.readExactlyAt(layout.pixelOffset + static_cast<std::int64_t>(y * stride), stored.data(),
                                rows * stride))
            return {};
        for (std::size_t r = 0; r < rows; ++r) {
            rowToRgb(layout, stored.data() + r * stride, rgb.data());
            reducer.addRow(rgb.data());
        }
    }
    return finished(reducer, layout);
}

// The file's bytes from an offset to its size when it was opened (a file still growing is not
// followed), read a block at a time.
class ByteReader {
  public:
    ByteReader(RegularFile& file, std::int64_t offset) : file(file), offset(offset) {}

    // The next byte; -1 at the end of the file.
    int next() {
        if (used == buffered) {
            if (offset >= file.size()) return -1;
            const auto count = std::min<std::int64_t>(file.size() - offset, READ_SIZE);
            const long n = file.readAt(offset, buffer.data(), static_cast<std::size_t>(count));
            if (n <= 0) return -1;
            offset += n;
            buffered = static_cast<std::size_t>(n);
            used = 0;
        }
        return buffer[used++];
    }

  private:
    RegularFile& file;
    std::int64_t offset;
    std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(READ_SIZE);
    std::size_t buffered = 0;
    std::size_t used = 0;
};

// A run-length encoded picture: pairs of bytes, either a count and the palette index to repeat
// (in 4-bit pictures two indices that alternate), or 0 and a code: 0 ends the row, 1 the picture,
// 2 moves right and up by the next two bytes, and any larger number is that many indices as they
// are, padded to an even number of bytes. Rows come bottom first; the picture is complete once its
// last row has ended or the picture has.
DecodedPicture decodeRunLength(RegularFile& file, const BmpLayout& layout, PictureSize bounds) {
    const bool nibbles = layout.storage == Storage::RunLength4;
    const std::int64_t width = layout.width;
    RowReducer reducer = reducerFor(layout, bounds);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3, 0);
    ByteReader bytes(file, layout.pixelOffset);
    std::int64_t x = 0;
    std::int64_t y = 0;
    // The part of the row painted so far; the rest of it is black.
    std::int64_t first = width;
    std::int64_t end = 0;
    const auto paint = [&](unsigned index) {
        if (x >= width) return;  // past the right edge: dropped
        std::memcpy(&rgb[static_cast<std::size_t>(x) * 3], layout.colour(index).data(), 3);
        first = std::min(first, x);
        end = std::max(end, ++x);
    };
    const auto endRow = [&] {
        reducer.addRow(rgb.data(), static_cast<int>(first), static_cast<int>(end));
        if (first < end) std::fill(rgb.begin() + first * 3, rgb.begin() + end * 3, std::uint8_t{0});
        first = width;
        end = 0;
        ++y;
    };
    while (y < layout.height) {
        const int count = bytes.next();
        const int code = bytes.next();
        if (code < 0) return {};  // cut short
        if (count > 0) {
            for (int i = 0; i < count && x < width; ++i)
                paint(!nibbles ? code : i % 2 == 0 ? code >> 4 : code & 15);
        } else if (code == 0) {
            endRow();
            x = 0;
        } else if (code == 1) {
            break;
        } else if (code == 2) {
            const int right = bytes.next();
            const int up = bytes.next();
            if (up < 0) return {};
            x = std::min(x + right, width);
            for (int i = 0; i < up && y < layout.height; ++i) endRow();
        } else {
            const int stored = nibbles ? (code + 1) / 2 : code;
            for (int i = 0; i < stored; ++i) {
                const int b = bytes.next();
                if (b < 0) return {};
                if (!nibbles) {
                    paint(static_cast<unsigned>(b));
                    continue;
                }
                paint(static_cast<unsigned>(b >> 4));
                if (2 * i + 1 < code) paint(static_cast<unsigned>(b & 15));
            }
            if (stored % 2 == 1) bytes.next();
        }
    }
    while (y < layout.height) endRow();  // ended early: the rest is black
    return finished(reducer, layout);
}

}  // namespace

DecodedPicture decodeBmpPicture(RegularFile& file, PictureSize bounds) {
    try {
        const std::optional<BmpLayout> layout = readLayout(file);
        if (!layout) return {};
        if (layout->storage == Storage::RunLength8 || layout->storage == Storage::RunLength4)
            return decodeRunLength(file, *layout, bounds);
        return decodeUncompressed(file, *layout, bounds);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace veltamar
