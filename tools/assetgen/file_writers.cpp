#include "file_writers.h"

#include <array>
#include <cstdlib>
#include <fstream>

namespace veltamar::assetgen {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void putBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xff] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

// Deflate's bit stream: bits fill each byte from its lowest bit up.
class BitWriter {
public:
    void bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) put((value >> i) & 1);
    }
    // Huffman codes go most significant bit first.
    void code(std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) put((value >> i) & 1);
    }
    std::vector<std::uint8_t> finish() {
        if (used) bytes.push_back(current);
        return std::move(bytes);
    }

private:
    void put(std::uint32_t bit) {
        current = static_cast<std::uint8_t>(current | bit << used);
        if (++used == 8) {
            bytes.push_back(current);
            current = 0;
            used = 0;
        }
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t current = 0;
    int used = 0;
};

// The fixed literal/length code of a symbol (0..287).
void literalCode(BitWriter& out, int symbol) {
    if (symbol < 144)
        out.code(0x30 + symbol, 8);
    else if (symbol < 256)
        out.code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        out.code(symbol - 256, 7);
    else
        out.code(0xc0 + symbol - 280, 8);
}

constexpr std::array<int, 29> LENGTH_BASE = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> LENGTH_EXTRA = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> DISTANCE_BASE = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                               33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> DISTANCE_EXTRA = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void matchCodes(BitWriter& out, int length, int distance) {
    int l = 28;
    while (LENGTH_BASE[l] > length) --l;
    literalCode(out, 257 + l);
    out.bits(length - LENGTH_BASE[l], LENGTH_EXTRA[l]);
    int d = 29;
    while (DISTANCE_BASE[d] > distance) --d;
    out.code(d, 5);
    out.bits(distance - DISTANCE_BASE[d], DISTANCE_EXTRA[d]);
}

// A zlib stream of one deflate block with the fixed codes; repeats are found through a table of the
// last place each three bytes were seen, within deflate's 32 KiB window.
std::vector<std::uint8_t> zlibCompress(const std::vector<std::uint8_t>& data) {
    constexpr int WINDOW = 32768, MAX_MATCH = 258, HASH_BITS = 15;
    std::vector<int> lastSeen(1 << HASH_BITS, -1);
    const auto hash = [&](std::size_t i) {
        return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & ((1 << HASH_BITS) - 1);
    };
    BitWriter out;
    out.bits(1, 1);  // the last block
    out.bits(1, 2);  // fixed codes
    std::size_t i = 0;
    while (i < data.size()) {
        int length = 0, distance = 0;
        if (i + 3 <= data.size()) {
            const int h = hash(i);
            const int candidate = lastSeen[h];
            lastSeen[h] = static_cast<int>(i);
            if (candidate >= 0 && static_cast<int>(i) - candidate <= WINDOW) {
                const std::size_t limit = std::min<std::size_t>(MAX_MATCH, data.size() - i);
                std::size_t n = 0;
                while (n < limit && data[candidate + n] == data[i + n]) ++n;
                if (n >= 3) {
                    length = static_cast<int>(n);
                    distance = static_cast<int>(i) - candidate;
                }
            }
        }
        if (length == 0) {
            literalCode(out, data[i]);
            ++i;
            continue;
        }
        matchCodes(out, length, distance);
        for (std::size_t k = 1; k < static_cast<std::size_t>(length) && i + k + 3 <= data.size(); ++k)
            lastSeen[hash(i + k)] = static_cast<int>(i + k);
        i += static_cast<std::size_t>(length);
    }
    literalCode(out, 256);  // end of block

    std::vector<std::uint8_t> stream = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
    const std::vector<std::uint8_t> block = out.finish();
    stream.insert(stream.end(), block.begin(), block.end());
    putBig32(stream, adler32(data));
    return stream;
}

void putChunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& body) {
    putBig32(png, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = png.size();
    putTag(png, type);
    png.insert(png.end(), body.begin(), body.end());
    putBig32(png, crc32(png.data() + start, png.size() - start));
}

int paeth(int left, int up, int upLeft) {
    const int p = left + up - upLeft;
    const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
    return pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const RgbaImage& image) {
    const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
    const std::vector<std::uint8_t> raw = encodeRgba(image);
    // Each row with the filter (none, sub, up, average, Paeth) that leaves the smallest differences.
    std::vector<std::uint8_t> filtered;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = raw.data() + y * stride;
        const std::uint8_t* above = y > 0 ? row - stride : nullptr;
        std::vector<std::uint8_t> best;
        long bestCost = -1;
        for (std::uint8_t filter = 0; filter < 5; ++filter) {
            std::vector<std::uint8_t> line{filter};
            long cost = 0;
            for (std::size_t x = 0; x < stride; ++x) {
                const int left = x >= 4 ? row[x - 4] : 0, up = above ? above[x] : 0;
                const int upLeft = above && x >= 4 ? above[x - 4] : 0;
                const int predicted = filter == 1 ? left : filter == 2 ? up : filter == 3 ? (left + up) / 2
                                      : filter == 4 ? paeth(left, up, upLeft) : 0;
                const auto value = static_cast<std::uint8_t>(row[x] - predicted);
                line.push_back(value);
                cost += value < 128 ? value : 256 - value;
            }
            if (bestCost < 0 || cost < bestCost) {
                bestCost = cost;
                best = std::move(line);
            }
        }
        filtered.insert(filtered.end(), best.begin(), best.end());
    }

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<std::uint8_t> header;
    putBig32(header, static_cast<std::uint32_t>(image.width));
    putBig32(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filtered rows, no interlace
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlibCompress(filtered));
    putChunk(png, "IEND", {});
    return png;
}

std::vector<std::uint8_t> encodeBmp24(const RgbImage& image) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(image.height);
    std::vector<std::uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageSize);  // file size
    put32(out, 0);               // reserved
    put32(out, 54);              // pixel data offset
    put32(out, 40);              // information header size
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(image.height));
    put16(out, 1);   // planes
    put16(out, 24);  // bits per pixel
    put32(out, 0);   // no compression
    put32(out, imageSize);
    put32(out, 2835);  // 72 dots per inch
    put32(out, 2835);
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> encodeWav(const Sound& sound) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(sound.samples.size() * 2);
    const std::uint32_t blockAlign = static_cast<std::uint32_t>(sound.channels) * 2;
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, static_cast<std::uint32_t>(sound.channels));
    put32(out, static_cast<std::uint32_t>(sound.sampleRate));
    put32(out, static_cast<std::uint32_t>(sound.sampleRate) * blockAlign);
    put16(out, blockAlign);
    put16(out, 16);
    putTag(out, "data");
    put32(out, dataBytes);
    for (std::int16_t s : sound.samples) put16(out, static_cast<std::uint16_t>(s));
    return out;
}

std::vector<std::uint8_t> encodeRgba(const RgbaImage& image) {
    std::vector<std::uint8_t> out;
    out.reserve(image.pixels.size() * 4);
    for (const Rgba& p : image.pixels) {
        out.push_back(p.r);
        out.push_back(p.g);
        out.push_back(p.b);
        out.push_back(p.a);
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace veltamar::assetgen
