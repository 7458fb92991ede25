#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "harness.h"
#include "saver_support.h"
#include "test_media.h"
#include "test_window.h"

// The program as a packager and a user meet it: `cmake --install` puts every file of the layout in
// its place under DESTDIR, `cpack -G DEB` makes the same package every time, with the control
// fields and files it should have and nothing for lintian to report, dpkg installs and removes it
// without leftovers (into a folder and database of the test's own), and the program unpacked from
// it runs as the saver and as the aquarium with this build's folder moved away.

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
        "libexec/veltamar/veltamar-saver",
        "libexec/xscreensaver",
        "libexec/xscreensaver/veltamar",
        "share",
        "share/applications",
        "share/applications/com.example.veltamar.desktop",
        "share/applications/screensavers",
        "share/applications/screensavers/veltamar.desktop",
        "share/doc",
        "share/doc/veltamar",
        "share/doc/veltamar/changelog.Debian.gz",
        "share/doc/veltamar/copyright",
        "share/icons",
        "share/icons/hicolor",
        "share/lintian",
        "share/lintian/overrides",
        "share/lintian/overrides/veltamar",
        "share/man",
        "share/man/man6",
        "share/man/man6/veltamar.6.gz",
        "share/metainfo",
        "share/metainfo/com.example.veltamar.metainfo.xml",
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

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The installed tree below `prefix` is the layout, and its files are what they should be.
void checkInstalledTree(const fs::path& prefix) {
    EXPECT_EQ(treeBelow(prefix), LAYOUT);
    EXPECT_EQ(fs::read_symlink(prefix / "libexec/xscreensaver/veltamar"), "../../bin/veltamar");
    EXPECT_TRUE(fs::exists(prefix / "libexec/xscreensaver/veltamar")) << "the hack reaches the program";
    for (const char* entry : {"share/applications/com.example.veltamar.desktop",
                              "share/applications/screensavers/veltamar.desktop"}) {
        const CommandResult check = run("desktop-file-validate '" + (prefix / entry).string() + "' 2>&1");
        EXPECT_EQ(check.status, 0) << entry << ": " << check.output;
    }
    // The software centres' metadata, and the desktop entry it names by its id.
    const fs::path metainfo = prefix / "share/metainfo/com.example.veltamar.metainfo.xml";
    const CommandResult metadata =
        run("appstreamcli validate --no-net --strict '" + metainfo.string() + "' 2>&1");
    EXPECT_EQ(metadata.status, 0) << metadata.output;
    const std::string component = readAll(metainfo);
    const std::string launchable = "<launchable type=\"desktop-id\">";
    const auto named = component.find(launchable) + launchable.size();
    EXPECT_EQ(component.substr(named, component.find('<', named) - named), "com.example.veltamar.desktop");
    EXPECT_NE(component.find("<id>com.example.veltamar</id>"), std::string::npos);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string side = std::to_string(size);
        const fs::path icon = prefix / ("share/icons/hicolor/" + side + "x" + side + "/apps/veltamar.png");
        EXPECT_EQ(run("identify -format '%m %wx%h' '" + icon.string() + "' 2>&1").output,
                  "PNG " + side + "x" + side);
    }
    const std::string manual =
        run("MANWIDTH=80 man -l '" + (prefix / "share/man/man6/veltamar.6.gz").string() + "' 2>&1").output;
    for (const char* text : {"VELTAMAR(6)", "--window-id ID", "XSCREENSAVER_WINDOW", "--sound", "--version",
                             "Veltamar " PROGRAM_VERSION, " " RELEASE_DATE " "})
        EXPECT_NE(manual.find(text), std::string::npos) << text << " in:\n" << manual;
    // The licence's own terms, word for word, in the machine-readable copyright file.
    const std::string copyright = readAll(prefix / "share/doc/veltamar/copyright");
    EXPECT_EQ(
        copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n", 0),
        0u);
    std::istringstream licence(readAll(LICENSE_FILE));
    std::string terms;
    for (std::string line; std::getline(licence, line);)
        if (!terms.empty() || line.rfind("Permission is hereby granted", 0) == 0)
            terms += line.empty() ? " .\n" : " " + line + "\n";
    EXPECT_NE(copyright.find("License: Expat\n" + terms), std::string::npos) << copyright;
    EXPECT_EQ(
        run("zcat '" + (prefix / "share/doc/veltamar/changelog.Debian.gz").string() + "' | head -1").output,
        "veltamar (" PACKAGE_VERSION ") unstable; urgency=medium\n");
}

// A package of this build, made by CPack into `folder` as `make deb` makes one.
std::string pack(const std::string& folder) {
    const CommandResult packed = run("'" CPACK_COMMAND "' -G DEB -B '" + folder +
                                     "' --config '" BUILD_DIRECTORY "/CPackConfig.cmake' 2>&1");
    EXPECT_EQ(packed.status, 0) << packed.output;
    const std::string architecture = lines(run("dpkg --print-architecture").output).at(0);
    return folder + "/veltamar_" PACKAGE_VERSION "_" + architecture + ".deb";
}

// The build folder moved aside for as long as the object lives, so that the unpacked program can
// reach nothing in it (a RUNPATH, a path compiled in). The tests' screenshots and the program's
// output are kept elsewhere meanwhile and join the others when the folder is back.
class BuildFolderAway {
  public:
    explicit BuildFolderAway(const std::string& keep) : kept(keep) {
        fs::rename(BUILD_DIRECTORY, AWAY);
        keepArtifactsIn(kept);
    }
    ~BuildFolderAway() {
        fs::rename(AWAY, BUILD_DIRECTORY);
        keepArtifactsIn("");
        std::error_code ignored;
        fs::copy(kept, artifactDirectory(),
                 fs::copy_options::overwrite_existing | fs::copy_options::recursive, ignored);
    }
    BuildFolderAway(const BuildFolderAway&) = delete;
    BuildFolderAway& operator=(const BuildFolderAway&) = delete;

