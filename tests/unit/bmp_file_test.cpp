#include <gtest/gtest.h>

#include "assets/bmp_file.h"
#include "bmp_builder.h"
#include "platform/crt_rand.h"

using namespace veltamar;
using namespace veltamar::testsupport;

TEST(BmpFile, ParsesTheThreeDepthsAndKeysExactlyPureBlack) {
    BmpLayout layout;
    layout.width = 3;
    layout.height = 2;
    layout.pixel = [](int x, int y) -> std::uint32_t { return x == 0 && y == 0 ? 0x000000 : (x == 1 ? 0x000001 : 0x123456); };
    const auto file = buildBmp(layout);
    const auto bmp = parseBmp(file);
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->width, 3);
    EXPECT_EQ(bmp->height, 2);
    EXPECT_EQ(bmp->pixels.size(), 2u * 12u) << "rows padded to 4 bytes";
    const auto rgba = blackKeyedRgba(*bmp);
    ASSERT_EQ(rgba.size(), 3u * 2u * 4u);
    EXPECT_EQ(rgba[3], 0) << "(0, 0, 0) is transparent";
    EXPECT_EQ((std::vector<int>{rgba[4], rgba[5], rgba[6], rgba[7]}), (std::vector<int>{0, 0, 1, 255}))
        << "(0, 0, 1) is opaque";
    EXPECT_EQ((std::vector<int>{rgba[8], rgba[9], rgba[10]}), (std::vector<int>{0x12, 0x34, 0x56}));

    BmpLayout paletted;
    paletted.width = 5;
    paletted.height = 1;
    paletted.bitsPerPixel = 8;
    paletted.palette = {0x000000, 0xff8000, 0x0000ff};
    paletted.coloursUsedField = 3;
    paletted.pixel = [](int x, int) -> std::uint32_t { return x % 3; };
    const auto palettedFile = buildBmp(paletted);
    const auto eight = parseBmp(palettedFile);
    ASSERT_TRUE(eight);
    const auto bgr = expandPaletteToBgr(*eight);
    ASSERT_EQ(bgr.size(), 16u);
    EXPECT_EQ((std::vector<int>{bgr[3], bgr[4], bgr[5]}), (std::vector<int>{0x00, 0x80, 0xff}));
    EXPECT_EQ((std::vector<int>{bgr[6], bgr[7], bgr[8]}), (std::vector<int>{0xff, 0x00, 0x00}));

    BmpLayout wide;
    wide.bitsPerPixel = 32;
    wide.width = 2;
    ASSERT_TRUE(parseBmp(buildBmp(wide)));
}

TEST(BmpFile, ShortLyingAndDamagedFilesAreRefused) {
    BmpLayout layout;
    layout.width = 8;
    layout.height = 8;
    const std::vector<std::uint8_t> good = buildBmp(layout);
    ASSERT_TRUE(parseBmp(good));

    for (std::size_t length : {0u, 1u, 14u, 53u, 54u, 100u, static_cast<unsigned>(good.size() - 1)})
        EXPECT_FALSE(parseBmp(std::span(good.data(), length))) << "truncated to " << length;

    auto lying = [&](std::size_t at, std::uint32_t value) {
        std::vector<std::uint8_t> copy = good;
        for (int i = 0; i < 4; ++i) copy[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        return parseBmp(copy).has_value();
    };
    EXPECT_FALSE(lying(18, 100000)) << "width far beyond the data";
    EXPECT_FALSE(lying(22, 9)) << "one row more than stored";
    EXPECT_FALSE(lying(22, 0xffffffff)) << "top-down or absurd height";
    EXPECT_FALSE(lying(18, 0)) << "zero width";
    EXPECT_FALSE(lying(10, static_cast<std::uint32_t>(good.size()))) << "pixel offset at the end";
    EXPECT_FALSE(lying(14, 0xfffffff0)) << "information header size";
    EXPECT_FALSE(lying(30, 1)) << "compressed";
    EXPECT_TRUE(lying(34, 0)) << "an image size of 0 is computed from the sides";
    EXPECT_TRUE(lying(34, 12345678)) << "a wrong image size is not trusted";

    std::vector<std::uint8_t> notBm = good;
    notBm[0] = 'X';
    EXPECT_FALSE(parseBmp(notBm));

    BmpLayout paletted;
    paletted.bitsPerPixel = 8;
    paletted.palette = {0xffffff};
    paletted.coloursUsedField = 300;  // more entries than a palette can have
    EXPECT_FALSE(parseBmp(buildBmp(paletted)));
}

TEST(BmpFile, RandomAndMutatedBytesNeverReadOutside) {
    BmpLayout layout;
    layout.width = 5;
    layout.height = 3;
    layout.bitsPerPixel = 8;
    layout.palette = {0x010203, 0x040506};
    layout.pixel = [](int x, int y) -> std::uint32_t { return static_cast<std::uint32_t>(x * 7 + y * 13); };
    const std::vector<std::uint8_t> seed = buildBmp(layout);
    crtSrand(3);
    for (int round = 0; round < 4000; ++round) {
        std::vector<std::uint8_t> bytes = seed;
        if (round % 4 == 0) bytes.resize(crtRand() % 300);
        for (int flips = crtRand() % 6; flips >= 0 && !bytes.empty(); --flips)
            bytes[crtRand() % bytes.size()] = static_cast<std::uint8_t>(crtRand());
        if (const auto bmp = parseBmp(bytes)) {
            const auto rgba = blackKeyedRgba(*bmp);
            EXPECT_EQ(rgba.size(), static_cast<std::size_t>(bmp->width) * bmp->height * 4);
            if (bmp->bitsPerPixel == 8) (void)expandPaletteToBgr(*bmp);
        }
    }
}

TEST(BmpFile, PowerOfTwoSidesAndRowStrides) {
    EXPECT_EQ(powerOfTwoSide(64, 512), 64);
    EXPECT_EQ(powerOfTwoSide(100, 512), 128);
    EXPECT_EQ(powerOfTwoSide(60, 512), 64);
    EXPECT_EQ(powerOfTwoSide(1024, 512), 512);
    EXPECT_EQ(powerOfTwoSide(600, 512), 512);
    EXPECT_EQ(powerOfTwoSide(1, 512), 2);
    EXPECT_EQ(powerOfTwoSide(2, 512), 2);
    EXPECT_EQ(rowStride(24, 1), 4);
    EXPECT_EQ(rowStride(24, 3), 12);
    EXPECT_EQ(rowStride(8, 5), 8);
    EXPECT_EQ(rowStride(32, 3), 12);
}
