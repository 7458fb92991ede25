#include "test_media.h"

#include <zlib.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

#include "dialog_driver.h"
#include "picture_text_font.h"

namespace veltamar::e2e {

bool makePicture(const std::string& path, const std::string& colour, int width, int height,
                 const std::string& formatPrefix) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    return run("convert -size " + size + " xc:'" + colour +
               "' -fill white -pointsize 60 " PICTURE_TEXT_FONT
               "-annotate +40+200 Veltamar -type TrueColor " +
               formatPrefix + "'" + path + "' 2>/dev/null")
               .status == 0;
}

namespace {

// Compresses the bytes into the stream's output so far, ending with a full flush: what follows
// refers to nothing before it, so a flushed piece may be repeated.
std::string deflatePiece(z_stream& z, const std::vector<std::uint8_t>& bytes, int flush) {
    std::string out;
    z.next_in = const_cast<Bytef*>(bytes.data());
    z.avail_in = static_cast<uInt>(bytes.size());
    char buffer[1 << 16];
    do {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        deflate(&z, flush);
        out.append(buffer, sizeof buffer - z.avail_out);
    } while (z.avail_out == 0);
    return out;
}

void writeChunk(std::ofstream& out, const char* type, const std::string& data) {
    const auto be32 = [&](std::uint32_t v) {
        const char b[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
        out.write(b, 4);
    };
    be32(static_cast<std::uint32_t>(data.size()));
    out.write(type, 4);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
    be32(static_cast<std::uint32_t>(crc));
}

std::string be32(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

}  // namespace

bool writeFlatPng(const std::string& path, int width, int height, int channels,
                  std::array<std::uint8_t, 4> left, std::array<std::uint8_t, 4> right) {
    constexpr int BLOCK_ROWS = 64;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * channels + 1;
    std::vector<std::uint8_t> first(rowBytes, 0);  // filter: none
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < channels; ++c)
            first[1 + static_cast<std::size_t>(x) * channels + c] = (x < width / 2 ? left : right)[c];
    const auto sameRows = [&](int rows) {
        std::vector<std::uint8_t> bytes(rowBytes * rows, 0);
        for (int r = 0; r < rows; ++r) bytes[r * rowBytes] = 2;  // filter: up, and no difference
        return bytes;
    };
    const std::vector<std::uint8_t> block = sameRows(BLOCK_ROWS);
    const int blocks = (height - 1) / BLOCK_ROWS;
    const std::vector<std::uint8_t> rest = sameRows((height - 1) % BLOCK_ROWS);

    z_stream z{};
    if (deflateInit(&z, 9) != Z_OK) return false;
    std::string stream = deflatePiece(z, first, Z_FULL_FLUSH);
    const std::string blockData = deflatePiece(z, block, Z_FULL_FLUSH);
    std::string end = deflatePiece(z, rest, Z_FINISH);
    deflateEnd(&z);
    // The stream's checksum covers every row, each block as often as it is repeated.
    uLong adler = adler32(1, first.data(), static_cast<uInt>(first.size()));
    const uLong blockAdler = adler32(1, block.data(), static_cast<uInt>(block.size()));
    for (int i = 0; i < blocks; ++i)
        adler = adler32_combine(adler, blockAdler, static_cast<z_off_t>(block.size()));
    adler = adler32_combine(adler, adler32(1, rest.data(), static_cast<uInt>(rest.size())),
                            static_cast<z_off_t>(rest.size()));
    end.resize(end.size() - 4);
    for (int i = 0; i < blocks; ++i) stream += blockData;
    stream += end + be32(static_cast<std::uint32_t>(adler));

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write("\x89PNG\r\n\x1a\n", 8);
    writeChunk(out, "IHDR",
               be32(static_cast<std::uint32_t>(width)) + be32(static_cast<std::uint32_t>(height)) + '\x08' +
                   static_cast<char>(channels == 4 ? 6 : 2) + std::string(3, '\0'));
    for (std::size_t at = 0; at < stream.size(); at += 1 << 20)
        writeChunk(out, "IDAT", stream.substr(at, 1 << 20));
    writeChunk(out, "IEND", "");
    return static_cast<bool>(out);
}

void writeTone(const std::string& path, double frequency, double seconds) {
    const int rate = 44100;
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::vector<std::int16_t> samples;
    for (std::uint32_t i = 0; i < frames; ++i) {
        const auto v = static_cast<std::int16_t>(16000 * std::sin(2 * M_PI * frequency * i / rate));
        samples.push_back(v);
        samples.push_back(v);
    }
    const std::uint32_t dataBytes = frames * 4;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16), u16(1), u16(2), u32(rate), u32(rate * 4), u16(4), u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
}

namespace {

// A colour's hue when one channel stands out: 'r', 'g' or 'b', else '?'.
char hueOf(const std::array<int, 3>& c) {
    const auto [r, g, b] = c;
    return r > g + 50 && r > b + 50   ? 'r'
           : g > r + 50 && g > b + 50 ? 'g'
           : b > r + 50 && b > g + 50 ? 'b'
                                      : '?';
}

// How many pixels of each hue the columns [from, to) hold, every fourth pixel each way.
std::array<long, 4> hueCounts(const Screenshot& shot, int from, int to) {
    std::array<long, 4> counts{};  // red, green, blue, all
    for (int y = 0; y < shot.height; y += 4)
        for (int x = from; x < to; x += 4) {
            const char hue = hueOf(shot.at(x, y));
            counts[0] += hue == 'r';
            counts[1] += hue == 'g';
            counts[2] += hue == 'b';
            ++counts[3];
        }
    return counts;
}

}  // namespace

char dominantHue(const Screenshot& shot) {
    const auto [red, green, blue, all] = hueCounts(shot, 0, shot.width);
    if (red * 3 > all && red > green && red > blue) return 'r';
    if (green * 3 > all && green > blue) return 'g';
    if (blue * 3 > all) return 'b';
    return '?';
}

double hueShare(const Screenshot& shot, int from, int to, char hue) {
    const std::array<long, 4> counts = hueCounts(shot, from, to);
    const long matching = hue == 'r' ? counts[0] : hue == 'g' ? counts[1] : hue == 'b' ? counts[2] : 0;
    return counts[3] ? static_cast<double>(matching) / counts[3] : 0;
}

bool SoundOut::waitForTone(double frequency, double seconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (toneShare(frequency) > 0.8) return true;
        sleepSeconds(0.1);
    }
    return false;
}

std::pair<double, double> SoundOut::analyse(double frequency) const {
    const std::string bytes = readAll(path);
    const std::size_t frames = bytes.size() / 4;
    const std::size_t count = 11025;
    if (frames < count) return {0, 0};
    const auto* samples = reinterpret_cast<const std::int16_t*>(bytes.data());
    double energy = 0, re = 0, im = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double v = samples[2 * (frames - count + i)] / 32768.0;
        energy += v * v;
        const double phase = 2 * M_PI * frequency * static_cast<double>(i) / 44100.0;
        re += v * std::cos(phase);
        im += v * std::sin(phase);
    }
    const double rms = std::sqrt(energy / count);
    if (energy == 0) return {0, 0};
    // A sine of amplitude A gives |sum|^2 = (A n / 2)^2 and energy A^2 n / 2.
    return {2.0 * (re * re + im * im) / (energy * count), rms};
}

}  // namespace veltamar::e2e
