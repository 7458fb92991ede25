#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "decoder/decoder_protocol.h"

// One of the user's tracks as PCM from a decoding helper (DecoderProcess), from a given position
// on: a thread of the stream's own reads the helper's answer into a buffer of a couple of seconds,
// from which the sound device takes what it plays. While the buffer is full the thread stops
// reading, so the helper waits in its write and decodes no further: memory and work stay bounded
// however long the track. The program never decodes the file itself; all it takes is PCM in the
// sound device's format.
//
// The stream fails (and its helper is killed) when the helper cannot open or decode the file,
// sends something that is not a well-formed answer, crashes or passes one of its limits, or sends
// nothing for the stall limit while the buffer wants more (a file on a share that has stopped
// answering in the middle of the track).

namespace veltamar {

class DecoderProcess;

class PcmStream {
  public:
    enum class State {
        Opening,  // waiting for the helper's header
        Open,     // PCM is coming; the whole track may not have come yet
        Ended,    // the helper has sent the whole track and ended cleanly
        Failed,
    };

    static constexpr int BUFFER_SECONDS = 2;
    static constexpr std::chrono::milliseconds STALL_LIMIT{6000};

    // Starts a helper for the track from the position, in the format. changed runs on the
    // stream's thread when the state changes (the header has come, the stream has failed or
    // ended). Nothing when no helper or thread could be started.
    static std::unique_ptr<PcmStream> start(const std::string& path, long fromMs, PcmFormat format,
                                            std::function<void()> changed,
                                            std::chrono::milliseconds stallLimit = STALL_LIMIT);
    // Kills the helper and waits for the thread, which ends at once.
    ~PcmStream();
    PcmStream(const PcmStream&) = delete;
    PcmStream& operator=(const PcmStream&) = delete;

    State state() const { return currentState.load(); }
    // The track's length in milliseconds, once Open; negative when the decoder cannot tell.
    long lengthMs() const { return trackLengthMs.load(); }
    long fromMs() const { return startMs; }
    // The position in the track of what has been taken so far.
    long positionMs() const;
    // True once the helper has ended cleanly and every byte it sent has been taken.
    bool drained() const;

    // Takes up to count bytes of PCM into out, without waiting (for the sound device's thread):
    // the number of bytes taken, a whole number of frames, possibly 0.
    std::size_t take(std::uint8_t* out, std::size_t count);

  private:
    PcmStream(long fromMs, PcmFormat format, std::function<void()> changed,
              std::chrono::milliseconds stallLimit);
    void run();
    void setState(State state);
    // Waits until the buffer has room, or the stream is being taken down; false then. waited: the
    // buffer was full.
    bool waitForRoom(bool& waited);

    const long startMs;
    const PcmFormat format;
    std::function<void()> changed;
    std::chrono::milliseconds stallLimit;
    std::atomic<State> currentState{State::Opening};
    std::atomic<long> trackLengthMs{-1};
    std::atomic<bool> stopping{false};

    mutable std::mutex bufferMutex;
    std::condition_variable roomMade;
    std::vector<std::uint8_t> buffer;
    std::size_t head = 0;  // where the next byte is taken
    std::size_t held = 0;
    std::uint64_t bytesTaken = 0;
    std::unique_ptr<DecoderProcess> helper;
    std::thread worker;
};

}  // namespace veltamar
