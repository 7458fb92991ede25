#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "assets/picture_decoder.h"
#include "bmp_builder.h"
#include "temp_config_home.h"

// The user's pictures of every kind the dialog offers, small and large, each made here with its
// format's own library (or by hand for bitmaps) in four coloured quarters: a decoded picture shows
// the same quarters in the same places, at the size it is shown at.

using namespace veltamar;
using namespace veltamar::testsupport;

namespace {

using Rgb = std::array<int, 3>;
// Top left, top right, bottom left, bottom right.
constexpr std::array<Rgb, 4> QUARTERS{{{220, 20, 20}, {20, 200, 20}, {20, 20, 220}, {240, 240, 240}}};

int quarterAt(int x, int y, int width, int height) {
    return (y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1);
}

// The picture's colour in the middle of each quarter, as RGB (grey pictures give grey).
std::array<Rgb, 4> quartersOf(const DecodedPicture& picture) {
    std::array<Rgb, 4> seen{};
    for (int q = 0; q < 4; ++q) {
        const int x = picture.width / 4 + (q % 2) * picture.width / 2;
        const int y = picture.height / 4 + (q / 2) * picture.height / 2;
        const std::uint8_t* p =
            picture.pixels.data() + (static_cast<std::size_t>(y) * picture.width + x) * picture.channels;
        seen[q] = picture.channels >= 3 ? Rgb{p[0], p[1], p[2]} : Rgb{p[0], p[0], p[0]};
    }
    return seen;
}

void expectQuarters(const DecodedPicture& picture, const std::array<Rgb, 4>& expected, int tolerance) {
    ASSERT_TRUE(picture.ok());
    const auto seen = quartersOf(picture);
    for (int q = 0; q < 4; ++q)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(seen[q][c], expected[q][c], tolerance) << "quarter " << q << " channel " << c;
}

std::string pathIn(const TempConfigHome& home, const std::string& name) {
    std::filesystem::create_directories(home.dataDirectory());
    return home.dataDirectory() + name;
}

// Writes a PNG whose rows the function fills (8 or 16 bits a sample, big-endian).
void writePng(const std::string& path, int width, int height, int colourType, int bitDepth, bool interlaced,
              const std::function<void(int y, std::vector<std::uint8_t>& row)>& fill,
              const std::function<void(png_structp, png_infop)>& extra = {}) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, width, height, bitDepth, colourType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (extra) extra(png, info);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    std::vector<std::uint8_t> row(png_get_rowbytes(png, info));
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y) {
            fill(y, row);
            png_write_row(png, row.data());
        }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

void writeRgbPng(const std::string& path, int width, int height, bool interlaced) {
    writePng(path, width, height, PNG_COLOR_TYPE_RGB, 8, interlaced,
             [&](int y, std::vector<std::uint8_t>& row) {
                 for (int x = 0; x < width; ++x)
                     for (int c = 0; c < 3; ++c)
                         row[static_cast<std::size_t>(x) * 3 + c] =
                             static_cast<std::uint8_t>(QUARTERS[quarterAt(x, y, width, height)][c]);
             });
}

