#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/picture_decoder.h"
#include "audio/music_decoder.h"
#include "audio/music_kind.h"
#include "audio_capture.h"
#include "platform/file_bytes.h"
#include "temp_config_home.h"

// Files the user names (their music, their pictures, the settings file) may be anything: only
// regular files are read, and music only of the kinds whose decoders stream it.

using namespace veltamar;
using namespace veltamar::test;
using namespace veltamar::testsupport;
using namespace std::literals;

namespace {

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string le32(std::uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

}  // namespace

// A named pipe with no writer, an endless device, a directory: each is refused at once, unread
// (reading /dev/zero would never end, opening the pipe would wait for a writer for ever), and
// nothing is left holding the pipe open.
TEST(UserFiles, SpecialFilesAreRefusedAtOnceWithoutBeingRead) {
    TempConfigHome home;
    std::filesystem::create_directories(home.dataDirectory());
    const std::string pipe = home.dataDirectory() + "share.mp3";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path :
         {pipe, std::string("/dev/zero"), home.dataDirectory(), home.dataDirectory() + "gone.png"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(readFileBytes(path));
        EXPECT_FALSE(decodePicture(path, {1024, 768}).ok());
        EXPECT_FALSE(RegularFile::open(path)) << "as music";
    }
    const int writer = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
    EXPECT_EQ(writer, -1) << "a writer finds no reader";
    EXPECT_EQ(errno, ENXIO);
    if (writer >= 0) close(writer);
}

// A file larger than what is read whole (a settings file of gigabytes, sparse here) gives nothing,
// at once, rather than an allocation that fails deep inside a stream.
TEST(UserFiles, AFileTooLargeToReadWholeGivesNothing) {
    TempConfigHome home;
    std::filesystem::create_directories(home.dataDirectory());
    const std::string huge = home.dataDirectory() + "huge.ini";
    std::ofstream(huge) << "[Fish Number]\nFish0=3\n";
    std::filesystem::resize_file(huge, std::uintmax_t{8} << 30);
    EXPECT_FALSE(readFileBytes(huge));
    std::filesystem::resize_file(huge, READ_FILE_LIMIT);
    EXPECT_EQ(readFileBytes(huge)->size(), READ_FILE_LIMIT) << "up to the limit it is read";
}

TEST(MusicFile, OnlyMpegAudioAndWavAreOpened) {
    EXPECT_EQ(musicKindOf(bytesOf("RIFF\x24\x00\x00\x00WAVEfmt "s), "a.bin"), MusicKind::Wav);
    EXPECT_EQ(musicKindOf(bytesOf("ID3\x04\x00\x00\x00\x00\x00\x00"s), "a.wav"), MusicKind::Mpeg);
    EXPECT_EQ(musicKindOf(bytesOf("\xFF\xFB\x90\x64"s), "track"), MusicKind::Mpeg);
    // MPEG audio after something else: the name tells.
    EXPECT_EQ(musicKindOf(bytesOf("\0\0\0\0junk"s), "/music/Track.MP3"), MusicKind::Mpeg);
    EXPECT_EQ(musicKindOf(bytesOf("\0\0\0\0junk"s), "/music/film.mpeg"), MusicKind::Mpeg);
    // Tracker modules, MIDI, anything unknown: their decoders read the whole file into memory.
    EXPECT_EQ(musicKindOf(bytesOf("Extended Module: "s), "song.xm"), MusicKind::Unknown);
    EXPECT_EQ(musicKindOf(bytesOf("MThd\0\0\0\x06"s), "song.mid"), MusicKind::Unknown);
    EXPECT_EQ(musicKindOf(bytesOf("\0\0\0\0junk"s), "/music.mp3/zero"), MusicKind::Unknown);
    EXPECT_EQ(musicKindOf({}, "nothing"), MusicKind::Unknown);
}

namespace {

long peakResidentKb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Opens the file as music, keeping the peak resident size it took in KiB.
std::unique_ptr<MusicDecoder> openMeasured(const std::string& path, long& peakGrowthKb) {
    std::optional<RegularFile> file = RegularFile::open(path);
    if (!file) return nullptr;
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = peakResidentKb();
    auto decoder = MusicDecoder::open(std::move(*file), path);
    peakGrowthKb = peakResidentKb() - before;
    return decoder;
}

}  // namespace

// A WAV file with a metadata chunk of a gigabyte in front of its sound (sparse, so it costs the
// disk nothing): the chunk is stepped over unread and the sound plays.
TEST(MusicFile, WavMetadataChunksAreSteppedOverUnread) {
    AudioCapture capture;
    const std::string tone = capture.directory() + "/tone.wav";
    writeSineWav(tone, 0.5);
    std::ifstream in(tone, std::ios::binary);
    const std::string wav((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::uint32_t listSize = 1u << 30;
    const std::string bomb = capture.directory() + "/bomb.wav";
    {
        std::ofstream out(bomb, std::ios::binary);
        out << wav.substr(0, 36) << "LIST" << le32(listSize);
        out.seekp(44 + listSize);
        out << wav.substr(36);
    }
    long growth = 0;
    const auto decoder = openMeasured(bomb, growth);
    ASSERT_TRUE(decoder);
    EXPECT_EQ(decoder->lengthMs(), 500);
    EXPECT_LT(growth, 16 * 1024) << "the chunk is not read";
}

// An MP3 whose tag claims 200 MB (a cover picture, say; sparse here): the decoder is handed the
// audio past the tag, which it would otherwise read whole into memory.
TEST(MusicFile, AnMp3BehindAHugeTagOpensWithoutReadingTheTag) {
    AudioCapture capture;
    const std::string wav = capture.directory() + "/tone.wav";
    const std::string mp3 = capture.directory() + "/tone.mp3";
    writeSineWav(wav, 1.0);
    ASSERT_EQ(std::system(("lame --quiet -b 128 '" + wav + "' '" + mp3 + "'").c_str()), 0);
    std::ifstream in(mp3, std::ios::binary);
    const std::string audio((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::uint32_t tagSize = 200u << 20;
    std::string tag = "ID3\x03\x00\x00"s;
    for (int shift : {21, 14, 7, 0}) tag += static_cast<char>((tagSize >> shift) & 0x7F);
    tag += "TXXX" +
           std::string{static_cast<char>((tagSize - 10) >> 24), static_cast<char>((tagSize - 10) >> 16),
                       static_cast<char>((tagSize - 10) >> 8), static_cast<char>(tagSize - 10)} +
           "\0\0"s;
    const std::string tagged = capture.directory() + "/tagged.mp3";
    {
        std::ofstream out(tagged, std::ios::binary);
        out << tag;
        out.seekp(10 + tagSize);
        out << audio;
    }
    std::optional<RegularFile> file = RegularFile::open(tagged);
    ASSERT_TRUE(file);
    EXPECT_EQ(mpegAudioStart(*file), 10 + tagSize);

    long growth = 0;
    const auto decoder = openMeasured(tagged, growth);
    ASSERT_TRUE(decoder);
    EXPECT_NEAR(decoder->lengthMs(), 1000, 100);
    EXPECT_LT(growth, 16 * 1024) << "the tag is not read";
}
