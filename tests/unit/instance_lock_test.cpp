#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/instance_lock.h"
#include "temp_config_home.h"

// Across processes, and with a holder killed, the locks are tested on the real program
// (tests/e2e/shell_test.cpp); here what the file system may hold where a lock goes.

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

}  // namespace

TEST(InstanceLock, IsTakenUnlessSomeoneHoldsIt) {
    struct Case {
        const char* what;
        // Prepares the folder; gives what holds the lock meanwhile, if anything.
        std::function<std::unique_ptr<InstanceLock>(const Folder&)> before;
        bool taken;
        bool heldElsewhere;
    };
    const Case cases[] = {
        {"nothing there", [](const Folder&) { return nullptr; }, true, false},
        {"a file its holder left",
         [](const Folder& folder) {
             std::ofstream(folder.lockFile()) << "4242\n";
             return nullptr;
         },
         true, false},
        {"a holder", [](const Folder& folder) { return std::make_unique<InstanceLock>(folder.path, NAME); },
         false, true},
        {"a link where the file goes",
         [](const Folder& folder) {
             fs::create_symlink(folder.path + "elsewhere", folder.lockFile());
             return nullptr;
         },
         false, false},
        {"a folder that is gone",
         [](const Folder& folder) {
             fs::remove(folder.path);
             return nullptr;
         },
         false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Folder folder;
        const auto holder = c.before(folder);
        {
            InstanceLock lock(folder.path, NAME);
            EXPECT_EQ(!lock.path().empty(), c.taken);
            EXPECT_EQ(lock.heldElsewhere(), c.heldElsewhere);
            if (c.taken) {
                EXPECT_EQ(lock.path(), folder.lockFile()) << "hidden, named after the lock";
                struct stat info {};
                ASSERT_EQ(stat(lock.path().c_str(), &info), 0);
                EXPECT_EQ(info.st_mode & 0777, 0600u);
                EXPECT_FALSE(InstanceLock(folder.path, "VeltamarScr").heldElsewhere())
                    << "another name is free";
            }
        }
        EXPECT_EQ(fs::exists(folder.lockFile()), holder != nullptr) << "removed by its holder alone";
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