// A Windows bitmap of 1, 4, 8, 24 or 32 bits a pixel, stored bottom-up or top-down; pictures of up
// to 8 bits use the quarters' colours as their palette.
std::vector<std::uint8_t> bitmap(int width, int height, int bits, bool topDown) {
    std::vector<std::uint8_t> out{'B', 'M'};
    const auto put = [&out](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    const std::uint32_t stride = ((bits * width + 31) / 32) * 4;
    const std::uint32_t paletteBytes = bits <= 8 ? (1u << bits) * 4 : 0;
    const std::uint32_t offset = 54 + paletteBytes;
    put(offset + stride * height, 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(topDown ? -height : height), 4);
    put(1, 2);
    put(static_cast<std::uint32_t>(bits), 2);
    for (int i = 0; i < 6; ++i) put(0, 4);
    for (std::uint32_t i = 0; i < paletteBytes / 4; ++i) {
        const Rgb c = QUARTERS[i % 4];
        put(static_cast<std::uint32_t>(c[2] | (c[1] << 8) | (c[0] << 16)), 4);
    }
    for (int stored = 0; stored < height; ++stored) {
        const int y = topDown ? stored : height - 1 - stored;
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            const int q = quarterAt(x, y, width, height);
            const Rgb c = QUARTERS[q];
            if (bits >= 24) {
                for (int i = 0; i < 3; ++i) row[x * (bits / 8) + i] = static_cast<std::uint8_t>(c[2 - i]);
            } else {
                const int perByte = 8 / bits;
                row[x / perByte] |=
                    static_cast<std::uint8_t>((q & ((1 << bits) - 1)) << (8 - bits * (1 + x % perByte)));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A baseline JPEG from RGB (3 components) or CMYK as Adobe's programs store it (inverted).
void writeJpeg(const std::string& path, int width, int height, bool cmyk, bool progressive = false) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = width;
    info.image_height = height;
    info.input_components = cmyk ? 4 : 3;
    info.in_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * info.input_components);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            const Rgb c = QUARTERS[quarterAt(x, y, width, height)];
            std::uint8_t* p = row.data() + static_cast<std::size_t>(x) * info.input_components;
            if (cmyk) {  // no black ink: the inverted inks are the colours themselves
                p[0] = static_cast<std::uint8_t>(c[0]);
                p[1] = static_cast<std::uint8_t>(c[1]);
                p[2] = static_cast<std::uint8_t>(c[2]);
                p[3] = 255;
            } else {
                for (int i = 0; i < 3; ++i) p[i] = static_cast<std::uint8_t>(c[i]);
            }
        }
        JSAMPROW rows = row.data();
        jpeg_write_scanlines(&info, &rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

}  // namespace

TEST(PictureDecoder, PngsOfEveryKindKeepTheirColoursInPlace) {
    TempConfigHome home;
    const PictureSize bounds{1024, 768};

    const std::string rgb = pathIn(home, "rgb.png");
    writeRgbPng(rgb, 40, 30, false);
    DecodedPicture picture = decodePicture(rgb, bounds);
    EXPECT_EQ(picture.channels, 3);
    EXPECT_EQ(picture.width, 40);
    EXPECT_EQ(picture.height, 30);
    expectQuarters(picture, QUARTERS, 0);

    const std::string interlaced = pathIn(home, "interlaced.png");
    writeRgbPng(interlaced, 37, 23, true);
    expectQuarters(decodePicture(interlaced, bounds), QUARTERS, 0);

    // A 2-bit palette with the top right quarter see-through.
    const std::string palette = pathIn(home, "palette.png");
    writePng(
        palette, 40, 30, PNG_COLOR_TYPE_PALETTE, 2, false,
        [](int y, std::vector<std::uint8_t>& row) {
            std::fill(row.begin(), row.end(), 0);
            for (int x = 0; x < 40; ++x)
                row[x / 4] |= static_cast<std::uint8_t>(quarterAt(x, y, 40, 30) << (6 - 2 * (x % 4)));
        },
        [](png_structp png, png_infop info) {
            std::array<png_color, 4> colours{};
            for (int i = 0; i < 4; ++i)
                colours[i] = {static_cast<png_byte>(QUARTERS[i][0]), static_cast<png_byte>(QUARTERS[i][1]),
                              static_cast<png_byte>(QUARTERS[i][2])};
            png_set_PLTE(png, info, colours.data(), 4);
            std::array<png_byte, 2> alpha{255, 0};
            png_set_tRNS(png, info, alpha.data(), 2, nullptr);
        });
    picture = decodePicture(palette, bounds);
    EXPECT_EQ(picture.channels, 4);
    expectQuarters(picture, QUARTERS, 0);
    EXPECT_EQ(picture.pixels[(7 * 40 + 30) * 4 + 3], 0) << "see-through";
    EXPECT_EQ(picture.pixels[(7 * 40 + 5) * 4 + 3], 255);

    // 16-bit grey with alpha becomes 8-bit grey with alpha.
    const std::string grey = pathIn(home, "grey16.png");
    writePng(grey, 40, 30, PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, [](int y, std::vector<std::uint8_t>& row) {
        for (int x = 0; x < 40; ++x) {
            const std::uint16_t level = static_cast<std::uint16_t>(quarterAt(x, y, 40, 30) * 0x5555);
            row[x * 4] = static_cast<std::uint8_t>(level >> 8);
            row[x * 4 + 1] = static_cast<std::uint8_t>(level);
            row[x * 4 + 2] = row[x * 4 + 3] = 0xFF;
        }
    });
    picture = decodePicture(grey, bounds);
    EXPECT_EQ(picture.channels, 2);
    expectQuarters(picture, {{{0, 0, 0}, {85, 85, 85}, {170, 170, 170}, {255, 255, 255}}}, 0);
}

// Pictures larger than the screen come out at the size they are shown at, keeping their aspect
// within power-of-two sides, whatever their kind; a large interlaced PNG is read from its last pass.
TEST(PictureDecoder, LargePicturesComeOutFittedWithTheirQuartersInPlace) {
    TempConfigHome home;
    const PictureSize bounds{256, 256};
    struct Case {
        const char* name;
        std::function<void(const std::string&)> write;
        int tolerance;
    };
    const Case cases[] = {
        {"large.png", [](const std::string& p) { writeRgbPng(p, 2400, 1800, false); }, 0},
        {"large-interlaced.png", [](const std::string& p) { writeRgbPng(p, 2400, 1800, true); }, 0},
        {"large.bmp", [](const std::string& p) { writeBytes(p, bitmap(2400, 1800, 24, false)); }, 0},
        {"large-top-down.bmp", [](const std::string& p) { writeBytes(p, bitmap(2400, 1800, 32, true)); }, 0},
        {"large.jpg", [](const std::string& p) { writeJpeg(p, 2400, 1800, false); }, 12},
        {"large-cmyk.jpg", [](const std::string& p) { writeJpeg(p, 2400, 1800, true); }, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = pathIn(home, c.name);
        c.write(path);
        const DecodedPicture picture = decodePicture(path, bounds);
        ASSERT_TRUE(picture.ok());
        EXPECT_EQ(picture.original, (PictureSize{2400, 1800}));
        EXPECT_EQ(picture.width, 256);
        EXPECT_EQ(picture.height, 128);
        expectQuarters(picture, QUARTERS, c.tolerance);
    }
    // Shown at its own size, a large interlaced PNG keeps its height too (its last pass holds only
    // every other row).
    const std::string interlaced = pathIn(home, "large-interlaced.png");
    const DecodedPicture whole = decodePicture(interlaced, {4096, 4096});
    ASSERT_TRUE(whole.ok());
    EXPECT_EQ(whole.width, 2400);
    EXPECT_EQ(whole.height, 1800);
    expectQuarters(whole, QUARTERS, 0);
}

TEST(PictureDecoder, BitmapsOfEveryDepthAndBothRowOrders) {
    TempConfigHome home;
    for (const int bits : {1, 4, 8, 24, 32})
        for (const bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(bits) + (topDown ? " bits, top-down" : " bits, bottom-up"));
            const std::string path = pathIn(home, "picture.bmp");
            writeBytes(path, bitmap(33, 21, bits, topDown));
            const DecodedPicture picture = decodePicture(path, {1024, 768});
            EXPECT_EQ(picture.width, 33);
            // One bit a pixel has two colours only: the quarters' first two.
            expectQuarters(
                picture,
                bits == 1 ? std::array<Rgb, 4>{QUARTERS[0], QUARTERS[1], QUARTERS[0], QUARTERS[1]} : QUARTERS,
                0);
        }
}

// Damaged files are refused rather than shown with made-up rows: a JPEG cut short (which the
// decoder would finish in grey), a bitmap whose rows run past the end of its file, a PNG cut
// inside its data.
TEST(PictureDecoder, FilesCutShortAreRefused) {
    TempConfigHome home;
    const auto cut = [&](const std::string& name, const std::function<void(const std::string&)>& write) {
        const std::string path = pathIn(home, name);
        write(path);
        EXPECT_TRUE(decodePicture(path, {1024, 768}).ok()) << name << " whole";
        std::filesystem::resize_file(path, std::filesystem::file_size(path) * 3 / 4);
        EXPECT_FALSE(decodePicture(path, {1024, 768}).ok()) << name << " cut short";
    };
    cut("photo.jpg", [](const std::string& p) { writeJpeg(p, 300, 200, false); });
    cut("picture.bmp", [](const std::string& p) { writeBytes(p, bitmap(300, 200, 24, false)); });
    cut("picture.png", [](const std::string& p) { writeRgbPng(p, 300, 200, false); });
}

namespace {

constexpr std::uint32_t A = 0x102030, B = 0xE01020, C = 0x20C040, D = 0x3050F0;
const std::vector<std::uint32_t> PALETTE{A, B, C, D};

DecodedPicture decodeBytes(const TempConfigHome& home, const std::vector<std::uint8_t>& bytes) {
    const std::string path = pathIn(home, "case.bmp");
    writeBytes(path, bytes);
    return decodePicture(path, {1024, 768});
}

}  // namespace

// Tiny bitmaps of every kind decode to exactly the colours they store (as 0xRRGGBB, top row
// first). Run-length encoded pixels stay inside the picture whatever the runs say; what the
// encoding skips or leaves out, and an index past the palette, is black.
TEST(BmpDecoder, EveryKindGivesItsExactColours) {
    TempConfigHome home;
    std::vector<std::uint8_t> longRun{0, 255};
    for (int i = 0; i < 256; ++i) longRun.push_back(static_cast<std::uint8_t>(i % 4));  // and the padding
    longRun.insert(longRun.end(), {0, 0, 4, 3, 0, 1});
    const std::vector<std::uint32_t> none;
    // Parts: header size, width, height, bits, compression, masks, palette, colours used, pixels.
    const struct {
        const char* name;
        BitmapParts parts;
        std::vector<std::uint32_t> colours;
    } cases[] = {
        {"1 bit",
         {40, 3, 2, 1, 0, none, {A, B}, 0, packedRows(1, {{0, 1, 1}, {1, 0, 0}})},
         {B, A, A, A, B, B}},
        {"2 bits, top row first",
         {40, 3, -2, 2, 0, none, PALETTE, 0, packedRows(2, {{0, 1, 2}, {3, 2, 1}})},
         {A, B, C, D, C, B}},
        {"4 bits, OS/2 1.x", {12, 3, 1, 4, 0, none, PALETTE, 0, packedRows(4, {{3, 0, 2}})}, {D, A, C}},
        {"8 bits, index past the palette",
         {40, 3, 1, 8, 0, none, {A, B}, 2, packedRows(8, {{1, 0, 7}})},
         {B, A, 0}},
        {"8 bits, OS/2 2.x", {64, 2, 1, 8, 0, none, PALETTE, 0, packedRows(8, {{2, 3}})}, {C, D}},
        {"8 bits, version 5", {124, 2, 1, 8, 0, none, PALETTE, 0, packedRows(8, {{3, 1}})}, {D, B}},
        {"16 bits, 5-5-5",
         {40, 4, 1, 16, 0, none, none, 0, packedRows(16, {{0x7C00, 0x3E0, 0x1F, 0x4210}})},
         {0xFF0000, 0xFF00, 0xFF, 0x848484}},
        {"16 bits, 5-6-5 masks",
         {40, 2, 1, 16, 3, {0xF800, 0x7E0, 0x1F}, none, 0, packedRows(16, {{0xFC00, 0x1F}})},
         {0xFF8200, 0xFF}},
        {"16 bits, 4-4-4 masks, version 2",
         {52, 1, 1, 16, 3, {0xF00, 0xF0, 0xF}, none, 0, packedRows(16, {{0xF84}})},
         {0xFF8844}},
        {"24 bits, OS/2 2.x of 16 bytes",
         {16, 2, 1, 24, 0, none, none, 0, packedRows(24, {{0x123456, 0xABCDEF}})},
         {0x123456, 0xABCDEF}},
        {"32 bits, 10-10-10 masks, version 4, top row first",
         {108, 1, -2, 32, 3, {0x3FF00000, 0xFFC00, 0x3FF}, none, 0, packedRows(32, {{0x3FF80000}, {0x3FF}})},
         {0xFF8000, 0xFF}},
        {"32 bits, alpha masks",
         {40, 1, 1, 32, 6, {0xFF00, 0xFF0000, 0xFF, 0xFF000000u}, none, 0, packedRows(32, {{0x80123456}})},
         {0x341256}},
        {"run-length 8: runs, padded absolute run, delta, early end",
         {40, 5, 3, 8, 1, none, PALETTE, 0, {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 1, 2, 0, 1}},
         {0, C, 0, 0, 0, 0, 0, 0, 0, 0, B, B, C, D, B}},
        {"run-length 4: alternating run, padded absolute run",
         {40, 5, 2, 4, 2, none, PALETTE, 0, {5, 0x12, 0, 0, 0, 5, 0x31, 0x23, 0x10, 0, 0, 1}},
         {D, B, C, D, B, B, C, B, C, B}},
        {"run-length 8: a 255-byte absolute run in a 4 x 2 picture",
         {40, 4, 2, 8, 1, none, PALETTE, 0, longRun},
         {D, D, D, D, A, B, C, D}},
        {"run-length 4: runs past the width",
         {40, 3, 2, 4, 2, none, PALETTE, 0, {255, 0x23, 0, 0, 0, 9, 0x12, 0x31, 0x23, 0x12, 0x30, 0, 0, 1}},
         {B, C, D, C, D, C}},
        {"run-length 8: a delta past the last row, an index past the palette",
         {40, 2, 2, 8, 1, none, {A, B}, 2, {1, 1, 1, 9, 0, 2, 0, 9, 5, 5}},
         {0, 0, B, 0}},
        {"run-length 8: every row ended, no end of picture",
         {40, 1, 2, 8, 1, none, PALETTE, 0, {1, 1, 0, 0, 1, 2, 0, 0}},
         {C, B}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedPicture picture = decodeBytes(home, buildBitmap(c.parts));
        ASSERT_TRUE(picture.ok());
        EXPECT_EQ(picture.channels, 3);
        EXPECT_EQ(picture.width, c.parts.width);
        std::vector<std::uint32_t> colours;
        for (std::size_t i = 0; i + 2 < picture.pixels.size(); i += 3)
            colours.push_back(picture.pixels[i] << 16 | picture.pixels[i + 1] << 8 | picture.pixels[i + 2]);
        EXPECT_EQ(colours, c.colours);
    }
}

// A few bytes may claim a huge picture and end it at once: it comes out black at the size it is
// shown at, quickly, without its rows being held.
TEST(BmpDecoder, AHugePictureEndedAtOnceIsBlack) {
    TempConfigHome home;
    const DecodedPicture picture = decodeBytes(
        home, buildBitmap({40, 30000, 30000, 4, 2, {}, PALETTE, 0, {0, 2, 255, 255, 9, 0, 0, 1}}));
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(picture.original, (PictureSize{30000, 30000}));
    EXPECT_EQ(picture.width, 512);
    EXPECT_TRUE(std::ranges::all_of(picture.pixels, [](std::uint8_t v) { return v == 0; }));
}

// What no one writes, and files damaged or made to lie, are refused.
TEST(BmpDecoder, DamagedAndUnheardOfKindsAreRefused) {
    TempConfigHome home;
    const auto rle = [](std::uint32_t compression, int bits, std::int32_t height,
                        std::vector<std::uint8_t> stream) {
        return buildBitmap({40, 4, height, bits, compression, {}, PALETTE, 0, std::move(stream)});
    };
    const auto plain = [](std::uint32_t headerSize, int bits, std::uint32_t compression,
                          std::vector<std::uint32_t> masks, std::int32_t width = 4) {
        return buildBitmap({headerSize,
                            width,
                            1,
                            bits,
                            compression,
                            std::move(masks),
                            {},
                            0,
                            std::vector<std::uint8_t>(32)});
    };
    std::vector<std::uint8_t> cutHeader = plain(124, 24, 0, {});
    cutHeader.resize(100);
    std::vector<std::uint8_t> offsetInHeader = plain(40, 24, 0, {});
    offsetInHeader[10] = 40;
    std::vector<std::uint8_t> offsetPastEnd = plain(40, 24, 0, {});
    offsetPastEnd[11] = 1;
    const struct {
        const char* name;
        std::vector<std::uint8_t> file;
    } cases[] = {
        {"run-length without an end", rle(1, 8, 2, {4, 1, 0, 0, 4, 1})},
        {"run-length cut in an absolute run", rle(1, 8, 2, {0, 9, 1, 2, 3})},
        {"run-length cut in a delta", rle(1, 8, 2, {0, 2, 1})},
        {"run-length of nothing", rle(2, 4, 2, {})},
        {"run-length, top row first", rle(1, 8, -2, {0, 1})},
        {"run-length 8 of 4 bits", rle(1, 4, 2, {0, 1})},
        {"run-length 4 of 8 bits", rle(2, 8, 2, {0, 1})},
        {"JPEG inside", rle(4, 0, 2, {0xFF, 0xD8, 0xFF})},
        {"PNG inside", rle(5, 0, 2, {0x89, 'P', 'N', 'G'})},
        {"OS/2 Huffman", plain(64, 1, 3, {})},
        {"OS/2 24-bit run-length", plain(64, 24, 4, {})},
        {"OS/2 with masks, which it has not", plain(64, 32, 3, {0xFF0000, 0xFF00, 0xFF})},
        {"masks with a gap", plain(40, 16, 3, {0xF0F0, 0xF00, 0xF})},
        {"masks past 16 bits", plain(56, 16, 3, {0x1F0000, 0x7E0, 0x1F})},
        {"masks overlapping", plain(108, 32, 3, {0xFF0000, 0xFFFF00, 0xFF})},
        {"a mask of nothing", plain(40, 32, 3, {0xFF0000, 0, 0xFF})},
        {"masks on 24 bits", plain(40, 24, 3, {0xFF0000, 0xFF00, 0xFF})},
        {"3 bits", plain(40, 3, 0, {})},
        {"header of 100 bytes", plain(100, 24, 0, {})},
        {"header past the end", cutHeader},
        {"pixels inside the header", offsetInHeader},
        {"pixels past the end", offsetPastEnd},
        {"negative width", plain(40, 24, 0, {}, -4)},
        {"width past the largest side", plain(40, 24, 0, {}, 1 << 21)},
        {"file header only", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_FALSE(decodeBytes(home, c.file).ok()) << c.name;
}

// A progressive JPEG whose last scan comes again and again: a photo has about ten scans, and the
// decoder would work through thousands of them for minutes; past a few hundred it gives up.
TEST(PictureDecoder, AJpegOfEndlessScansIsRefused) {
    TempConfigHome home;
    const std::string progressive = pathIn(home, "progressive.jpg");
    writeJpeg(progressive, 64, 48, false, true);
    ASSERT_TRUE(decodePicture(progressive, {64, 64}).ok());

    std::ifstream in(progressive, std::ios::binary);
    const std::string jpeg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The last scan: its start-of-scan marker up to the end-of-image marker.
    const std::size_t lastScan = jpeg.rfind("\xFF\xDA");
    const std::size_t end = jpeg.rfind("\xFF\xD9");
    ASSERT_NE(lastScan, std::string::npos);
    std::string endless = jpeg.substr(0, end);
    for (int i = 0; i < 600; ++i) endless += jpeg.substr(lastScan, end - lastScan);
    endless += "\xFF\xD9";
    const std::string many = pathIn(home, "many-scans.jpg");
    std::ofstream(many, std::ios::binary) << endless;
    EXPECT_FALSE(decodePicture(many, {64, 64}).ok());
}
