#pragma once

#include <string>

// A folder of the saver's own, under TMPDIR (default /tmp), for the short-lived files made from the
// packed resources. The data directory is not used for them: several savers (one per monitor) and
// the aquarium may run at once and would make and delete the same files there, and the saver must
// work where the data directory cannot be used.
//
// Each folder holds a lock for as long as its saver lives; the system lets go of it however the
// process ends, SIGKILL included. A folder gets its name only once its lock is held, and a new
// saver removes the folders of the same user whose lock it can take: they belong to no running
// saver.

namespace veltamar {

class ScratchDirectory {
  public:
    // Clears away abandoned folders, then makes and locks a new one; path() is empty when that
    // failed.
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // The folder, with a trailing '/'.
    const std::string& path() const { return directory; }
    // Removes the folder now.
    void remove();

  private:
    std::string directory;
    int lockFd = -1;
};

}  // namespace veltamar
