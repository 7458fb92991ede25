#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/data_directory.h"

namespace veltamar {

namespace {

// The file of the same name may be removed by the holder that is ending between this process's
// open and its lock: the lock then belongs to a file nobody else can find, so it is tried again.
constexpr int ATTEMPTS = 8;

bool sameFile(int fd, const std::string& path) {
    struct stat opened {
    }, named{};
    return fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

}  // namespace

InstanceLock::InstanceLock(const std::string& directory, const std::string& name) {
    if (directory.empty()) return;
    const std::string path = directory + "." + name + ".lock";
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        const int opened = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (opened < 0) return;
        if (flock(opened, LOCK_EX | LOCK_NB) != 0) {
            otherHolder = errno == EWOULDBLOCK;
            close(opened);
            return;
        }
        if (sameFile(opened, path)) {
            fd = opened;
            file = path;
            // Its user's alone, whoever made the file; the holder's process id, for people who look.
            const std::string pid = std::to_string(getpid()) + "\n";
            [[maybe_unused]] const bool written =
                fchmod(fd, 0600) == 0 && ftruncate(fd, 0) == 0 &&
                write(fd, pid.data(), pid.size()) == static_cast<ssize_t>(pid.size());
            return;
        }
        close(opened);
    }
}

InstanceLock::~InstanceLock() {
    if (fd < 0) return;
    // Removed while still locked, so no other process takes this file over meanwhile.
    unlink(file.c_str());
    close(fd);
}

std::optional<std::string> lockDirectory() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
        struct stat info {};
        if (stat(runtime, &info) == 0 && S_ISDIR(info.st_mode)) {
            std::string directory = runtime;
            if (directory.back() != '/') directory += '/';
            return directory;
        }
    }
    return locateDataDirectory();
}

}  // namespace veltamar
