#pragma once

#include <cstdint>

// The decoding helper's side of the sandbox: what it does to itself before it reads a byte of the
// file it was given, so that a decoder that a crafted file takes over can do nothing but spin,
// allocate within its limit, and write to the pipe it already holds.
//
// Order: dieWithParent() first, then applyLimits(), then the file is opened (the only open the
// helper makes after its own start), then keepOnlyDescriptors(), then confine(): from there on the
// kernel ends the helper on any system call outside the decoding allow-list.

namespace veltamar {

struct SandboxLimits {
    std::uint64_t addressSpaceBytes = 0;  // RLIMIT_AS; 0 leaves it as it is
    unsigned cpuSeconds = 0;              // RLIMIT_CPU; SIGKILL once it is used up
};

// The kernel sends SIGKILL when the thread that started this process ends; false when the program
// that started it (parentPid) has gone already.
bool dieWithParent(long parentPid);

// Memory and CPU limits, no core files, no files written, and no new privileges (set-user-id
// programs and file capabilities mean nothing to this process or anything it could start).
bool applyLimits(const SandboxLimits& limits);

// Closes every descriptor but standard output and the given one.
void keepOnlyDescriptors(int fileDescriptor);

// Installs the system call filter. Allowed from then on: read, pread64, readv, lseek, write and
// writev on descriptors already open; close; memory (brk, mmap, munmap, mremap, madvise,
// mprotect), never executable; futex; clock_gettime; rt_sigreturn; exit and exit_group. Any other
// call ends the process at once (SIGSYS): no open, no socket, no exec, no signal to another
// process. False when the kernel refuses the filter, and the helper must then not decode.
bool confine();

}  // namespace veltamar
