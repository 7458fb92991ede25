#include "decoder/decoder_process.h"

#include "platform/companion_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

extern char** environ;

namespace veltamar {

namespace {

std::atomic<int> alive{0};

struct ChosenProgram {
    std::mutex mutex;
    std::string path;
};
ChosenProgram& chosenProgram() {
    static ChosenProgram chosen;
    return chosen;
}

// A helper that the kernel could not end in time (its read stuck in a dead share's driver) is
// reaped here whenever it ends, so that it never stays behind as a zombie.
void reapLater(pid_t pid) {
    try {
        std::thread([pid] {
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
            alive.fetch_sub(1);
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the helper stays a zombie until the program ends.
    }
}

// The program's environment without the libraries it has the dynamic linker load into every
// program (LD_PRELOAD, LD_AUDIT): the helper runs its own code and nothing else, and a preloaded
// library's calls would end it at the filter.
std::vector<char*> helperEnvironment() {
    std::vector<char*> kept;
    for (char** entry = environ; *entry; ++entry)
        if (std::strncmp(*entry, "LD_PRELOAD=", 11) != 0 && std::strncmp(*entry, "LD_AUDIT=", 9) != 0)
            kept.push_back(*entry);
    kept.push_back(nullptr);
    return kept;
}

class SpawnSetup {
  public:
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // The helper's standard output is the pipe, its input and error output nothing (it has
    // nothing to say to the person); no other descriptor of the program goes with it, and it starts
    // with every signal at its default, none blocked.
    bool prepare(int pipeWriteEnd) {
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        return posix_spawn_file_actions_adddup2(&actions, pipeWriteEnd, STDOUT_FILENO) == 0 &&
               posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
               posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0) == 0 &&
               posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1) == 0 &&
               posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
               posix_spawnattr_setsigdefault(&attributes, &all) == 0 &&
               posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
    }

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

}  // namespace

std::string decoderProgram() {
    ChosenProgram& chosen = chosenProgram();
    std::lock_guard lock(chosen.mutex);
    if (!chosen.path.empty()) return chosen.path;
    chosen.path = companionProgram(VELTAMAR_DECODER_FROM_BINDIR, "veltamar-decoder");
    if (!chosen.path.empty()) return chosen.path;
    // Without it no picture or music of the user's can be read: said once, for whoever looks.
    static bool told = false;
    if (!told) std::fprintf(stderr, "veltamar: the decoding helper %s is missing\n", VELTAMAR_DECODER_FROM_BINDIR);
    told = true;
    return {};
}

void useDecoderProgram(const std::string& path) {
    ChosenProgram& chosen = chosenProgram();
    std::lock_guard lock(chosen.mutex);
    chosen.path = path;
}

std::unique_ptr<DecoderProcess> DecoderProcess::start(DecodeRequest request) {
    const std::string program = decoderProgram();
    if (program.empty()) return nullptr;
    if (alive.fetch_add(1) >= MAX_ALIVE) {
        alive.fetch_sub(1);
        return nullptr;
    }
    request.parentPid = getpid();
    std::vector<std::string> arguments{program};
    for (std::string& argument : requestArguments(request)) arguments.push_back(std::move(argument));
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        alive.fetch_sub(1);
        return nullptr;
    }
    pid_t pid = -1;
    SpawnSetup setup;
    std::vector<char*> environment = helperEnvironment();
    const bool spawned =
        setup.prepare(fds[1]) && posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes,
                                             argv.data(), environment.data()) == 0;
    close(fds[1]);
    if (!spawned) {
        close(fds[0]);
        alive.fetch_sub(1);
        return nullptr;
    }
    fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    const int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    return std::unique_ptr<DecoderProcess>(new DecoderProcess(pid, fds[0], pidFd));
}

DecoderProcess::DecoderProcess(pid_t pid, int output, int pidDescriptor)
    : processId(pid), outputFd(output), pidFd(pidDescriptor) {}

DecoderProcess::~DecoderProcess() {
    if (!reaped) {
        kill();
        // A killed process ends at once, unless the kernel holds it in a read that cannot be
        // broken off; it is reaped by itself then.
        if (!reap(false)) {
            finish(std::chrono::milliseconds(200));
            if (!reaped) {
                reaped = true;
                reapLater(processId);
            }
        }
    }
    if (outputFd >= 0) close(outputFd);
    if (pidFd >= 0) close(pidFd);
}

DecoderProcess::Wait DecoderProcess::waitForOutput(std::chrono::milliseconds timeout) const {
    pollfd fd{outputFd, POLLIN, 0};
    int ready;
    do ready = poll(&fd, 1, static_cast<int>(timeout.count()));
    while (ready < 0 && errno == EINTR);
    if (ready <= 0) return Wait::Timeout;
    return (fd.revents & POLLIN) ? Wait::Data : Wait::End;
}

long DecoderProcess::readSome(void* buffer, std::size_t count) {
    ssize_t n;
    do n = ::read(outputFd, buffer, count);
    while (n < 0 && errno == EINTR);
    return n < 0 ? -1 : static_cast<long>(n);
}

bool DecoderProcess::readExactly(void* buffer, std::size_t count, std::chrono::milliseconds timeout) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (count > 0) {
        const long n = readSome(out, count);
        if (n == 0) return false;
        if (n < 0) {
            if (waitForOutput(timeout) == Wait::Timeout) return false;
            continue;
        }
        out += n;
        count -= static_cast<std::size_t>(n);
    }
    return true;
}

void DecoderProcess::kill() {
    // Through the process's own descriptor, which never names another process, so this may come
    // from another thread while the helper is being reaped. Without one (an old kernel), by its
    // id while it has not been reaped and the id is still the helper's.
    if (pidFd >= 0)
        syscall(SYS_pidfd_send_signal, pidFd, SIGKILL, nullptr, 0);
    else if (!reaped)
        ::kill(processId, SIGKILL);
}

bool DecoderProcess::reap(bool block) {
    if (reaped) return true;
    int status = 0;
    pid_t result;
    do result = waitpid(processId, &status, block ? 0 : WNOHANG);
    while (result < 0 && errno == EINTR);
    if (result != processId) return false;
    reaped = true;
    alive.fetch_sub(1);
    exitedCleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return true;
}

bool DecoderProcess::finish(std::chrono::milliseconds timeout) {
    if (reaped) return exitedCleanly;
    const auto waitForEnd = [this](std::chrono::milliseconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (!reap(false)) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                until - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            if (pidFd >= 0) {
                pollfd fd{pidFd, POLLIN, 0};
                poll(&fd, 1, static_cast<int>(left.count()));
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        return true;
    };
    if (waitForEnd(timeout)) return exitedCleanly;
    kill();
    waitForEnd(std::chrono::milliseconds(1000));
    return false;
}

std::uint64_t DecoderProcess::bytesRead() const {
    std::ifstream io("/proc/" + std::to_string(processId) + "/io");
    std::string name;
    std::uint64_t value = 0;
    while (io >> name >> value)
        if (name == "rchar:") return value;
    return 0;
}

}  // namespace veltamar
