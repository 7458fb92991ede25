#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "assets/jpeg_completeness.h"
#include "assets/jpeg_scaled_decoder.h"
#include "assets/picture_fit.h"
#include "assets/pixel_scaling.h"

using namespace veltamar;

TEST(PictureFit, PicturesWithinTheScreenStayAsTheyAre) {
    const PictureSize screen{1024, 768};
    for (PictureSize p :
         {PictureSize{1024, 768}, PictureSize{1000, 700}, PictureSize{1, 1}, PictureSize{300, 768}})
        EXPECT_EQ(fittedPictureSize(p, screen), p);
}

TEST(PictureFit, LargerPicturesFitThenTakePowerOfTwoSidesWithinTheScreen) {
    const PictureSize screen{1024, 768};
    // 6000 x 4000 fits as 1024 x 683; its texture sides are 1024 x 512.
    EXPECT_EQ(fittedPictureSize({6000, 4000}, screen), (PictureSize{1024, 512}));
    // Tall: 3000 x 6000 fits as 384 x 768.
    EXPECT_EQ(fittedPictureSize({3000, 6000}, screen), (PictureSize{256, 512}));
    // One side only too large.
    EXPECT_EQ(fittedPictureSize({2048, 100}, screen), (PictureSize{1024, 32}));
    EXPECT_EQ(fittedPictureSize({100000, 3}, screen), (PictureSize{1024, 1}));
    for (PictureSize p : {PictureSize{6000, 4000}, PictureSize{1025, 768}, PictureSize{4000, 6000}}) {
        const PictureSize f = fittedPictureSize(p, screen);
        EXPECT_LE(f.width, screen.width);
        EXPECT_LE(f.height, screen.height);
        EXPECT_EQ(f.width & (f.width - 1), 0);
        EXPECT_EQ(f.height & (f.height - 1), 0);
    }
}

TEST(PixelScaling, AveragesTheCoveredPixels) {
    // 4 x 2 grey picture to 2 x 1: each new pixel is the mean of a 2 x 2 block.
    const std::vector<std::uint8_t> grey{0, 100, 200, 255, 100, 0, 255, 255};
    EXPECT_EQ(scalePixelsDown(grey.data(), 4, 2, 1, 2, 1), (std::vector<std::uint8_t>{50, 241}));

    // 3 x 1 to 2 x 1 weighs the middle pixel half to each side; channels stay apart.
    const std::vector<std::uint8_t> rgb{30, 0, 255, 90, 0, 255, 150, 255, 0};
    EXPECT_EQ(scalePixelsDown(rgb.data(), 3, 1, 3, 2, 1),
              (std::vector<std::uint8_t>{50, 0, 255, 130, 170, 85}));

    // An even picture keeps its colour whatever the ratio.
    const std::vector<std::uint8_t> even(7 * 5 * 4, 77);
    for (std::uint8_t v : scalePixelsDown(even.data(), 7, 5, 4, 3, 2)) EXPECT_EQ(v, 77);
}

namespace {

std::vector<std::uint8_t> jpegOf(std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> bytes;
    for (const auto& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

const std::vector<std::uint8_t> SOI{0xFF, 0xD8};
const std::vector<std::uint8_t> EOI{0xFF, 0xD9};
// An application segment holding a thumbnail picture with an end marker of its own.
const std::vector<std::uint8_t> APP1{0xFF, 0xE1, 0x00, 0x06, 0xFF, 0xD8, 0xFF, 0xD9};
const std::vector<std::uint8_t> SOS{0xFF, 0xDA, 0x00, 0x04, 0x01, 0x02};
const std::vector<std::uint8_t> SCAN{0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56};

}  // namespace

TEST(JpegCompleteness, AFileCutShortHasNoEndMarkerAfterItsScan) {
    EXPECT_TRUE(jpegIsComplete(jpegOf({SOI, APP1, SOS, SCAN, EOI})));
    EXPECT_TRUE(jpegIsComplete(jpegOf({SOI, SOS, SCAN, EOI, {0x01, 0x02, 0x03}})));  // trailer after the end
    EXPECT_FALSE(jpegIsComplete(jpegOf({SOI, APP1, SOS, SCAN})));  // the thumbnail's end does not count
    EXPECT_FALSE(jpegIsComplete(jpegOf({SOI, APP1})));
    EXPECT_FALSE(jpegIsComplete(jpegOf({SOI, {0xFF, 0xE0, 0x00}})));  // cut inside a segment's length
    EXPECT_FALSE(jpegIsComplete(jpegOf({SOI, EOI})));
    EXPECT_FALSE(jpegIsComplete(jpegOf({{0x89, 'P', 'N', 'G'}})));
    EXPECT_TRUE(looksLikeJpeg(SOI));
    EXPECT_FALSE(looksLikeJpeg(std::vector<std::uint8_t>{0xFF}));
}

TEST(JpegScale, TheLargestReductionThatStillLeavesTheShownSize) {
    EXPECT_EQ(jpegScaleDenominator({6000, 4000}, {1024, 512}), 4) << "1500 x 1000 is still enough";
    EXPECT_EQ(jpegScaleDenominator({6000, 4000}, {512, 256}), 8);
    EXPECT_EQ(jpegScaleDenominator({2000, 1000}, {1024, 512}), 1) << "half would be too small";
    EXPECT_EQ(jpegScaleDenominator({2048, 1024}, {1024, 512}), 2);
    EXPECT_EQ(jpegScaleDenominator({640, 480}, {640, 480}), 1);
    EXPECT_FALSE(readJpegHeader(std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0x00, 0x01}));
    EXPECT_FALSE(decodeJpegScaled(std::vector<std::uint8_t>(100, 0x55), 2));
}
