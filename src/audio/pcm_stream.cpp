#include "audio/pcm_stream.h"

#include <pthread.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "decoder/decoder_process.h"

namespace veltamar {

namespace {

constexpr std::chrono::milliseconds LOOK_AGAIN{50};

}  // namespace

std::unique_ptr<PcmStream> PcmStream::start(const std::string& path, long fromMs, PcmFormat format,
                                            std::function<void()> changed,
                                            std::chrono::milliseconds stallLimit) {
    DecodeRequest request;
    request.kind = DecodeKind::Music;
    request.path = path;
    request.fromMs = std::max(0L, fromMs);
    request.pcm = format;
    std::unique_ptr<PcmStream> stream(new PcmStream(request.fromMs, format, std::move(changed), stallLimit));
    stream->helper = DecoderProcess::start(request);
    if (!stream->helper) return nullptr;
    try {
        stream->worker = std::thread([raw = stream.get()] { raw->run(); });
    } catch (const std::system_error&) {
        return nullptr;
    }
    return stream;
}

PcmStream::PcmStream(long fromMs, PcmFormat format, std::function<void()> changed,
                     std::chrono::milliseconds stallLimit)
    : startMs(fromMs),
      format(format),
      changed(std::move(changed)),
      stallLimit(stallLimit),
      buffer(static_cast<std::size_t>(format.rate * format.frameBytes() * BUFFER_SECONDS)) {}

PcmStream::~PcmStream() {
    stopping = true;
    if (helper) helper->kill();
    roomMade.notify_all();
    if (worker.joinable()) worker.join();
}

long PcmStream::positionMs() const {
    std::lock_guard lock(bufferMutex);
    const auto frames = bytesTaken / static_cast<std::uint64_t>(format.frameBytes());
    return startMs + static_cast<long>(frames * 1000 / static_cast<std::uint64_t>(format.rate));
}

bool PcmStream::drained() const {
    std::lock_guard lock(bufferMutex);
    return currentState.load() == State::Ended && held < static_cast<std::size_t>(format.frameBytes());
}

std::size_t PcmStream::take(std::uint8_t* out, std::size_t count) {
    std::size_t taken = 0;
    {
        std::lock_guard lock(bufferMutex);
        const auto frameBytes = static_cast<std::size_t>(format.frameBytes());
        taken = std::min(count, held) / frameBytes * frameBytes;
        const std::size_t first = std::min(taken, buffer.size() - head);
        std::memcpy(out, buffer.data() + head, first);
        std::memcpy(out + first, buffer.data(), taken - first);
        head = (head + taken) % buffer.size();
        held -= taken;
        bytesTaken += taken;
    }
    if (taken > 0) roomMade.notify_one();
    return taken;
}

void PcmStream::setState(State state) {
    currentState = state;
    if (changed) changed();
}

bool PcmStream::waitForRoom(bool& waited) {
    std::unique_lock lock(bufferMutex);
    waited = false;
    while (held == buffer.size() && !stopping) {
        waited = true;
        roomMade.wait_for(lock, std::chrono::milliseconds(500));
    }
    return !stopping;
}

void PcmStream::run() {
    pthread_setname_np(pthread_self(), "music reader");  // for whoever looks at the threads
    std::array<std::uint8_t, MUSIC_REPLY_HEADER_BYTES> headerBytes{};
    std::size_t headerHeld = 0;
    std::vector<std::uint8_t> block(64 * 1024);
    bool headerTaken = false;
    auto lastData = std::chrono::steady_clock::now();
    for (;;) {
        bool waited = false;
        if (!waitForRoom(waited)) return;
        // Time spent with a full buffer is the program's, not the helper's.
        if (waited) lastData = std::chrono::steady_clock::now();
        const DecoderProcess::Wait wait = helper->waitForOutput(LOOK_AGAIN);
        if (stopping) return;
        const auto now = std::chrono::steady_clock::now();
        if (wait == DecoderProcess::Wait::Timeout) {
            // Before the header the player keeps its own deadline for the open.
            if (headerTaken && now - lastData >= stallLimit) {
                helper->kill();
                setState(State::Failed);
                return;
            }
            continue;
        }
        std::size_t room;
        {
            std::lock_guard lock(bufferMutex);
            room = buffer.size() - held;
        }
        const std::size_t want = headerTaken ? std::min(room, block.size()) : headerBytes.size() - headerHeld;
        const long n = helper->readSome(headerTaken ? block.data() : headerBytes.data() + headerHeld, want);
        if (n < 0) continue;
        if (n == 0) {
            // The end of the answer: a whole track, told by a clean exit, or one that broke off.
            const bool clean = helper->finish(std::chrono::milliseconds(1000));
            setState(headerTaken && clean ? State::Ended : State::Failed);
            return;
        }
        lastData = now;
        if (!headerTaken) {
            headerHeld += static_cast<std::size_t>(n);
            if (headerHeld < headerBytes.size()) continue;
            const std::optional<MusicReplyHeader> header = decodeMusicHeader(headerBytes);
            if (!header || header->status != DecodeStatus::Ok) {
                helper->kill();
                setState(State::Failed);
                return;
            }
            headerTaken = true;
            trackLengthMs = static_cast<long>(header->lengthMs);
            setState(State::Open);
            continue;
        }
        std::lock_guard lock(bufferMutex);
        const std::size_t tail = (head + held) % buffer.size();
        const std::size_t first = std::min(static_cast<std::size_t>(n), buffer.size() - tail);
        std::memcpy(buffer.data() + tail, block.data(), first);
        std::memcpy(buffer.data(), block.data() + first, static_cast<std::size_t>(n) - first);
        held += static_cast<std::size_t>(n);
    }
}

}  // namespace veltamar
