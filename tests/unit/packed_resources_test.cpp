#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "assets/packed_resources.h"
#include "assets/scramble_key.h"
#include "temp_config_home.h"

using namespace veltamar;
using veltamar::testsupport::TempConfigHome;

namespace {

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint8_t plus(std::uint8_t b, int keyIndex) {
    return static_cast<std::uint8_t>(b + SCRAMBLE_KEY[keyIndex]);
}

}  // namespace

TEST(Descramble, EachByteGetsTheKeyByteOfItsOneBasedPosition) {
    TempConfigHome home;
    const std::string dir = home.dataDirectory();
    std::filesystem::create_directories(dir);

    writeBytes(dir + "three.ad", {10, 200, 255});
    ASSERT_TRUE(descrambleFile(dir, "three"));
    EXPECT_EQ(readBytes(dir + "three.bmp"),
              (std::vector<std::uint8_t>{plus(10, 1), plus(200, 2), plus(255, 3)}));

    std::vector<std::uint8_t> fifty(50, 7);
    writeBytes(dir + "fifty.ad", fifty);
    ASSERT_TRUE(descrambleFile(dir, "fifty"));
    const auto out = readBytes(dir + "fifty.bmp");
    ASSERT_EQ(out.size(), 50u);
    EXPECT_EQ(out[48], plus(7, 49));
    EXPECT_EQ(out[49], plus(7, 0)) << "the 50th byte uses key byte 0";

    std::vector<std::uint8_t> big(200000);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 31);
    std::vector<std::uint8_t> scrambled(big.size());
    for (std::size_t i = 0; i < big.size(); ++i) scrambled[i] = scrambleByte(big[i], i + 1);
    writeBytes(dir + "Music.ad", scrambled);
    ASSERT_TRUE(descrambleFile(dir, "Music"));
    EXPECT_EQ(readBytes(dir + "Music.wav"), big) << "the packer's scrambling is undone exactly";
}

TEST(Descramble, OnlyTheExactNameMusicMakesAWave) {
    EXPECT_EQ(plainFileName("/d/", "Music"), "/d/Music.wav");
    EXPECT_EQ(plainFileName("/d/", "music"), "/d/music.bmp");
    EXPECT_EQ(plainFileName("/d/", "fish3"), "/d/fish3.bmp");
    EXPECT_EQ(rawFileName("/d/", "fish3"), "/d/fish3.ad");
}

TEST(Descramble, UnopenableFilesAreReportedAndSkippedWithoutEndingTheProgram) {
    TempConfigHome home;
    const std::string dir = home.dataDirectory();
    std::filesystem::create_directories(dir);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(descrambleFile(dir, "absent"));
    writeBytes(dir + "blocked.ad", {1, 2, 3});
    std::filesystem::create_directories(dir + "blocked.bmp");  // the output name is taken by a directory
    EXPECT_FALSE(descrambleFile(dir, "blocked"));
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("cannot open infile " + dir + "absent.ad"), std::string::npos) << errors;
    EXPECT_NE(errors.find(" cannot open outfile " + dir + "blocked.bmp"), std::string::npos) << errors;
}

TEST(Extract, AnAbsentResourceMakesNoFile) {
    TempConfigHome home;
    const std::string dir = home.dataDirectory();
    std::filesystem::create_directories(dir);
    EXPECT_EQ(extractResource(165, dir, "nothing"), 0);
    EXPECT_EQ(extractResource(-1, dir, "nothing"), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

// Every built-in file comes back byte for byte as the asset generator made it, through the packed
// copy inside the program, also after that copy has left memory; the pictures have the sizes and
// depths their loaders expect.
TEST(Extract, EveryBuiltInFileComesBackExactly) {
    TempConfigHome home;
    const std::string dir = home.dataDirectory();
    std::filesystem::create_directories(dir);
    std::ifstream manifest(ASSET_MANIFEST);
    ASSERT_TRUE(manifest) << ASSET_MANIFEST;
    int packed = 0;
    for (std::string kind, rest; manifest >> kind && std::getline(manifest, rest);) {
        if (kind != "packed") continue;
        std::istringstream fields(rest);
        int id = 0;
        std::string original;
        fields >> id >> original;
        const std::string base = id == 227 ? "Music" : "asset" + std::to_string(id);
        // Twice: the stored copy's pages leave memory after each extraction and must come back intact.
        for (int round = 0; round < 2; ++round) {
            ASSERT_EQ(extractResource(id, dir, base), 1) << id;
            EXPECT_EQ(readBytes(plainFileName(dir, base)), readBytes(original)) << id << " round " << round;
            deleteExtractedFiles(dir, base);
        }
        ++packed;
    }
    EXPECT_EQ(packed, 13) << "the backdrop, the bubble, ten fish skins and the music";
    EXPECT_TRUE(std::filesystem::is_empty(dir));

    auto expectBitmap = [&](int id, int width, int height) {
        ASSERT_EQ(extractResource(id, dir, "picture"), 1);
        const auto bytes = readBytes(plainFileName(dir, "picture"));
        deleteExtractedFiles(dir, "picture");
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[18] | bytes[19] << 8, width) << id;
        EXPECT_EQ(bytes[22] | bytes[23] << 8, height) << id;
        EXPECT_EQ(bytes[28], 24) << id;
    };
    expectBitmap(154, 1024, 512);
    expectBitmap(166, 32, 32);
    for (int id = 10000; id <= 10009; ++id) expectBitmap(id, 64, 64);
}

TEST(Extract, AStaleLongerRawFileLeavesNoTail) {
    TempConfigHome home;
    const std::string dir = home.dataDirectory();
    std::filesystem::create_directories(dir);
    writeBytes(dir + "fish3.ad", std::vector<std::uint8_t>(50000, 0xAB));  // left from another run
    ASSERT_EQ(extractResource(10003, dir, "fish3"), 1);
    EXPECT_EQ(std::filesystem::file_size(dir + "fish3.ad"), std::filesystem::file_size(dir + "fish3.bmp"));
    EXPECT_EQ(std::filesystem::file_size(dir + "fish3.bmp"), 54u + 64u * 64u * 3u);
}
