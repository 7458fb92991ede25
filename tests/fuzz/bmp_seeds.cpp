// Writes the bitmap seeds of the picture fuzzer that ImageMagick does not write: 2-bit and 4-bit
// run-length encoded pictures, OS/2 2.x headers, colour masks in headers of every size, 16-bit
// 5-5-5, top-down rows, and an 8-bit run-length encoding with deltas and an early end.
//
// usage: bmp_seeds DIRECTORY
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "bmp_builder.h"

using namespace veltamar::testsupport;

namespace {

constexpr int WIDTH = 16;
constexpr int HEIGHT = 12;
using Rows = std::vector<std::vector<std::uint32_t>>;

const std::vector<std::uint32_t> PALETTE{0x000080, 0xFF8000, 0x20C040, 0xF0F0F0, 0xC00000, 0x8080FF,
                                         0x404040, 0xFFFF00, 0x00FFFF, 0x800080, 0x008000, 0x804000,
                                         0xFF00FF, 0x000000, 0x808080, 0xFFFFFF};

// Bands and blocks of the first colours of the palette, bottom row first.
Rows indices(int colours) {
    Rows rows(HEIGHT, std::vector<std::uint32_t>(WIDTH));
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x)
            rows[y][x] = static_cast<std::uint32_t>((x < 6 ? y / 3 : x / 2 + (y > 7)) % colours);
    return rows;
}

// A gradient through the levels of each colour of a pixel with these masks.
Rows levels(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    Rows rows(HEIGHT, std::vector<std::uint32_t>(WIDTH));
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x)
            rows[y][x] = (red / (WIDTH - 1) * static_cast<std::uint32_t>(x) & red) |
                         (green / (HEIGHT - 1) * static_cast<std::uint32_t>(y) & green) |
                         (blue / (WIDTH - 1) * static_cast<std::uint32_t>(WIDTH - 1 - x) & blue);
    return rows;
}

// Run-length encoded rows: repeats as runs, the rest as absolute runs, each row ended; the third
// row is skipped by a delta, the fifth starts with a delta to the right, and the last is left out
// by an early end of the picture.
std::vector<std::uint8_t> runLength(const Rows& rows, bool nibbles) {
    const auto both = [nibbles](std::uint32_t index) {
        return static_cast<std::uint8_t>(nibbles ? index << 4 | index : index);
    };
    std::vector<std::uint8_t> out;
    for (std::size_t y = 0; y + 1 < rows.size(); ++y) {
        const std::vector<std::uint32_t>& row = rows[y];
        std::size_t x = y == 4 ? 3 : 0;
        if (y == 2) out.insert(out.end(), {0, 2, 0, 1});
        if (y == 4) out.insert(out.end(), {0, 2, 3, 0});
        for (std::size_t run = 1; y != 2 && x < row.size(); x += run) {
            for (run = 1; x + run < row.size() && row[x + run] == row[x];) ++run;
            if (run >= 3 || row.size() - x < 3) {
                out.insert(out.end(), {static_cast<std::uint8_t>(run), both(row[x])});
                continue;
            }
            for (run = 3; x + run < row.size() && row[x + run] != row[x + run - 1];) ++run;
            out.insert(out.end(), {0, static_cast<std::uint8_t>(run)});
            std::vector<std::uint8_t> stored;
            for (std::size_t i = 0; i < run; ++i) {
                if (!nibbles)
                    stored.push_back(static_cast<std::uint8_t>(row[x + i]));
                else if (i % 2 == 0)
                    stored.push_back(static_cast<std::uint8_t>(row[x + i] << 4));
                else
                    stored.back() |= static_cast<std::uint8_t>(row[x + i]);
            }
            if (stored.size() % 2 == 1) stored.push_back(0);
            out.insert(out.end(), stored.begin(), stored.end());
        }
        if (y != 2) out.insert(out.end(), {0, 0});
    }
    out.insert(out.end(), {0, 1});
    return out;
}

Rows upsideDown(Rows rows) {
    return Rows(rows.rbegin(), rows.rend());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string directory = std::string(argv[1]) + "/";
    const std::vector<std::uint32_t> palette4(PALETTE.begin(), PALETTE.begin() + 4);
    const auto save = [&](const std::string& name, BitmapParts parts) {
        parts.width = WIDTH;
        parts.height = parts.height < 0 ? -HEIGHT : HEIGHT;
        const std::vector<std::uint8_t> bytes = buildBitmap(parts);
        std::ofstream(directory + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    };
    save("bmp-rle4.bmp",
         {.bits = 4, .compression = 2, .palette = PALETTE, .pixels = runLength(indices(16), true)});
    save("bmp-rle8-delta.bmp",
         {.bits = 8, .compression = 1, .palette = PALETTE, .pixels = runLength(indices(16), false)});
    save("bmp-pal2.bmp", {.bits = 2, .palette = palette4, .pixels = packedRows(2, indices(4))});
    save("bmp-pal8-top-down.bmp", {.height = -1,
                                   .bits = 8,
                                   .palette = PALETTE,
                                   .coloursUsed = 16,
                                   .pixels = packedRows(8, upsideDown(indices(16)))});
    save("bmp-os2v2-64-pal4.bmp",
         {.headerSize = 64, .bits = 4, .palette = PALETTE, .pixels = packedRows(4, indices(16))});
    save("bmp-os2v2-16-rgb24.bmp",
         {.headerSize = 16, .bits = 24, .pixels = packedRows(24, levels(0xFF0000, 0xFF00, 0xFF))});
    save("bmp-rgb555.bmp", {.bits = 16, .pixels = packedRows(16, levels(0x7C00, 0x3E0, 0x1F))});
    save("bmp-masks565.bmp", {.bits = 16,
                              .compression = 3,
                              .masks = {0xF800, 0x7E0, 0x1F},
                              .pixels = packedRows(16, levels(0xF800, 0x7E0, 0x1F))});
    save("bmp-v2-444.bmp", {.headerSize = 52,
                            .bits = 16,
                            .compression = 3,
                            .masks = {0xF00, 0xF0, 0xF},
                            .pixels = packedRows(16, levels(0xF00, 0xF0, 0xF))});
    save("bmp-v3-1555.bmp", {.headerSize = 56,
                             .bits = 16,
                             .compression = 3,
                             .masks = {0x7C00, 0x3E0, 0x1F, 0x8000},
                             .pixels = packedRows(16, levels(0x7C00, 0x3E0, 0x1F))});
    save("bmp-v4-101010-top-down.bmp",
         {.headerSize = 108,
          .height = -1,
          .bits = 32,
          .compression = 3,
          .masks = {0x3FF00000, 0xFFC00, 0x3FF},
          .pixels = packedRows(32, upsideDown(levels(0x3FF00000, 0xFFC00, 0x3FF)))});
    save("bmp-alpha-masks.bmp", {.bits = 32,
                                 .compression = 6,
                                 .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
                                 .pixels = packedRows(32, levels(0xFF0000, 0xFF00, 0xFF))});
    return 0;
}
