#include "audio/music_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <optional>

using namespace veltamar;
using namespace std::string_literals;

namespace {

std::string le(std::uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

std::string s16(std::initializer_list<int> samples) {
    std::string out;
    for (int s : samples) out += le(static_cast<std::uint16_t>(s), 2);
    return out;
}

std::string f32(float sample) {
    return le(std::bit_cast<std::uint32_t>(sample), 4);
}

std::string times(int n, const std::string& bytes) {
    std::string out;
    while (n-- > 0) out += bytes;
    return out;
}

struct Fmt {
    std::uint16_t tag = 1, channels = 2;
    std::uint32_t rate = 44100;
    std::uint16_t blockAlign = 4, bits = 16;
    std::uint16_t subformat = 0;  // an extensible format of this tag when not 0
};

struct Wav {
    Fmt fmt;
    std::string data;
    std::string beforeFmt = {}, beforeData = {};
    std::optional<std::uint32_t> fmtSize = {}, dataSize = {};
};

std::string bytesOf(const Wav& w) {
    const Fmt& f = w.fmt;
    std::string fmt = le(f.subformat ? 0xFFFE : f.tag, 2) + le(f.channels, 2) + le(f.rate, 4) +
                      le(f.rate * f.blockAlign, 4) + le(f.blockAlign, 2) + le(f.bits, 2);
    if (f.subformat)
        fmt += le(22, 2) + le(f.bits, 2) + le(0, 4) + le(f.subformat, 2) +
               std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14);
    const std::string body = w.beforeFmt + "fmt " + le(w.fmtSize.value_or(fmt.size()), 4) + fmt +
                             w.beforeData + "data" + le(w.dataSize.value_or(w.data.size()), 4) + w.data;
    return "RIFF" + le(4 + body.size(), 4) + "WAVE" + body;
}

// Half-scale sine of 1 kHz at the format's rate, as 16-bit PCM or 32-bit floats.
std::string sine(const Fmt& f, double seconds) {
    std::string out;
    for (long i = 0; i < std::lround(seconds * f.rate); ++i) {
        const double v = 0.5 * std::sin(2 * std::numbers::pi * 1000 * i / f.rate);
        out += times(f.channels, f.tag == 3 ? f32(static_cast<float>(v))
                                            : s16({static_cast<int>(std::lround(v * 32767))}));
    }
    return out;
}

std::vector<std::int16_t> decodeAll(MusicDecoder& decoder) {
    const long limit = 10 * PCM_RATE;
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(limit) * 2);
    long total = 0, n;
    while (total < limit && (n = decoder.read(pcm.data() + 2 * total, std::min(3000L, limit - total))) > 0)
        total += n;
    EXPECT_GE(n, 0) << "decodes without failing";
    pcm.resize(static_cast<std::size_t>(total) * 2);
    return pcm;
}

double rms(const std::vector<std::int16_t>& pcm, std::size_t from, std::size_t frames) {
    double sum = 0;
    for (std::size_t i = 2 * from; i < 2 * (from + frames); ++i) sum += std::pow(pcm[i] / 32768.0, 2);
    return std::sqrt(sum / (2.0 * frames));
}

// The first frame from `from` on where a window of 10 ms is silent.
long silenceFrom(const std::vector<std::int16_t>& pcm, std::size_t from = 0) {
    for (std::size_t at = from; at + 441 <= pcm.size() / 2; at += 11)
        if (rms(pcm, at, 441) < 0.01) return static_cast<long>(at);
    return -1;
}

class MusicDecoderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "music-decoder-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
        return dir + "/" + name;
    }
    std::unique_ptr<MusicDecoder> open(const std::string& name, const std::string& bytes) {
        std::optional<RegularFile> file = RegularFile::open(write("music", bytes));
        return file ? MusicDecoder::open(std::move(*file), name) : nullptr;
    }
    // An MP3 of a second of sine and half a second of silence, made by lame with these options.
    std::string mp3(const std::string& options) {
        const Fmt f;
        const std::string wav =
            write("source.wav", bytesOf({f, sine(f, 1.0) + std::string(f.rate * 2, '\0')}));
        const std::string out = dir + "/track.mp3";
        const std::string command = "lame --quiet " + options + " '" + wav + "' '" + out + "'";
        if (std::system(command.c_str()) != 0) return {};
        std::ifstream in(out, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::string dir;
};

}  // namespace

