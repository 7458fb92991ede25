#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Opening a file the user named (their own music and pictures, the settings file) for reading,
// when it may be anything: only a regular file is opened. A named pipe, a device such as
// /dev/zero or a serial port, a socket or a directory is refused at once, without being opened,
// waited for or read. Opening can still block when the file lies on a network share that has
// stopped answering, so callers that must stay responsive open files on a thread of their own.

namespace veltamar {

class RegularFile {
  public:
    // Nothing when the path cannot be opened or is not a regular file.
    static std::optional<RegularFile> open(const std::string& path);

    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    // The size when it was opened.
    std::int64_t size() const { return bytes; }
    // Reads up to count bytes from the current position; the number read, 0 at the end, -1 on an
    // error.
    long read(void* buffer, std::size_t count);
    // Reads up to count bytes at the offset without moving the current position.
    long readAt(std::int64_t offset, void* buffer, std::size_t count);
    // Reads exactly count bytes at the offset; false when the file has fewer.
    bool readExactlyAt(std::int64_t offset, void* buffer, std::size_t count);
    bool seek(std::int64_t offset);

    // Hands the descriptor over to the caller, who closes it; the object is then empty.
    int release();
    // The descriptor, still the object's.
    int descriptor() const { return fd; }

    // Every byte read is added to this counter (when set), so that someone watching a slow reader
    // can tell a file that is still coming in from one that has stopped.
    void countReadsIn(std::atomic<std::uint64_t>* counter) { progress = counter; }

  private:
    RegularFile(int descriptor, std::int64_t size) : fd(descriptor), bytes(size) {}
    void counted(long n);

    int fd = -1;
    std::int64_t bytes = 0;
    std::atomic<std::uint64_t>* progress = nullptr;
};

}  // namespace veltamar