  private:
    static constexpr const char* AWAY = BUILD_DIRECTORY ".away-for-the-package-test";
    std::string kept;
};

}  // namespace

TEST(Install, PutsEveryFileOfTheLayoutInItsPlace) {
    TempHome destination;
    const CommandResult install =
        run("DESTDIR='" + destination.path() + "' '" CMAKE_COMMAND "' --install '" BUILD_DIRECTORY "' 2>&1");
    ASSERT_EQ(install.status, 0) << install.output;
    checkInstalledTree(fs::path(destination.path()) / fs::path(INSTALL_PREFIX).relative_path());
}

TEST(DebianPackage, IsTheSameEveryTimeWithItsControlFieldsAndFilesAndNothingForLintian) {
    TempHome out;
    const std::string deb = pack(out.path() + "/first");
    ASSERT_TRUE(fs::exists(deb));
    const auto field = [&](const std::string& name) {
        return run("dpkg-deb -f '" + deb + "' " + name).output;
    };
    EXPECT_EQ(field("Package"), "veltamar\n");
    EXPECT_EQ(field("Version"), PACKAGE_VERSION "\n");
    EXPECT_EQ(field("Architecture"), lines(run("dpkg --print-architecture").output).at(0) + "\n");
    EXPECT_EQ(field("Section"), "x11\n");
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

    // Every file of the layout, all dated by the release.
    std::set<std::string> packaged, dates;
    for (const std::string& line : lines(run("dpkg-deb -c '" + deb + "'").output)) {
        const auto at = line.find("./usr/");
        ASSERT_NE(at, std::string::npos) << line;
        std::string path = line.substr(
            at + 6, line.find(" -> ") == std::string::npos ? std::string::npos : line.find(" -> ") - at - 6);
        if (!path.empty() && path.back() == '/') path.pop_back();
        if (!path.empty()) packaged.insert(path);
        std::istringstream fields(line);
        std::string mode, owner, size, day;
        fields >> mode >> owner >> size >> day;
        dates.insert(day);
    }
    EXPECT_EQ(packaged, LAYOUT);
    EXPECT_EQ(dates, std::set<std::string>{RELEASE_DATE});

    // Packed again a moment later: the same bytes.
    sleepSeconds(1.1);
    const std::string again = pack(out.path() + "/second");
    EXPECT_EQ(run("cmp '" + deb + "' '" + again + "' 2>&1").output, "");

    // This build is the tests' own, made without the distribution's hardening flags that `make deb`
    // adds, so lintian's two notes on those are left out here.
    const CommandResult lint =
        run("lintian --display-info --pedantic --suppress-tags "
            "hardening-no-fortify-functions,hardening-no-bindnow '" +
            deb + "'");
    EXPECT_EQ(lint.output, "");
    EXPECT_EQ(lint.status, 0);
}

TEST(DebianPackage, ItsProgramNeedsNothingFromTheBuildAsTheSaverOrTheAquarium) {
    TempHome out;
    const std::string deb = pack(out.path());
    const fs::path unpacked = fs::path(out.path()) / "unpacked";
    ASSERT_EQ(run("dpkg-deb -x '" + deb + "' '" + unpacked.string() + "'").status, 0);
    checkInstalledTree(unpacked / "usr");
    const std::string program = (unpacked / "usr/bin/veltamar").string();
    EXPECT_EQ(run("grep -rlF '" BUILD_DIRECTORY "' '" + unpacked.string() + "'").output, "")
        << "files that name the build folder";

    const BuildFolderAway away(out.path() + "/artifacts");
    ASSERT_FALSE(fs::exists(BUILD_DIRECTORY));
    EXPECT_EQ(run("'" + program + "' --version").output, "veltamar " PROGRAM_VERSION "\n");
    const CommandResult wrong = run("'" + program + "' --bogus 2>&1; echo status $?");
    EXPECT_NE(wrong.output.find("usage: veltamar"), std::string::npos) << wrong.output;
    EXPECT_NE(wrong.output.find("status 2\n"), std::string::npos) << wrong.output;

    // The saver, started as the daemons start it, through the hack's link.
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
    std::ofstream(home.settingsFile())
        << "[Custom Images]\nOwnImage=1\nImageTime=1\nImageSum=1\nImageList0=" << green << "\n";
    {
        Aquarium saver(home, options);
        double greenShare = 0;
        for (int i = 0; i < 50 && greenShare < 0.5; ++i) {
            sleepSeconds(0.2);
            greenShare =
                hueShare(within(screenshot("package-saver-picture"), preview), 0, preview.width, 'g');
        }
        EXPECT_GT(greenShare, 0.5) << "the user's picture shows";
        saver.terminate();
    }
    window.destroy();

    // The aquarium itself, which Escape ends without leaving its locks behind.
    TempHome user;
    LaunchOptions aquarium;
    aquarium.binary = program;
    Aquarium interactive(user, aquarium);
    ASSERT_TRUE(interactive.waitForWindow()) << interactive.output();
    Screenshot shot;
    EXPECT_TRUE(waitUntilFilled("package-aquarium", {0, 0, 1024, 768}, shot)) << interactive.output();
    pressKeysInAquarium("Escape");
    EXPECT_EQ(interactive.waitForExit(10), 0);
    EXPECT_TRUE(fs::is_empty(user.runtimeDirectory()));
}

TEST(DebianPackage, DpkgInstallsItAndRemovesItWithoutLeftovers) {
    TempHome out;
    const std::string deb = pack(out.path());
    // Into a root and a database of the test's own.
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
