#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "decoder/decoder_protocol.h"

// The program's side of a decoding helper: one helper process started for one request, whose
// answer is read from a pipe, and which is killed and reaped however the decode ends. The helper
// opens the file itself: a file on a network share that has stopped answering blocks the helper's
// open, which a kill ends, where it would block a thread of the program for good.
//
// At most MAX_ALIVE helpers are alive at once; a helper counts until it has been reaped, so one
// that the kernel cannot end (a read stuck in a dead share's driver) keeps its place.

namespace veltamar {

// The helper program: next to the program in a build tree, or where it is installed.
std::string decoderProgram();
// Use this helper program instead (the tests use the one they were built with).
void useDecoderProgram(const std::string& path);

class DecoderProcess {
  public:
    static constexpr int MAX_ALIVE = 8;

    // Starts a helper for the request; nothing when none could be started (no helper program, too
    // many alive, no process or pipe to be had).
    static std::unique_ptr<DecoderProcess> start(DecodeRequest request);
    // Kills the helper if it still runs and reaps it.
    ~DecoderProcess();
    DecoderProcess(const DecoderProcess&) = delete;
    DecoderProcess& operator=(const DecoderProcess&) = delete;

    enum class Wait { Data, End, Timeout };
    // Waits up to the timeout for the helper's output: Data when there is some to read, End when
    // its output is closed (it has ended or is ending).
    Wait waitForOutput(std::chrono::milliseconds timeout) const;
    // Reads what there is, up to count bytes, without waiting: the number read, 0 at the end of
    // the output, -1 when nothing is there yet.
    long readSome(void* buffer, std::size_t count);
    // Reads exactly count bytes, waiting at most the timeout for each part of them.
    bool readExactly(void* buffer, std::size_t count, std::chrono::milliseconds timeout);

    // Ends the helper at once; it is reaped later (by finish() or the destructor). May be called
    // from another thread than the one that reads and reaps.
    void kill();
    // Waits up to the timeout for the helper to end and reaps it: true when it ended by itself
    // with status 0. A helper that is still running after the timeout is killed.
    bool finish(std::chrono::milliseconds timeout);
    bool finished() const { return reaped; }

    // Bytes the helper has read from files so far (it reads only its one file once it decodes): a
    // read on a share that has stopped answering does not move on.
    std::uint64_t bytesRead() const;
    pid_t pid() const { return processId; }

  private:
    DecoderProcess(pid_t pid, int output, int pidDescriptor);
    // True once the helper has been reaped.
    bool reap(bool block);

    pid_t processId = -1;
    int outputFd = -1;
    int pidFd = -1;
    bool reaped = false;
    bool exitedCleanly = false;
};

}  // namespace veltamar
