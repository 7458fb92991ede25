#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "harness.h"
#include "test_media.h"
#include "saver_support.h"
#include "test_window.h"

// The program as a packager and a user meet it: `cmake --install` puts every file of the layout in
// its place under DESTDIR, `cpack -G DEB` makes a package with the control fields and files it
// should have, dpkg installs and removes it without leftovers (into a folder and database of the
// test's own), and the program unpacked from it runs as the saver on a test window.

using namespace veltamar::e2e;
namespace fs = std::filesystem;

namespace {

// Every file, link and folder of the installed layout, below the prefix.
const std::set<std::string> LAYOUT = [] {
    std::set<std::string> paths = {
        "bin",
        "bin/veltamar",
        "libexec",
        "libexec/veltamar",
        "libexec/veltamar/veltamar-decoder",
        "libexec/xscreensaver",
        "libexec/xscreensaver/veltamar",
        "share",
        "share/applications",
        "share/applications/veltamar.desktop",
        "share/applications/screensavers",
        "share/applications/screensavers/veltamar.desktop",
        "share/icons",
        "share/icons/hicolor",
        "share/man",
        "share/man/man6",
        "share/man/man6/veltamar.6",
        "share/xscreensaver",
        "share/xscreensaver/config",
        "share/xscreensaver/config/veltamar.xml",
    };
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string folder = "share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size);
        paths.insert({folder, folder + "/apps", folder + "/apps/veltamar.png"});
    }
    return paths;
}();

std::set<std::string> treeBelow(const fs::path& root) {
    std::set<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        paths.insert(entry.path().lexically_relative(root).string());
    return paths;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// The installed tree below `prefix` is the layout, and its files are what they should be.
void checkInstalledTree(const fs::path& prefix) {
    EXPECT_EQ(treeBelow(prefix), LAYOUT);
    EXPECT_EQ(fs::read_symlink(prefix / "libexec/xscreensaver/veltamar"), "../../bin/veltamar");
    EXPECT_TRUE(fs::exists(prefix / "libexec/xscreensaver/veltamar")) << "the hack reaches the program";
    for (const char* entry :
         {"share/applications/veltamar.desktop", "share/applications/screensavers/veltamar.desktop"}) {
        const CommandResult check = run("desktop-file-validate '" + (prefix / entry).string() + "' 2>&1");
        EXPECT_EQ(check.status, 0) << entry << ": " << check.output;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string side = std::to_string(size);
        const fs::path icon = prefix / ("share/icons/hicolor/" + side + "x" + side + "/apps/veltamar.png");
        EXPECT_EQ(run("identify -format '%m %wx%h' '" + icon.string() + "' 2>&1").output,
                  "PNG " + side + "x" + side);
    }
    const std::string manual =
        run("MANWIDTH=80 man -l '" + (prefix / "share/man/man6/veltamar.6").string() + "' 2>&1").output;
    for (const char* text : {"VELTAMAR(6)", "--window-id ID", "XSCREENSAVER_WINDOW", "--sound"})
        EXPECT_NE(manual.find(text), std::string::npos) << text << " in:\n" << manual;
}

}  // namespace

TEST(Install, PutsEveryFileOfTheLayoutInItsPlace) {
    TempHome destination;
    const CommandResult install =
        run("DESTDIR='" + destination.path() + "' '" CMAKE_COMMAND "' --install '" BUILD_DIRECTORY "' 2>&1");
    ASSERT_EQ(install.status, 0) << install.output;
    checkInstalledTree(fs::path(destination.path()) / fs::path(INSTALL_PREFIX).relative_path());
}

