#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "assets/picture_reader.h"
#include "bmp_builder.h"
#include "decoder/decoder_process.h"
#include "temp_config_home.h"

using namespace veltamar;
using namespace veltamar::testsupport;

namespace {

// Stands in for the user-interface thread's event queue.
struct TaskQueue {
    void post(std::function<void()> task) {
        std::lock_guard lock(mutex);
        tasks.push_back(std::move(task));
    }
    // Runs the tasks posted so far; waits up to the time for the first one.
    int runPosted(double seconds = 10) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        for (;;) {
            std::vector<std::function<void()>> ready;
            {
                std::lock_guard lock(mutex);
                ready.swap(tasks);
            }
            for (auto& task : ready) task();
            if (!ready.empty() || std::chrono::steady_clock::now() > deadline)
                return static_cast<int>(ready.size());
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    std::mutex mutex;
    std::vector<std::function<void()>> tasks;
};

std::string writeBmp(const TempConfigHome& home, const std::string& name, int width, int height) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.pixel = [](int, int) -> std::uint32_t { return 0x336699; };
    const std::vector<std::uint8_t> bytes = buildBmp(layout);
    const std::string path = home.dataDirectory() + name;
    std::filesystem::create_directories(home.dataDirectory());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
}

}  // namespace

TEST(PictureReader, ReadsOnItsOwnThreadAndDeliversThroughTheQueue) {
    TempConfigHome home;
    TaskQueue queue;
    std::vector<std::pair<std::uint64_t, DecodedPicture>> delivered;
    PictureReader reader(
        {64, 64}, [&](std::function<void()> task) { queue.post(std::move(task)); },
        [&](std::uint64_t id, const DecodedPicture& picture) { delivered.emplace_back(id, picture); });

    reader.read(7, writeBmp(home, "a.bmp", 200, 100));
    EXPECT_TRUE(reader.busy());
    reader.read(8, "ignored while busy");
    ASSERT_EQ(queue.runPosted(), 1);
    EXPECT_FALSE(reader.busy());
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(delivered[0].first, 7u);
    EXPECT_EQ(delivered[0].second.original, (PictureSize{200, 100}));
    EXPECT_EQ(delivered[0].second.width, 64);  // fitted into the bounds
    EXPECT_EQ(delivered[0].second.height, 32);

    reader.read(9, home.dataDirectory() + "missing.png");
    ASSERT_EQ(queue.runPosted(), 1);
    ASSERT_EQ(delivered.size(), 2u);
    EXPECT_FALSE(delivered[1].second.ok());
}

namespace {

// A stand-in for the decoding helper: a shell script that answers as the test needs, and notes its
// process id so the test can see that nothing of it is left.
struct FakeHelper {
    FakeHelper(const TempConfigHome& home, const std::string& body)
        : script(home.dataDirectory() + "helper.sh"), pidFile(home.dataDirectory() + "helper.pid") {
        std::filesystem::create_directories(home.dataDirectory());
        std::ofstream(script) << "#!/bin/sh\necho $$ > '" << pidFile << "'\n" << body << "\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        useDecoderProgram(script);
    }
    ~FakeHelper() { useDecoderProgram(DECODER_PROGRAM); }
    // True once the helper has gone and been reaped (no zombie).
    bool gone() const {
        std::string pid;
        std::ifstream(pidFile) >> pid;
        return !pid.empty() && !std::filesystem::exists("/proc/" + pid);
    }
    std::string script, pidFile;
};

// printf's octal escapes for a 32-bit little-endian number.
std::string le32(std::uint32_t value) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\%03o", (value >> (8 * i)) & 0xFF);
        text += escape;
    }
    return text;
}

// The header of an answer: status 0, the picture's sides and channels, the file's sides.
std::string header(std::uint32_t width, std::uint32_t height, std::uint32_t channels,
                   std::uint32_t original) {
    return "printf 'VLTP" + le32(0) + le32(width) + le32(height) + le32(channels) + le32(original) +
           le32(original) + "'";
}

}  // namespace

// Whatever a helper does short of a complete, consistent answer and a clean end gives a picture
// that cannot be read, and the helper is gone afterwards: killed when it hangs or sends too much,
// reaped in every case.
TEST(PictureReader, AHelperThatFailsOrLiesGivesAnUnreadablePictureAndIsGone) {
    const std::string pixels = "head -c 48 /dev/zero";  // 4 x 4 x 3
    const struct {
        const char* name;
        std::string body;
        bool ok;
    } cases[] = {
        {"a complete answer", header(4, 4, 3, 4) + "; " + pixels, true},
        {"hangs without reading", "exec sleep 600", false},
        {"killed halfway", header(4, 4, 3, 4) + "; head -c 10 /dev/zero; kill -9 $$", false},
        {"fails after answering", header(4, 4, 3, 4) + "; " + pixels + "; exit 1", false},
        {"larger than the bounds", header(65, 4, 3, 65) + "; head -c 780 /dev/zero", false},
        {"a size the picture would not have", header(4, 4, 3, 4000), false},
        {"more pixels than it said", header(4, 4, 3, 4) + "; head -c 49 /dev/zero", false},
        {"sends without end", "exec cat /dev/zero", false},
        {"not an answer", "echo hello", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempConfigHome home;
        const FakeHelper helper(home, c.body);
        TaskQueue queue;
        std::vector<bool> delivered;
        PictureReader reader(
            {64, 64}, [&](std::function<void()> task) { queue.post(std::move(task)); },
            [&](std::uint64_t, const DecodedPicture& picture) { delivered.push_back(picture.ok()); },
            std::chrono::milliseconds(300));
        reader.read(1, "/any/picture.png");
        ASSERT_EQ(queue.runPosted(), 1);
        EXPECT_EQ(delivered, std::vector<bool>{c.ok});
        EXPECT_FALSE(reader.busy());
        EXPECT_TRUE(helper.gone());
    }
}

// The reader going away while its helper hangs neither waits for the helper nor leaves it behind.
TEST(PictureReader, GivingUpAHangingReadKillsItsHelperAtOnce) {
    TempConfigHome home;
    const FakeHelper helper(home, "exec sleep 600");
    TaskQueue queue;
    int delivered = 0;
    const auto before = std::chrono::steady_clock::now();
    {
        PictureReader reader(
            {64, 64}, [&](std::function<void()> task) { queue.post(std::move(task)); },
            [&](std::uint64_t, const DecodedPicture&) { ++delivered; });
        reader.read(1, "/any/picture.png");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1500));
    EXPECT_TRUE(helper.gone());
    queue.runPosted(0.2);
    EXPECT_EQ(delivered, 0) << "a given-up read is not delivered";
}
