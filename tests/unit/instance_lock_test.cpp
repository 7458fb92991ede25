#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "platform/instance_lock.h"
#include "temp_config_home.h"

using namespace veltamar;
namespace fs = std::filesystem;

namespace {

constexpr const char* NAME = "FirstMyProject_Tavik";

struct Folder {
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "veltamar-lock-XXXXXX").string();
        path = std::string(mkdtemp(pattern.data())) + "/";
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string lockFile() const { return path + "." + NAME + ".lock"; }
    std::string path;
};

// A process that takes the lock and keeps it until it is killed.
pid_t holderProcess(const std::string& folder) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        InstanceLock lock(folder, NAME);
        const char held = lock.path().empty() ? 'n' : 'y';
        [[maybe_unused]] const ssize_t written = write(ready[1], &held, 1);
        pause();
        _exit(0);
    }
    char held = 'n';
    [[maybe_unused]] const ssize_t got = read(ready[0], &held, 1);
    close(ready[0]);
    close(ready[1]);
    return held == 'y' ? pid : -1;
}

void kill9(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

TEST(InstanceLock, IsTakenUnlessALivingProcessHoldsIt) {
    struct Case {
        const char* what;
        std::function<pid_t(const Folder&)> before;  // gives a process to end afterwards, or -1
        bool taken;
        bool heldElsewhere;
    };
    const Case cases[] = {
        {"nothing there", [](const Folder&) { return -1; }, true, false},
        {"a file left by a killed aquarium",
         [](const Folder& folder) {
             const pid_t holder = holderProcess(folder.path);
             kill9(holder);
             EXPECT_TRUE(fs::exists(folder.lockFile())) << "SIGKILL leaves the file";
             return -1;
         },
         true, false},
        {"a living holder", [](const Folder& folder) { return holderProcess(folder.path); }, false, true},
        {"a link where the file goes",
         [](const Folder& folder) {
             fs::create_symlink(folder.path + "elsewhere", folder.lockFile());
             return -1;
         },
         false, false},
        {"a folder that is gone",
         [](const Folder& folder) {
             fs::remove(folder.path);
             return -1;
         },
         false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Folder folder;
        const pid_t other = c.before(folder);
        {
            InstanceLock lock(folder.path, NAME);
            EXPECT_EQ(!lock.path().empty(), c.taken);
            EXPECT_EQ(lock.heldElsewhere(), c.heldElsewhere);
            if (c.taken) {
                EXPECT_EQ(lock.path(), folder.lockFile()) << "hidden, named after the lock";
                struct stat info {};
                ASSERT_EQ(stat(lock.path().c_str(), &info), 0);
                EXPECT_EQ(info.st_mode & 0777, 0600u);
                EXPECT_TRUE(InstanceLock(folder.path, NAME).heldElsewhere()) << "a second start stays away";
                EXPECT_FALSE(InstanceLock(folder.path, "VeltamarScr").heldElsewhere())
                    << "another name is free";
            }
        }
        if (c.taken) {
            EXPECT_FALSE(fs::exists(folder.lockFile())) << "removed when the lock goes";
        }
        if (other > 0) {
            EXPECT_TRUE(fs::exists(folder.lockFile())) << "the holder's file is left alone";
            kill9(other);
        }
    }
    EXPECT_TRUE(InstanceLock("", NAME).path().empty()) << "no folder, no lock";
}

TEST(InstanceLock, LivesInTheRuntimeFolderElseInTheDataDirectory) {
    testsupport::TempConfigHome config;
    Folder runtime;
    std::ofstream(runtime.path + "plain-file").flush();
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::optional<std::string> previous = old ? std::optional<std::string>(old) : std::nullopt;
    const struct {
        std::optional<std::string> runtime;
        std::string expected;
    } cases[] = {
        {runtime.path, runtime.path},
        {runtime.path.substr(0, runtime.path.size() - 1), runtime.path},
        {std::nullopt, config.dataDirectory()},
        {"", config.dataDirectory()},
        {"relative/run", config.dataDirectory()},
        {runtime.path + "plain-file", config.dataDirectory()},
        {runtime.path + "missing", config.dataDirectory()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.runtime.value_or("(not set)"));
        if (c.runtime)
            setenv("XDG_RUNTIME_DIR", c.runtime->c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        EXPECT_EQ(lockDirectory(), c.expected);
    }
    EXPECT_TRUE(fs::is_directory(config.dataDirectory())) << "the data directory is made when needed";
    if (previous)
        setenv("XDG_RUNTIME_DIR", previous->c_str(), 1);
    else
        unsetenv("XDG_RUNTIME_DIR");
}
