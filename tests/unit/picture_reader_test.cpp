#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "assets/picture_reader.h"
#include "bmp_builder.h"
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

// Stands for a file on a share that has stopped answering: whoever reads it waits until the test
// lets it go on.
struct Share {
    void read() {
        std::unique_lock lock(mutex);
        ++readers;
        changed.notify_all();
        changed.wait(lock, [&] { return answering; });
    }
    void answer() {
        std::lock_guard lock(mutex);
        answering = true;
        changed.notify_all();
    }
    void waitForReaders(int count) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return readers >= count; });
    }
    std::mutex mutex;
    std::condition_variable changed;
    int readers = 0;
    bool answering = false;
};

// A read that never comes back holds up neither the pictures after it nor the reader's owner
// going away: it is given up once it has read nothing for the stall limit, and its late result,
// should it come, is dropped.
TEST(PictureReader, AReadThatHangsIsGivenUpAndNeverWaitedFor) {
    TempConfigHome home;
    TaskQueue queue;
    auto share = std::make_shared<Share>();
    std::vector<std::pair<std::uint64_t, bool>> delivered;
    const auto decoder = [share](const std::string& path, PictureSize bounds,
                                 std::atomic<std::uint64_t>* bytes) {
        if (path.starts_with("share/")) share->read();
        return decodePicture(path, bounds, bytes);
    };
    {
        PictureReader reader(
            {64, 64}, [&](std::function<void()> task) { queue.post(std::move(task)); },
            [&](std::uint64_t id, const DecodedPicture& picture) {
                delivered.emplace_back(id, picture.ok());
            },
            decoder, std::chrono::milliseconds(300));
        reader.read(1, "share/first.png");
        share->waitForReaders(1);
        reader.giveUpWhenStalled();
        EXPECT_TRUE(reader.busy()) << "not before the stall limit";
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        reader.giveUpWhenStalled();
        EXPECT_FALSE(reader.busy());
        ASSERT_EQ(delivered, (std::vector<std::pair<std::uint64_t, bool>>{{1, false}}));

        reader.read(2, writeBmp(home, "next.bmp", 32, 32));
        ASSERT_EQ(queue.runPosted(), 1);
        EXPECT_EQ(delivered.back(), (std::pair<std::uint64_t, bool>{2, true}));

        // The owner goes away while another read hangs.
        reader.read(3, "share/second.png");
        share->waitForReaders(2);
    }
    share->answer();  // both reads come back at last, long after they were given up
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    queue.runPosted(0);
    EXPECT_EQ(delivered.size(), 2u) << "late answers are dropped";
}
