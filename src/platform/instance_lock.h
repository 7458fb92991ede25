#pragma once

#include <optional>
#include <string>

// One aquarium per desktop: a lock that one process of the user holds at a time, as a named mutex
// is held on Windows. Each lock is a hidden file, ".<name>.lock", in the user's runtime folder
// ($XDG_RUNTIME_DIR, which the session removes when it ends) or, where there is none, in the data
// directory. The file is locked (flock) for as long as the object lives and removed when it goes.
// The system lets go of the lock however the process ends, so a file left behind by a killed
// aquarium is simply taken over by the next one.

namespace veltamar {

class InstanceLock {
  public:
    // Tries to take the lock `name` in `directory` (which ends with '/'); an empty directory takes
    // none.
    InstanceLock(const std::string& directory, const std::string& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Another process holds the lock. False also when the lock could not be made at all (no folder
    // to keep it in): a program that cannot tell starts rather than stays away.
    bool heldElsewhere() const { return otherHolder; }
    // The lock file, or empty when this object holds no lock.
    const std::string& path() const { return file; }

  private:
    std::string file;
    int fd = -1;
    bool otherHolder = false;
};

// The folder for the locks, with a trailing '/': $XDG_RUNTIME_DIR when it names a folder by an
// absolute path, else the data directory (made when missing). Nothing when neither can be used.
std::optional<std::string> lockDirectory();

}  // namespace veltamar
