#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "assets/jpeg_picture_decoder.h"
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

// What a new pixel should be: the mean over the part of the old picture it covers, worked out
// pixel by pixel in double precision.
std::vector<std::uint8_t> areaMeans(const std::vector<std::uint8_t>& pixels, int width, int height,
                                    int channels, int newWidth, int newHeight) {
    const double stepX = static_cast<double>(width) / newWidth;
    const double stepY = static_cast<double>(height) / newHeight;
    const auto overlap = [](double a0, double a1, double b0, double b1) {
        return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
    };
    std::vector<std::uint8_t> result;
    for (int y = 0; y < newHeight; ++y)
        for (int x = 0; x < newWidth; ++x)
            for (int c = 0; c < channels; ++c) {
                double sum = 0;
                for (int oy = 0; oy < height; ++oy)
                    for (int ox = 0; ox < width; ++ox)
                        sum += pixels[(static_cast<std::size_t>(oy) * width + ox) * channels + c] *
                               overlap(x * stepX, (x + 1) * stepX, ox, ox + 1) *
                               overlap(y * stepY, (y + 1) * stepY, oy, oy + 1);
                result.push_back(static_cast<std::uint8_t>(std::lround(sum / (stepX * stepY))));
            }
    return result;
}

}  // namespace

// Rows are reduced as they come, each summed into the one or two new rows it reaches into; odd
// ratios make rows straddle two new rows.
TEST(PixelScaling, RowsReducedOneAtATimeGiveTheMeansOfTheCoveredArea) {
    std::mt19937 random(3);
    const struct {
        int width, height, channels, newWidth, newHeight;
    } cases[] = {
        {37, 29, 3, 5, 7}, {64, 48, 4, 64, 13}, {11, 50, 1, 11, 3}, {9, 9, 2, 4, 9}, {100, 7, 3, 33, 1}};
    for (const auto& c : cases) {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(c.width) * c.height * c.channels);
        for (auto& p : pixels) p = static_cast<std::uint8_t>(random());
        RowReducer reducer(c.width, c.height, c.channels, c.newWidth, c.newHeight);
        for (int y = 0; y < c.height; ++y) {
            EXPECT_FALSE(reducer.complete());
            reducer.addRow(pixels.data() + static_cast<std::size_t>(y) * c.width * c.channels);
        }
        ASSERT_TRUE(reducer.complete());
        const std::vector<std::uint8_t> reduced = reducer.takePixels();
        const std::vector<std::uint8_t> expected =
            areaMeans(pixels, c.width, c.height, c.channels, c.newWidth, c.newHeight);
        ASSERT_EQ(reduced.size(), expected.size());
        for (std::size_t i = 0; i < reduced.size(); ++i)
            ASSERT_NEAR(reduced[i], expected[i], 1) << c.width << "x" << c.height << " at " << i;
    }
}

// A row that says which of its pixels may be other than black gives what the whole row gives, its
// other pixels unread; rows black throughout are among them.
TEST(PixelScaling, RowsPaintedInPartGiveWhatWholeRowsGive) {
    std::mt19937 random(5);
    for (const auto& [width, height, newWidth, newHeight] :
         {std::array{37, 29, 5, 7}, std::array{64, 48, 64, 13}, std::array{100, 7, 33, 1}}) {
        RowReducer whole(width, height, 3, newWidth, newHeight);
        RowReducer part(width, height, 3, newWidth, newHeight);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
        std::vector<std::uint8_t> unread(row.size());
        for (int y = 0; y < height; ++y) {
            const int first = static_cast<int>(random() % static_cast<unsigned>(width));
            const int end = y % 3 == 0 ? first : first + static_cast<int>(random() % (width - first + 1u));
            for (std::size_t i = 0; i < row.size(); ++i) {
                const bool painted = i >= first * 3u && i < end * 3u;
                row[i] = painted ? static_cast<std::uint8_t>(random()) : 0;
                unread[i] = painted ? row[i] : 255;
            }
            whole.addRow(row.data());
            part.addRow(unread.data(), first, end);
        }
        EXPECT_EQ(whole.takePixels(), part.takePixels()) << width << "x" << height;
    }
}

TEST(JpegScale, TheLargestReductionThatStillLeavesTheShownSize) {
    EXPECT_EQ(jpegScaleDenominator({6000, 4000}, {1024, 512}), 4) << "1500 x 1000 is still enough";
    EXPECT_EQ(jpegScaleDenominator({6000, 4000}, {512, 256}), 8);
    EXPECT_EQ(jpegScaleDenominator({2000, 1000}, {1024, 512}), 1) << "half would be too small";
    EXPECT_EQ(jpegScaleDenominator({2048, 1024}, {1024, 512}), 2);
    EXPECT_EQ(jpegScaleDenominator({640, 480}, {640, 480}), 1);
}
