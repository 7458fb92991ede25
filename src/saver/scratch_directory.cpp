#include "saver/scratch_directory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace veltamar {

namespace fs = std::filesystem;

namespace {

constexpr const char* FOLDER_PREFIX = "veltamar-saver-";
// A folder is made under this name, locked, and only then given its real name: every folder that
// bears the real name has its lock taken from the start, so a saver starting beside another never
// mistakes the other's new folder for an abandoned one.
constexpr const char* NEW_FOLDER_PREFIX = ".veltamar-saver-new-";
constexpr const char* LOCK_NAME = ".in-use";
// A folder still under its new name this long after it was made belongs to a saver that was
// killed while it started.
constexpr auto UNFINISHED_GRACE = std::chrono::minutes(1);

std::string temporaryBase() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && tmp[0] == '/' ? tmp : "/tmp";
}

bool lockIsFree(const fs::path& folder) {
    const int fd = open((folder / LOCK_NAME).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return true;  // a folder with a real name and no lock file is no saver's
    const bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return free;
}

bool olderThanGrace(const fs::path& folder) {
    std::error_code error;
    const auto changed = fs::last_write_time(folder, error);
    return !error && fs::file_time_type::clock::now() - changed > UNFINISHED_GRACE;
}

void removeAbandonedFolders(const fs::path& base) {
    std::error_code error;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const bool named = name.rfind(FOLDER_PREFIX, 0) == 0;
        const bool unfinished = name.rfind(NEW_FOLDER_PREFIX, 0) == 0;
        if (!named && !unfinished) continue;
        struct stat info {};
        if (lstat(it->path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
            continue;
        std::error_code ignored;
        if (named ? lockIsFree(it->path()) : olderThanGrace(it->path())) fs::remove_all(it->path(), ignored);
    }
}

}  // namespace

ScratchDirectory::ScratchDirectory() {
    const std::string base = temporaryBase();
    removeAbandonedFolders(base);
    std::string made = base + "/" + NEW_FOLDER_PREFIX + "XXXXXX";
    if (!mkdtemp(made.data())) return;
    lockFd = open((made + "/" + LOCK_NAME).c_str(), O_CREAT | O_RDWR | O_CLOEXEC | O_NOFOLLOW, 0600);
    const std::string named = base + "/" + FOLDER_PREFIX + made.substr(made.size() - 6);
    std::error_code ignored;
    if (lockFd < 0 || flock(lockFd, LOCK_EX) != 0 ||
        renameat2(AT_FDCWD, made.c_str(), AT_FDCWD, named.c_str(), RENAME_NOREPLACE) != 0) {
        if (lockFd >= 0) close(lockFd);
        lockFd = -1;
        fs::remove_all(made, ignored);
        return;
    }
    directory = named + "/";
}

ScratchDirectory::~ScratchDirectory() {
    remove();
}

void ScratchDirectory::remove() {
    std::error_code ignored;
    // The folder goes while its lock is still held, so no other saver can take it meanwhile.
    if (!directory.empty()) fs::remove_all(directory, ignored);
    directory.clear();
    if (lockFd >= 0) close(lockFd);
    lockFd = -1;
}

}  // namespace veltamar
