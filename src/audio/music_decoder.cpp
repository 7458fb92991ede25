#include "audio/music_decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "audio/music_kind.h"
#include "audio/pcm_converter.h"
#include "audio/wav_format.h"

namespace veltamar {

namespace {

// Frames of music decoded at a time: the most a decoder holds of the file, beside the PCM that
// the caller asked for.
constexpr long BLOCK_FRAMES = 1024;
// A position past any track, so that a seek in one whose length is unknown cannot overflow.
constexpr std::int64_t MAX_POSITION_MS = std::int64_t{1} << 40;
// Calls into libmpg123 in a row that may yield no audio (a new format, a frame that only fills the
// decoder's reservoir, junk skipped within the resync limit) before the stream counts as broken.
constexpr int MAX_FRUITLESS_DECODES = 64;
constexpr long SEEK_PREFRAMES = 12;

// Music decoded a block at a time to stereo floats at its own rate, and converted to the program's
// PCM on the way out. A kind of music only tells how to decode the next block and where to go.
class StreamedMusic : public MusicDecoder {
  public:
    long read(std::int16_t* out, long frames) final;
    bool seek(long positionMs) final;

  protected:
    // The PCM the music is converted to.
    PcmFormat output;
    // Called once the music's rate is known; false when its PCM cannot be made.
    bool startConverting(int rate);
    // Up to `frames` (at most BLOCK_FRAMES) stereo frames of the music into stereo; the number
    // decoded, 0 at the end of the music, -1 when it cannot be decoded.
    virtual long decode(float* stereo, long frames) = 0;
    // Moves to the frame (at the music's rate), within the track; false when it cannot.
    virtual bool moveTo(std::int64_t frame) = 0;

    int rate = 0;

  private:
    std::unique_ptr<PcmConverter> converter;
    std::vector<float> block;
    bool ended = false;   // the last of the music has gone into the converter
    bool failed = false;  // the music could not be decoded further
};

bool StreamedMusic::startConverting(int musicRate) {
    rate = musicRate;
    converter = std::make_unique<PcmConverter>(rate, output);
    block.resize(static_cast<std::size_t>(BLOCK_FRAMES) * 2);  // stereo
    return converter->ok();
}

long StreamedMusic::read(std::int16_t* out, long frames) {
    long written = 0;
    while (written < frames) {
        written += converter->take(out + written * output.channels, frames - written);
        if (written == frames || ended || failed) break;
        const long wanted = std::clamp(converter->sourceFramesFor(frames - written), 1L, BLOCK_FRAMES);
        const long decoded = decode(block.data(), wanted);
        if (decoded < 0) {
            failed = true;
        } else if (decoded == 0) {
            converter->finish();
            ended = true;
        } else if (!converter->put(block.data(), decoded)) {
            failed = true;
        }
    }
    return written == 0 && failed ? -1 : written;
}

bool StreamedMusic::seek(long positionMs) {
    const long length = lengthMs();
    const std::int64_t ms = std::clamp<std::int64_t>(positionMs, 0, length >= 0 ? length : MAX_POSITION_MS);
    if (!moveTo(ms * rate / 1000)) return false;
    converter->clear();
    ended = failed = false;
    return true;
}

class WavMusic final : public StreamedMusic {
  public:
    static std::unique_ptr<MusicDecoder> open(RegularFile file, PcmFormat output) {
        const std::optional<WavFormat> format = readWavFormat(file);
        if (!format || format->frames == 0) return nullptr;
        std::unique_ptr<WavMusic> music(new WavMusic(std::move(file), *format));
        music->output = output;
        if (!music->startConverting(format->rate)) return nullptr;
        return music;
    }

    long lengthMs() const override { return static_cast<long>(format.frames * 1000 / format.rate); }

  private:
    WavMusic(RegularFile f, const WavFormat& wav)
        : file(std::move(f)),
          format(wav),
          fold(stereoFoldOf(wav)),
          samples(static_cast<std::size_t>(BLOCK_FRAMES * wav.frameBytes())) {}

    long decode(float* stereo, long frames) override {
        const std::size_t wanted = static_cast<std::size_t>(
            std::min<std::int64_t>(frames, format.frames - position) * format.frameBytes());
        std::size_t got = 0;
        while (got < wanted) {
            const long n = file.readAt(
                format.dataOffset + position * format.frameBytes() + static_cast<std::int64_t>(got),
                samples.data() + got, wanted - got);
            if (n < 0) return -1;
            if (n == 0) break;  // the file was cut short since it was opened
            got += static_cast<std::size_t>(n);
        }
        const long whole = static_cast<long>(got / static_cast<std::size_t>(format.frameBytes()));
        wavToStereo(format, fold, samples.data(), whole, stereo);
        position += whole;
        return whole;
    }

    bool moveTo(std::int64_t frame) override {
        position = std::clamp<std::int64_t>(frame, 0, format.frames);
        return true;
    }

    RegularFile file;
    WavFormat format;
    StereoFold fold;
    std::vector<std::uint8_t> samples;
    std::int64_t position = 0;  // the next frame to decode
};

// MPEG audio (layers 1 to 3) through libmpg123, which reads the file through callbacks over the
// part of it past the tags in front.
class MpegMusic final : public StreamedMusic {
  public:
    static std::unique_ptr<MusicDecoder> open(RegularFile file, PcmFormat output) {
        const std::int64_t from = mpegAudioStart(file);
        std::unique_ptr<MpegMusic> music(new MpegMusic(std::move(file), from));
        music->output = output;
        if (!music->begin()) return nullptr;
        return music;
    }

