#include "saver/scratch_directory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace veltamar {

namespace fs = std::filesystem;

namespace {

constexpr const char* FOLDER_PREFIX = "veltamar-saver-";
constexpr const char* LOCK_NAME = ".in-use";
// A folder without its lock file may belong to a saver that is just starting; only one this old
// was left by a saver killed before it could take its lock.
constexpr auto UNLOCKED_GRACE = std::chrono::minutes(1);

std::string temporaryBase() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && tmp[0] == '/' ? tmp : "/tmp";
}

bool abandoned(const fs::path& folder) {
    const int fd = open((folder / LOCK_NAME).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        std::error_code error;
        const auto changed = fs::last_write_time(folder, error);
        return !error && fs::file_time_type::clock::now() - changed > UNLOCKED_GRACE;
    }
    const bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return free;
}

void removeAbandonedFolders(const fs::path& base) {
    std::error_code error;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename().string().rfind(FOLDER_PREFIX, 0) != 0) continue;
        struct stat info {};
        if (lstat(it->path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
            continue;
        std::error_code ignored;
        if (abandoned(it->path())) fs::remove_all(it->path(), ignored);
    }
}

}  // namespace

ScratchDirectory::ScratchDirectory() {
    const std::string base = temporaryBase();
    removeAbandonedFolders(base);
    std::string pattern = base + "/" + FOLDER_PREFIX + "XXXXXX";
    if (!mkdtemp(pattern.data())) return;
    directory = pattern + "/";
    lockFd = open((directory + LOCK_NAME).c_str(), O_CREAT | O_RDWR | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFd >= 0) flock(lockFd, LOCK_EX);
}

ScratchDirectory::~ScratchDirectory() {
    remove();
}

void ScratchDirectory::remove() {
    if (lockFd >= 0) close(lockFd);
    lockFd = -1;
    std::error_code ignored;
    if (!directory.empty()) fs::remove_all(directory, ignored);
    directory.clear();
}

}  // namespace veltamar