TEST(DebianPackage, HasItsControlFieldsAndFilesAndItsProgramRunsAsTheSaver) {
    TempHome out;
    const CommandResult pack = run("'" CPACK_COMMAND "' -G DEB -B '" + out.path() +
                                   "' --config '" BUILD_DIRECTORY "/CPackConfig.cmake' 2>&1");
    ASSERT_EQ(pack.status, 0) << pack.output;
    const std::string architecture = lines(run("dpkg --print-architecture").output).at(0);
    const std::string deb = out.path() + "/veltamar_1.0-1_" + architecture + ".deb";
    ASSERT_TRUE(fs::exists(deb)) << pack.output;

    const auto field = [&](const std::string& name) {
        return run("dpkg-deb -f '" + deb + "' " + name).output;
    };
    EXPECT_EQ(field("Package"), "veltamar\n");
    EXPECT_EQ(field("Version"), "1.0-1\n");
    EXPECT_EQ(field("Architecture"), architecture + "\n");
    EXPECT_EQ(field("Section"), "games\n");
    EXPECT_NE(field("Maintainer").find('@'), std::string::npos);
    EXPECT_EQ(lines(field("Description")).at(0),
              "3D aquarium to watch and fill with fish, and a screensaver");
    EXPECT_EQ(field("Recommends"), "fonts-dejavu-core\n");
    // Computed from the program's libraries.
    const std::string depends = field("Depends");
    for (const char* library :
         {"libc6", "libwxgtk3.2-1", "libwxgtk-gl3.2-1", "libsoil1", "libsdl2-mixer-2.0-0", "libglu1-mesa",
          "libftgl2", "libx11-6", "libjpeg62-turbo"})
        EXPECT_NE(depends.find(library), std::string::npos) << library << " in " << depends;

    std::set<std::string> packaged;
    for (const std::string& line : lines(run("dpkg-deb -c '" + deb + "'").output)) {
        const auto at = line.find("./usr/");
        ASSERT_NE(at, std::string::npos) << line;
        std::string path = line.substr(
            at + 6, line.find(" -> ") == std::string::npos ? std::string::npos : line.find(" -> ") - at - 6);
        if (!path.empty() && path.back() == '/') path.pop_back();
        if (!path.empty()) packaged.insert(path);
    }
    EXPECT_EQ(packaged, LAYOUT);

    // Unpacked anywhere, the program needs nothing from the build or the source tree.
    const fs::path unpacked = fs::path(out.path()) / "unpacked";
    ASSERT_EQ(run("dpkg-deb -x '" + deb + "' '" + unpacked.string() + "'").status, 0);
    checkInstalledTree(unpacked / "usr");
    const ScreenBox preview{352, 264, 320, 240};
    TestWindow window(preview.x, preview.y, preview.width, preview.height, UNDRAWN_COLOUR);
    TempHome home;
    LaunchOptions options;
    options.binary = (unpacked / "usr/libexec/xscreensaver/veltamar").string();
    options.arguments = {"--window-id", window.hexId()};
    {
        Aquarium saver(home, options);
        Screenshot shot;
        EXPECT_TRUE(waitUntilFilled("package-saver", preview, shot)) << saver.output();
        saver.terminate();
    }
    // With the user's own picture on, what the saver shows is decoded by the packaged helper.
    const std::string green = home.path() + "/green.png";
    ASSERT_TRUE(writeFlatPng(green, 64, 48, 3, {30, 200, 30, 0}, {30, 200, 30, 0}));
    fs::create_directories(home.configDirectory());
    std::ofstream(home.settingsFile()) << "[Custom Images]\nOwnImage=1\nImageTime=1\nImageSum=1\nImageList0="
                                       << green << "\n";
    Aquarium saver(home, options);
    double greenShare = 0;
    for (int i = 0; i < 50 && greenShare < 0.5; ++i) {
        sleepSeconds(0.2);
        const Screenshot shot = screenshot("package-saver-picture");
        int greenPixels = 0;
        for (int y = preview.y; y < preview.y + preview.height; ++y)
            for (int x = preview.x; x < preview.x + preview.width; ++x) {
                const auto [r, g, b] = shot.at(x, y);
                greenPixels += g > 2 * r && g > 2 * b;
            }
        greenShare = static_cast<double>(greenPixels) / (preview.width * preview.height);
    }
    EXPECT_GT(greenShare, 0.5) << "the user's picture shows";
    saver.terminate();

    // dpkg installs it and removes it without leftovers: into a root and a database of the test's own.
    const fs::path root = fs::path(out.path()) / "root", admin = fs::path(out.path()) / "admin";
    fs::create_directories(root);
    for (const char* folder : {"info", "updates", "triggers"}) fs::create_directories(admin / folder);
    std::ofstream((admin / "status").string()).flush();
    const std::string dpkg = "dpkg --admindir='" + admin.string() + "' --instdir='" + root.string() +
                             "' --force-not-root --force-depends --force-script-chrootless ";
    const CommandResult installed = run(dpkg + "-i '" + deb + "' 2>&1");
    ASSERT_EQ(installed.status, 0) << installed.output;
    checkInstalledTree(root / "usr");
    const CommandResult removed = run(dpkg + "-r veltamar 2>&1");
    ASSERT_EQ(removed.status, 0) << removed.output;
    EXPECT_TRUE(fs::is_empty(root)) << "left behind: " << run("find '" + root.string() + "'").output;
    EXPECT_NE(run(dpkg + "-s veltamar 2>&1").output.find("not installed"), std::string::npos);
}