TEST_F(MusicDecoderTest, EachWavFormatDecodesToTheSamplesItHolds) {
    const struct {
        const char* name;
        Fmt fmt;
        std::string data;
        std::vector<std::int16_t> pcm;
    } cases[] = {
        {"16-bit", {}, s16({1000, -1000, 32767, -32768, 0, 1}), {1000, -1000, 32767, -32768, 0, 1}},
        {"8-bit mono", {1, 1, 44100, 1, 8}, "\x80\xFF\0"s, {0, 0, 32512, 32512, -32768, -32768}},
        {"24-bit", {1, 2, 44100, 6, 24}, "\0\x01\0\0\xFF\xFF\xFF\xFF\x7F\0\0\x80"s, {1, -1, 32767, -32768}},
        {"32-bit", {1, 2, 44100, 8, 32}, "\0\0\0\x40\0\0\0\xC0"s, {16384, -16384}},
        {"float",
         {3, 2, 44100, 8, 32},
         f32(0.5f) + f32(-1.0f) + f32(2.0f) + f32(std::nanf("")),
         {16384, -32768, 32767, 0}},
        {"double", {3, 1, 44100, 8, 64}, le(std::bit_cast<std::uint64_t>(-0.25), 8), {-8192, -8192}},
        {"A-law", {6, 2, 44100, 2, 8}, "\xD5\x55\xAA\x2A", {8, -8, 32256, -32256}},
        {"mu-law", {7, 2, 44100, 2, 8}, "\xFF\x80\x00\x7F"s, {0, 32124, -32124, 0}},
        {"extensible 16-bit", {1, 2, 44100, 4, 16, 1}, s16({-7, 7}), {-7, 7}},
        {"extensible float", {3, 1, 44100, 4, 32, 3}, f32(-0.5f), {-16384, -16384}},
    };
    for (const auto& c : cases) {
        auto decoder = open("x.wav", bytesOf({c.fmt, c.data}));
        ASSERT_TRUE(decoder) << c.name;
        EXPECT_EQ(decodeAll(*decoder), c.pcm) << c.name;
    }
}

TEST_F(MusicDecoderTest, OtherRatesAreResampledKeepingLengthAndLoudness) {
    for (const Fmt fmt : {Fmt{1, 1, 8000, 2, 16}, Fmt{1, 1, 22050, 2, 16}, Fmt{1, 2, 48000, 4, 16},
                          Fmt{3, 2, 96000, 8, 32}, Fmt{1, 2, 384000, 4, 16}}) {
        SCOPED_TRACE(fmt.rate);
        auto decoder = open("x.wav", bytesOf({fmt, sine(fmt, 0.5)}));
        ASSERT_TRUE(decoder);
        EXPECT_EQ(decoder->lengthMs(), 500);
        const auto pcm = decodeAll(*decoder);
        EXPECT_NEAR(pcm.size() / 2.0, PCM_RATE / 2, 50);
        EXPECT_NEAR(rms(pcm, 5000, 10000), 0.5 / std::sqrt(2.0), 0.02);
    }
}

TEST_F(MusicDecoderTest, SurroundChannelsFoldIntoTheirSides) {
    // 5.1: front left, front right, centre, low frequencies, back left, back right; in frame n
    // channel n alone sounds.
    std::string frames;
    for (int channel = 0; channel < 6; ++channel)
        frames += times(channel, s16({0})) + s16({16000}) + times(5 - channel, s16({0}));
    auto decoder = open("x.wav", bytesOf({{1, 6, 44100, 12, 16}, frames}));
    ASSERT_TRUE(decoder);
    const auto pcm = decodeAll(*decoder);
    ASSERT_EQ(pcm.size(), 12u);
    const std::vector<bool> sounds = {true,  false, false, true,  true,  true,
                                      false, false, true,  false, false, true};
    for (std::size_t i = 0; i < sounds.size(); ++i) EXPECT_EQ(pcm[i] > 0, sounds[i]) << i;
    EXPECT_EQ(pcm[4], pcm[5]) << "the centre sounds alike on both sides";
}

