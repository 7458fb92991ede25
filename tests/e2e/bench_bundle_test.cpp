#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include "harness.h"

// The benchmark as it travels to a machine with a GPU: `make bench-bundle` packs it into one folder
// that runs from anywhere without an X server, and its pictures drawn so are those of a window.

using namespace veltamar::e2e;
namespace fs = std::filesystem;

namespace {

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uintmax_t folderBytes(const fs::path& folder) {
    std::uintmax_t total = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && !entry.is_symlink()) total += entry.file_size();
    return total;
}

}  // namespace

TEST(BenchBundle, CopiedToAFreshFolderItRunsWithoutAnXServerAndPrintsEveryConfiguration) {
    TempHome scratch;
    const std::string made = scratch.path() + "/made";
    const CommandResult packed =
        run(std::string(SOURCE_DIRECTORY) + "/bench/make_bundle.sh " + BUILD_DIRECTORY + " " + made + " 2>&1");
    ASSERT_EQ(packed.status, 0) << packed.output;
    EXPECT_LE(folderBytes(made), 60u * 1024 * 1024) << "at most 60 MB";

    // Moved to a folder of its own: nothing may point back to where it was made.
    const std::string elsewhere = scratch.path() + "/elsewhere/bench-bundle";
    fs::create_directories(fs::path(elsewhere).parent_path());
    fs::rename(made, elsewhere);
    const CommandResult ran =
        run("cd " + scratch.path() + " && env -u DISPLAY -u WAYLAND_DISPLAY " + elsewhere + "/run --smoke 2>&1");
    ASSERT_EQ(ran.status, 0) << ran.output;
    EXPECT_TRUE(std::regex_search(ran.output, std::regex("renderer: .*\\(egl-(surfaceless|device)")))
        << ran.output;
    const std::regex line("bench size=\\d+x\\d+ fish=\\d+ tool=\\w+ frames=\\d+ cpu_ms_per_frame=[0-9.]+");
    const auto lines = std::distance(std::sregex_iterator(ran.output.begin(), ran.output.end(), line),
                                     std::sregex_iterator());
    EXPECT_EQ(lines, 10) << ran.output;
}

TEST(BenchBundle, HeadlessFramesAreByteForByteThoseOfTheWindow) {
    TempHome scratch;
    for (const std::string tool : {"none", "ripple"}) {
        const std::string common = std::string(BENCH_BINARY) + " --size 640x480 --fish 20 --frames 12 --runs 1 --tool " +
                                   tool + " --snapshot " + scratch.path() + "/";
        const CommandResult window = run(common + "window.ppm 2>&1");
        const CommandResult headless = run("env -u DISPLAY " + common + "headless.ppm --headless 1 2>&1");
        ASSERT_EQ(window.status, 0) << window.output;
        ASSERT_EQ(headless.status, 0) << headless.output;
        const std::string drawn = fileBytes(scratch.path() + "/window.ppm");
        ASSERT_GT(drawn.size(), 640u * 480 * 3) << tool;
        const std::set<char> values(drawn.end() - 640 * 480 * 3, drawn.end());
        EXPECT_GT(values.size(), 100u) << tool << ": a picture, not a plain colour";
        EXPECT_TRUE(drawn == fileBytes(scratch.path() + "/headless.ppm")) << tool;
    }
}