    ~MpegMusic() override { mpg123_delete(handle); }

    long lengthMs() const override { return length; }

  private:
    struct Source {
        RegularFile file;
        std::int64_t from;    // where the audio starts in the file
        std::int64_t at = 0;  // the position past `from`
    };

    MpegMusic(RegularFile file, std::int64_t from) : source{std::move(file), from} {}

    static mpg123_ssize_t readSource(void* handle, void* buffer, std::size_t count) {
        Source& s = *static_cast<Source*>(handle);
        const long n = s.file.readAt(s.from + s.at, buffer, count);
        if (n > 0) s.at += n;
        return n;
    }

    static off_t seekSource(void* handle, off_t offset, int whence) {
        Source& s = *static_cast<Source*>(handle);
        const std::int64_t base = whence == SEEK_CUR   ? s.at
                                  : whence == SEEK_END ? std::max<std::int64_t>(0, s.file.size() - s.from)
                                                       : 0;
        std::int64_t to = 0;
        if (__builtin_add_overflow(base, static_cast<std::int64_t>(offset), &to) || to < 0) return -1;
        s.at = to;
        return static_cast<off_t>(to);
    }

    bool begin() {
        handle = mpg123_new(nullptr, nullptr);
        if (!handle) return false;
        // Tags inside the stream are stepped over, never read into memory.
        mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_SKIP_ID3V2, 0.0);
        // After a seek, layer 3 frames are decoded unheard until the bit reservoir that the next
        // frames draw on is full again: a small frame draws on up to ten before it (the library's
        // default of four left a VBR file silent for the first 90 ms after a seek).
        mpg123_param(handle, MPG123_PREFRAMES, SEEK_PREFRAMES, 0.0);
        // Any of MPEG's rates, one or two channels, as floats; then the first frame's format is
        // kept for the whole track (libmpg123 resamples a stream that changes its rate midway).
        const long* rates = nullptr;
        std::size_t rateCount = 0;
        mpg123_rates(&rates, &rateCount);
        if (mpg123_format_none(handle) != MPG123_OK) return false;
        for (std::size_t i = 0; i < rateCount; ++i)
            mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
        if (mpg123_replace_reader_handle(handle, readSource, seekSource, nullptr) != MPG123_OK ||
            mpg123_open_handle(handle, &source) != MPG123_OK)
            return false;
        // Finding the first frame's format needs a frame: a file that has none near its start is
        // no MPEG audio.
        long frameRate = 0;
        int encoding = 0;
        if (mpg123_getformat(handle, &frameRate, &channels, &encoding) != MPG123_OK) return false;
        if (channels < 1 || channels > 2 || encoding != MPG123_ENC_FLOAT_32 || frameRate <= 0) return false;
        if (mpg123_format_none(handle) != MPG123_OK ||
            mpg123_format(handle, frameRate, channels, MPG123_ENC_FLOAT_32) != MPG123_OK)
            return false;
        // The length from walking every frame's header, which is exact where the file's own
        // summary (a Xing or LAME frame) is missing or wrong.
        mpg123_scan(handle);
        const off_t samples = mpg123_length(handle);
        length = samples >= 0 ? static_cast<long>(static_cast<std::int64_t>(samples) * 1000 / frameRate) : -1;
        if (length == 0) return false;  // decodes to nothing at all
        decoded.resize(static_cast<std::size_t>(BLOCK_FRAMES * channels));
        return startConverting(static_cast<int>(frameRate));
    }

    long decode(float* stereo, long frames) override {
        for (int attempt = 0; attempt < MAX_FRUITLESS_DECODES; ++attempt) {
            std::size_t bytes = 0;
            const int status = mpg123_read(
                handle, decoded.data(), static_cast<std::size_t>(frames * channels) * sizeof(float), &bytes);
            const long got = static_cast<long>(bytes / (sizeof(float) * static_cast<std::size_t>(channels)));
            if (got > 0) {
                for (long i = 0; i < got; ++i) {
                    stereo[2 * i] = decoded[static_cast<std::size_t>(i * channels)];
                    stereo[2 * i + 1] = decoded[static_cast<std::size_t>(i * channels + channels - 1)];
                }
                return got;
            }
            if (status == MPG123_DONE) return 0;
            if (status != MPG123_OK && status != MPG123_NEW_FORMAT) return -1;
        }
        return -1;
    }

    bool moveTo(std::int64_t frame) override {
        return mpg123_seek(handle, static_cast<off_t>(frame), SEEK_SET) >= 0;
    }

    Source source;
    mpg123_handle* handle = nullptr;
    int channels = 0;
    long length = -1;
    std::vector<float> decoded;
};

}  // namespace

MusicDecoder::~MusicDecoder() = default;

std::unique_ptr<MusicDecoder> MusicDecoder::open(RegularFile file, const std::string& path,
                                                 PcmFormat format) {
    std::array<std::uint8_t, 16> start{};
    const long n = file.readAt(0, start.data(), start.size());
    if (n <= 0) return nullptr;
    switch (musicKindOf(std::span(start.data(), static_cast<std::size_t>(n)), path)) {
        case MusicKind::Wav:
            return WavMusic::open(std::move(file), format);
        case MusicKind::Mpeg:
            return MpegMusic::open(std::move(file), format);
        case MusicKind::Unknown:
            break;
    }
    return nullptr;
}

}  // namespace veltamar
