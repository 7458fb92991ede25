#include "decoder/decoder_sandbox.h"

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstddef>
#include <iterator>
#include <vector>

namespace veltamar {

namespace {

#if defined(__x86_64__)
constexpr std::uint32_t THIS_ARCHITECTURE = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr std::uint32_t THIS_ARCHITECTURE = AUDIT_ARCH_AARCH64;
#else
#error "the decoding helper's system call filter knows x86-64 and AArch64"
#endif

// Calls that decoding needs and that reach nothing outside the process.
constexpr long ALLOWED[] = {
    SYS_read,          SYS_pread64,      SYS_readv,  SYS_lseek,      SYS_write,   SYS_writev,
    SYS_close,         SYS_brk,          SYS_munmap, SYS_mremap,     SYS_madvise, SYS_futex,
    SYS_clock_gettime, SYS_rt_sigreturn, SYS_exit,   SYS_exit_group,
};
#if defined(__SANITIZE_ADDRESS__)
// What AddressSanitizer's own runtime calls while the helper works, in the tests' sanitizer
// builds only: a signal stack of its own, and a pipe through which it probes memory.
constexpr long SANITIZER_CALLS[] = {SYS_sigaltstack, SYS_pipe2};
#endif
// Calls allowed only for memory that can never be run as code.
constexpr long NOT_EXECUTABLE[] = {SYS_mmap, SYS_mprotect};

constexpr std::uint32_t offsetOfNr = offsetof(seccomp_data, nr);
constexpr std::uint32_t offsetOfArch = offsetof(seccomp_data, arch);
// The protection argument of mmap and mprotect, its low half (PROT_EXEC lives there).
constexpr std::uint32_t offsetOfProtection = offsetof(seccomp_data, args) + 2 * sizeof(std::uint64_t);

sock_filter statement(std::uint16_t code, std::uint32_t k) {
    return BPF_STMT(code, k);
}
sock_filter jump(std::uint16_t code, std::uint32_t k, std::uint8_t ifTrue, std::uint8_t ifFalse) {
    return BPF_JUMP(code, k, ifTrue, ifFalse);
}

std::vector<sock_filter> filterProgram() {
    std::vector<sock_filter> program;
    const auto add = [&](sock_filter instruction) { program.push_back(instruction); };
    add(statement(BPF_LD | BPF_W | BPF_ABS, offsetOfArch));
    add(jump(BPF_JMP | BPF_JEQ | BPF_K, THIS_ARCHITECTURE, 1, 0));
    add(statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS));
    add(statement(BPF_LD | BPF_W | BPF_ABS, offsetOfNr));
#if defined(__x86_64__)
    // The x32 calls carry a high bit and would slip past the numbers below.
    add(jump(BPF_JMP | BPF_JGE | BPF_K, 0x40000000u, 0, 1));
    add(statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS));
#endif
    std::vector<long> allowed(std::begin(ALLOWED), std::end(ALLOWED));
#if defined(__SANITIZE_ADDRESS__)
    allowed.insert(allowed.end(), std::begin(SANITIZER_CALLS), std::end(SANITIZER_CALLS));
#endif
    for (const long call : allowed) {
        add(jump(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(call), 0, 1));
        add(statement(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    }
    for (const long call : NOT_EXECUTABLE) {
        add(jump(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(call), 0, 4));
        add(statement(BPF_LD | BPF_W | BPF_ABS, offsetOfProtection));
        add(jump(BPF_JMP | BPF_JSET | BPF_K, PROT_EXEC, 1, 0));
        add(statement(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
        add(statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS));
    }
    add(statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS));
    return program;
}

bool setLimit(int resource, rlim_t value) {
    const rlimit limit{value, value};
    return setrlimit(resource, &limit) == 0;
}

}  // namespace

bool dieWithParent(long parentPid) {
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) return false;
    // The parent may have ended before the line above: the helper then belongs to another process.
    return getppid() == parentPid;
}

bool applyLimits(const SandboxLimits& limits) {
    bool ok = setLimit(RLIMIT_CORE, 0) && setLimit(RLIMIT_FSIZE, 0);
    if (limits.addressSpaceBytes > 0) ok = ok && setLimit(RLIMIT_AS, limits.addressSpaceBytes);
    if (limits.cpuSeconds > 0) ok = ok && setLimit(RLIMIT_CPU, limits.cpuSeconds);
    return ok && prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0;
}

void keepOnlyDescriptors(int fileDescriptor) {
    for (int fd = 0; fd < 3; ++fd)
        if (fd != STDOUT_FILENO && fd != fileDescriptor) close(fd);
    const unsigned first = static_cast<unsigned>(fileDescriptor < 3 ? 3 : fileDescriptor + 1);
    if (fileDescriptor > 3) syscall(SYS_close_range, 3u, static_cast<unsigned>(fileDescriptor - 1), 0u);
    syscall(SYS_close_range, first, UINT_MAX, 0u);
}

bool confine() {
    std::vector<sock_filter> program = filterProgram();
    const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
    return syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &filter) == 0;
}

}  // namespace veltamar
