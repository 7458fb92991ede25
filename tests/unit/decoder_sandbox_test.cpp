#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "decoder/decoder_protocol.h"
#include "decoder/decoder_sandbox.h"

using namespace veltamar;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool ADDRESS_LIMIT_HOLDS = false;  // the sanitizer's shadow memory takes terabytes
#else
constexpr bool ADDRESS_LIMIT_HOLDS = true;
#endif

// The address space this process takes now, in bytes (the child of a fork starts with it).
std::uint64_t addressSpaceNow() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmSize:", 0) == 0) return std::stoull(line.substr(7)) * 1024;
    return 0;
}

// Runs the action in a child shut into the sandbox with 128 MB of room, given a descriptor opened
// before (a pipe holding "abc"), as the helper's file is; its wait status.
int inSandbox(int (*action)(int file)) {
    int fds[2];
    if (pipe(fds) != 0 || write(fds[1], "abc", 3) != 3) return -1;
    const std::uint64_t room = ADDRESS_LIMIT_HOLDS ? addressSpaceNow() + (std::uint64_t{128} << 20) : 0;
    const pid_t child = fork();
    if (child == 0) {
        const SandboxLimits limits{room, 1};
        if (!applyLimits(limits) || !confine()) _exit(100);
        _exit(action(fds[0]));
    }
    close(fds[0]);
    close(fds[1]);
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

}  // namespace

// Inside the sandbox the decoders' work goes on (reading, writing the answer, memory), while
// whatever would reach outside the process ends it: a file opened, a socket, another program,
// executable memory, a signal to the program. Memory past the limit is refused, and CPU past it
// ends the process.
TEST(DecoderSandbox, AllowsDecodingAndEndsTheHelperOnAnythingElse) {
    const struct {
        const char* name;
        int (*action)(int file);
        int exitStatus;  // -1: ended by the signal below
        int signal;
    } cases[] = {
        {"reads, writes and allocates",
         [](int file) {
             char bytes[3];
             if (read(file, bytes, 3) != 3 || bytes[2] != 'c') return 1;
             std::vector<char> block(32 << 20, 'x');
             void* page = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
             const bool written = write(STDOUT_FILENO, "", 0) == 0;
             return page != MAP_FAILED && written && block[123] == 'x' ? 0 : 1;
         },
         0, 0},
        {"opens a file", [](int) { return open("/etc/hostname", O_RDONLY) >= 0 ? 0 : 1; }, -1, SIGSYS},
        {"makes a socket", [](int) { return socket(AF_INET, SOCK_STREAM, 0) >= 0 ? 0 : 1; }, -1, SIGSYS},
        {"runs a program",
         [](int) {
             char* argv[] = {const_cast<char*>("/bin/true"), nullptr};
             execv("/bin/true", argv);
             return 1;
         },
         -1, SIGSYS},
        {"maps executable memory",
         [](int) {
             return mmap(nullptr, 4096, PROT_READ | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0) !=
                            MAP_FAILED
                        ? 0
                        : 1;
         },
         -1, SIGSYS},
        {"signals its parent", [](int) { return kill(getppid(), SIGCONT) == 0 ? 0 : 1; }, -1, SIGSYS},
        {"spins",
         [](int) {
             for (;;) asm volatile("" ::: "memory");
             return 0;
         },
         -1, SIGKILL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int status = inSandbox(c.action);
        if (c.exitStatus >= 0) {
            ASSERT_TRUE(WIFEXITED(status)) << status;
            EXPECT_EQ(WEXITSTATUS(status), c.exitStatus);
        } else {
            ASSERT_TRUE(WIFSIGNALED(status)) << status;
            EXPECT_EQ(WTERMSIG(status), c.signal);
        }
    }
    if (ADDRESS_LIMIT_HOLDS) {
        const int status =
            inSandbox([](int) { return std::malloc(std::size_t{512} << 20) == nullptr ? 7 : 0; });
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 7) << "memory past the limit is refused";
    }
}

// A request travels on the command line and comes back whole; a path that looks like an option
// stays a path, and anything malformed is refused.
TEST(DecoderSandbox, RequestsSurviveTheCommandLineAndMalformedOnesAreRefused) {
    DecodeRequest picture{DecodeKind::Picture, "--picture 1 2", 1920, 1080, 0, {}, 42};
    DecodeRequest music{DecodeKind::Music, "/music/-.mp3", 0, 0, 61000, {48000, 6}, 42};
    for (const DecodeRequest& request : {picture, music}) {
        const std::vector<std::string> arguments = requestArguments(request);
        const auto back = parseRequestArguments(arguments);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->kind, request.kind);
        EXPECT_EQ(back->path, request.path);
        EXPECT_EQ(back->boundsWidth, request.boundsWidth);
        EXPECT_EQ(back->fromMs, request.fromMs);
        EXPECT_EQ(back->pcm, request.pcm);
        EXPECT_EQ(back->parentPid, 42);
    }
    const std::vector<std::vector<std::string>> malformed{
        {"42", "picture", "0", "1080", "--", "/a.png"},
        {"42", "picture", "1920", "1080x", "--", "/a.png"},
        {"42", "music", "-5", "44100", "2", "--", "/a.mp3"},
        {"42", "music", "5", "44100", "2", "/a.mp3"},
        {"42", "music", "5", "44100", "0", "--", "/a.mp3"},
        {"42", "music", "5", "1", "2", "--", "/a.mp3"},
        {"0", "music", "5", "44100", "2", "--", "/a.mp3"},
        {"42", "video", "5", "--", "/a.mp4"},
        {"42", "picture", "1920", "1080", "--", ""},
    };
    for (const auto& arguments : malformed) EXPECT_FALSE(parseRequestArguments(arguments)) << arguments[1];
}
