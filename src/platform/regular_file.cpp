#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace veltamar {

std::optional<RegularFile> RegularFile::open(const std::string& path) {
    // What the path names is looked at before it is opened: opening a device can act on it (a
    // serial port's open resets the board on it, a tape rewinds). Non-blocking, so that opening
    // what turned into a named pipe in between does not wait for a writer; no controlling terminal
    // from a terminal device either.
    struct stat named {};
    if (stat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) return std::nullopt;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    // The file opened must be the one looked at, not something put in its place since.
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_dev != named.st_dev ||
        info.st_ino != named.st_ino) {
        ::close(fd);
        return std::nullopt;
    }
    // A regular file reads the same either way; blocking reads are what the decoders expect.
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return RegularFile(fd, static_cast<std::int64_t>(info.st_size));
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd(std::exchange(other.fd, -1)), bytes(other.bytes), progress(other.progress) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
    if (this != &other) {
        if (fd >= 0) ::close(fd);
        fd = std::exchange(other.fd, -1);
        bytes = other.bytes;
        progress = other.progress;
    }
    return *this;
}

RegularFile::~RegularFile() {
    if (fd >= 0) ::close(fd);
}

void RegularFile::counted(long n) {
    if (progress && n > 0) progress->fetch_add(static_cast<std::uint64_t>(n), std::memory_order_relaxed);
}

long RegularFile::read(void* buffer, std::size_t count) {
    ssize_t n;
    do n = ::read(fd, buffer, count);
    while (n < 0 && errno == EINTR);
    counted(static_cast<long>(n));
    return static_cast<long>(n);
}

long RegularFile::readAt(std::int64_t offset, void* buffer, std::size_t count) {
    if (offset < 0) return -1;
    ssize_t n;
    do n = ::pread(fd, buffer, count, static_cast<off_t>(offset));
    while (n < 0 && errno == EINTR);
    counted(static_cast<long>(n));
    return static_cast<long>(n);
}

bool RegularFile::readExactlyAt(std::int64_t offset, void* buffer, std::size_t count) {
    auto* bytesOut = static_cast<char*>(buffer);
    while (count > 0) {
        const long n = readAt(offset, bytesOut, count);
        if (n <= 0) return false;
        bytesOut += n;
        offset += n;
        count -= static_cast<std::size_t>(n);
    }
    return true;
}

bool RegularFile::seek(std::int64_t offset) {
    return offset >= 0 && lseek(fd, static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
}

int RegularFile::release() {
    return std::exchange(fd, -1);
}

}  // namespace veltamar