TEST_F(MusicDecoderTest, LyingWavHeadersAreRefusedOrDecodeOnlyWhatTheFileHolds) {
    const std::string smpl = "smpl" + le(60, 4) + std::string(28, '\0') + le(200000000, 4) + le(0, 4) +
                             le(0, 4) + le(0, 4) + le(0, 4) + le(1000000, 4) + le(0, 4) + le(0, 4);
    const struct {
        const char* what;
        std::function<void(Wav&)> lie;
        long frames;  // decoded; -1 when refused
    } cases[] = {
        {"smpl with 200,000,000 loops", [&](Wav& w) { w.beforeData = smpl; }, 4410},
        {"odd chunk and its pad byte", [](Wav& w) { w.beforeFmt = "note" + le(3, 4) + "abc" + '\0'; }, 4410},
        {"100 small chunks", [](Wav& w) { w.beforeData = times(100, "junk" + le(0, 4)); }, 4410},
        {"100,000 tiny chunks", [](Wav& w) { w.beforeFmt = times(100000, "junk" + le(0, 4)); }, -1},
        {"LIST past the end", [](Wav& w) { w.beforeData = "LIST" + le(1u << 30, 4) + "INFO"; }, -1},
        {"chunk of 0xFFFFFFFF", [](Wav& w) { w.beforeFmt = "junk" + le(0xFFFFFFFF, 4); }, -1},
        {"fmt size huge", [](Wav& w) { w.fmtSize = 0x7FFFFFF0; }, -1},
        {"fmt too short", [](Wav& w) { w.fmtSize = 14; }, -1},
        {"block align 0", [](Wav& w) { w.fmt.blockAlign = 0; }, -1},
        {"block align 3", [](Wav& w) { w.fmt.blockAlign = 3; }, -1},
        {"channels 0", [](Wav& w) { w.fmt.channels = 0; }, -1},
        {"channels 300", [](Wav& w) { w.fmt.channels = 300, w.fmt.blockAlign = 600; }, -1},
        {"rate 0", [](Wav& w) { w.fmt.rate = 0; }, -1},
        {"bits 0", [](Wav& w) { w.fmt.bits = 0; }, -1},
        {"bits 7", [](Wav& w) { w.fmt.bits = 7, w.fmt.blockAlign = 2; }, -1},
        {"bits 33", [](Wav& w) { w.fmt.bits = 33, w.fmt.blockAlign = 8; }, -1},
        {"16-bit float", [](Wav& w) { w.fmt.tag = 3; }, -1},
        {"ADPCM", [](Wav& w) { w.fmt.tag = 2; }, -1},
        {"extensible of another kind", [](Wav& w) { w.fmt.subformat = 6; }, -1},
        {"data before fmt", [](Wav& w) { w.beforeFmt = "data" + le(4, 4) + "abcd"; }, -1},
        {"data past the file", [](Wav& w) { w.dataSize = 0x7FFFFFFF; }, 4410},
        {"data size left 0", [](Wav& w) { w.dataSize = 0; }, 4410},
        {"data size left all ones", [](Wav& w) { w.dataSize = 0xFFFFFFFF; }, 4410},
        {"data ends in part of a frame", [](Wav& w) { w.data += "xyz"; }, 4410},
        {"no data", [](Wav& w) { w.data.clear(); }, -1},
    };
    for (const auto& c : cases) {
        Wav wav{{}, sine({}, 0.1)};
        c.lie(wav);
        auto decoder = open("x.wav", bytesOf(wav));
        ASSERT_EQ(decoder != nullptr, c.frames >= 0) << c.what;
        if (!decoder) continue;
        EXPECT_EQ(decoder->lengthMs(), c.frames * 1000 / PCM_RATE) << c.what;
        const auto pcm = decodeAll(*decoder);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(pcm.data()), pcm.size() * 2),
                  wav.data.substr(0, 4 * 4410))
            << c.what;
    }
}

