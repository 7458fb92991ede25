#include <gtest/gtest.h>

#include <chrono>
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

TEST(PictureReader, ResultOfAReaderThatWentAwayIsDropped) {
    TempConfigHome home;
    TaskQueue queue;
    int delivered = 0;
    {
        PictureReader reader(
            {64, 64}, [&](std::function<void()> task) { queue.post(std::move(task)); },
            [&](std::uint64_t, const DecodedPicture&) { ++delivered; });
        reader.read(1, writeBmp(home, "b.bmp", 32, 32));
    }  // waits for the read to end
    EXPECT_EQ(queue.runPosted(0), 1);
    EXPECT_EQ(delivered, 0);
}