TEST_F(MusicDecoderTest, WavSeeksToTheFrameAskedAndClampsToTheTrack) {
    std::string data;
    for (int frame = 0; frame < 2 * PCM_RATE; ++frame) data += s16({frame / 4, -frame / 4});
    auto decoder = open("x.wav", bytesOf({{}, data}));
    ASSERT_TRUE(decoder);
    EXPECT_EQ(decoder->lengthMs(), 2000);
    const std::pair<long, int> cases[] = {{1000, 44100}, {1234, 54419}, {-5, 0}, {99999, 2 * PCM_RATE}};
    for (const auto& [ms, frame] : cases) {
        ASSERT_TRUE(decoder->seek(ms));
        std::int16_t pcm[2] = {};
        EXPECT_EQ(decoder->read(pcm, 1), frame < 2 * PCM_RATE ? 1 : 0) << ms;
        if (frame < 2 * PCM_RATE) {
            EXPECT_EQ(pcm[0], frame / 4) << ms;
        }
    }
}

TEST_F(MusicDecoderTest, Mp3DecodesWithItsLengthAndSeeksWhereAsked) {
    // Two tags stacked: version 3 of 288 KiB, and version 4 with a footer.
    const std::string tags = "ID3\x03\0\0\0\x12\0\0"s + std::string(0x12 << 14, '\0') +
                             "ID3\x04\0\x10\0\0\0\x05"s + std::string(5, '\0') + "3DI\x04\0\x10\0\0\0\x05"s;
    const struct {
        const char* options;
        std::string before, after;
    } cases[] = {{"-b 128", "", ""},
                 {"-b 128", tags, "TAG" + std::string(125, ' ')},
                 {"-b 128 -t", "", ""},  // no LAME frame telling the length and the encoder's delay
                 {"-m m --resample 22.05 -b 64", "", ""},
                 {"-V 6", "", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options + std::string(c.before.empty() ? "" : " after a tag"));
        const std::string mp3 = this->mp3(c.options);
        ASSERT_FALSE(mp3.empty()) << "lame makes the test's MP3 files";
        auto decoder = open("x.mp3", c.before + mp3 + c.after);
        ASSERT_TRUE(decoder);
        EXPECT_NEAR(decoder->lengthMs(), 1500, 52);
        const auto pcm = decodeAll(*decoder);
        EXPECT_NEAR(pcm.size() / 2.0, 1.5 * PCM_RATE, 2 * 1152);
        EXPECT_NEAR(rms(pcm, 10000, 20000), 0.5 / std::sqrt(2.0), 0.03);
        const long toneEnds = silenceFrom(pcm, 10000);
        EXPECT_NEAR(toneEnds, PCM_RATE, 2 * 1152);
        ASSERT_TRUE(decoder->seek(700));
        EXPECT_NEAR(silenceFrom(decodeAll(*decoder)), toneEnds - 700 * PCM_RATE / 1000, 88);
    }
}

TEST_F(MusicDecoderTest, KindIsToldByContentOrMpegExtensionAndFilesWithoutMusicAreRefused) {
    const std::string mp3 = this->mp3("-b 128"), wav = bytesOf({{}, sine({}, 0.1)});
    std::string noise(20000, '\0');
    unsigned seed = 1;
    for (char& c : noise) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    const struct {
        std::string name, bytes;
        bool opens;
    } cases[] = {{"song.mp3", wav, true},
                 {"song.wav", mp3, true},
                 {"song", mp3, true},
                 {"song", "ID3\x03\0\0\0\0\0\0"s + mp3, true},
                 {"SONG.MP3", "junk" + mp3, true},
                 {"song", "junk" + mp3, false},
                 {"song.mp3/x", "junk" + mp3, false},
                 {"x.mp3", "These are not the sounds you are looking for.\n", false},
                 {"x.mp3", "", false},
                 {"x.mp3", std::string(70000, '\0'), false},
                 {"x.mp3", noise, false},
                 {"x.mp3", "ID3\x03\0\0\0\0\x01\0"s + std::string(128, '\0'), false},
                 {"x.mp3", "ID3\x03\0\0\x7F\x7F\x7F\x7F"s + mp3, false}};
    for (const auto& c : cases)
        EXPECT_EQ(open(c.name, c.bytes) != nullptr, c.opens) << c.name << " " << c.bytes.size();
}
