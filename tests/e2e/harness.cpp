#include "harness.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace veltamar::e2e {

namespace fs = std::filesystem;

CommandResult run(const std::string& command) {
    CommandResult result{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[65536];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

double monotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

XServer::XServer(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    name = ":" + number;
    if (const char* display = getenv("DISPLAY")) previousDisplay = display;
    setenv("DISPLAY", name.c_str(), 1);
}

XServer::~XServer() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    if (previousDisplay.empty())
        unsetenv("DISPLAY");
    else
        setenv("DISPLAY", previousDisplay.c_str(), 1);
}

TempHome::TempHome() {
    for (auto [folder, name] :
         {std::pair{&dir, "veltamar-e2e-XXXXXX"}, std::pair{&runtime, "veltamar-run-XXXXXX"}}) {
        std::string pattern = (fs::temp_directory_path() / name).string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
        *folder = pattern;
    }
}

TempHome::~TempHome() {
    std::error_code ignored;
    // Tests may have taken permissions away; give them back so everything can be removed.
    for (auto it =
             fs::recursive_directory_iterator(dir, fs::directory_options::skip_permission_denied, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir, ignored);
    fs::remove_all(runtime, ignored);
}

std::array<int, 3> Screenshot::at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    if (x < 0 || y < 0 || x >= width || y >= height || i + 2 >= rgb.size()) return {-1, -1, -1};
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

namespace {

std::string artifactsElsewhere;

}  // namespace

std::string artifactDirectory() {
    const std::string directory = artifactsElsewhere.empty() ? E2E_ARTIFACT_DIR : artifactsElsewhere;
    fs::create_directories(directory);
    return directory;
}

void keepArtifactsIn(const std::string& directory) {
    artifactsElsewhere = directory;
}

Screenshot screenshot(const std::string& name) {
    const std::string path = artifactDirectory() + "/" + name + ".png";
    if (run("import -window root png:'" + path + "' 2>/dev/null").status != 0) {
        ADD_FAILURE() << "the screenshot " << path << " could not be taken";
        return {};
    }
    return readPicture(path);
}

Screenshot readPicture(const std::string& path) {
    Screenshot shot;
    const CommandResult size = run("identify -format '%w %h' '" + path + "' 2>/dev/null");
    std::istringstream(size.output) >> shot.width >> shot.height;
    const CommandResult pixels = run("convert '" + path + "' -depth 8 rgb:- 2>/dev/null");
    shot.rgb.assign(pixels.output.begin(), pixels.output.end());
    if (shot.width <= 0 || shot.height <= 0 || shot.rgb.size() != std::size_t(shot.width) * shot.height * 3) {
        ADD_FAILURE() << "the picture " << path << " could not be read";
        return {};
    }
    return shot;
}

Aquarium::Aquarium(const TempHome& home, LaunchOptions options) {
    static int launches = 0;
    const std::string log = artifactDirectory() + "/program-" + std::to_string(getpid()) + "-" +
                            std::to_string(launches++) + ".log";
    logFile = log;
    if (options.recordSwaps) swapFile = log + ".swaps";
    commandFile = log + ".commands";
    std::ofstream(commandFile, std::ios::trunc).flush();
    if (options.hangingShare) share = std::make_unique<HangingShare>(*options.hangingShare);
    child = fork();
    if (child == 0) {
        setenv("HOME", home.path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home.path() + "/.config").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.runtimeDirectory().c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::string preload;
        if (options.arguments.empty() && options.binary.empty()) {
            preload = COMMAND_INJECTOR_LIBRARY;
            setenv("VELTAMAR_COMMAND_FILE", commandFile.c_str(), 1);
        }
        if (!swapFile.empty()) {
            preload += std::string(preload.empty() ? "" : " ") + SWAP_RECORDER_LIBRARY;
            setenv("SWAP_TIMESTAMPS_OUT", swapFile.c_str(), 1);
        }
        if (!preload.empty()) setenv("LD_PRELOAD", preload.c_str(), 1);
        for (const std::string& entry : options.environment) putenv(strdup(entry.c_str()));
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            dup2(out, 1);
            dup2(out, 2);
        }
        chdir(home.path().c_str());
        const std::string binary = options.binary.empty() ? VELTAMAR_BINARY : options.binary;
        std::vector<char*> argv{const_cast<char*>(binary.c_str())};
        for (const std::string& argument : options.arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
}

Aquarium::~Aquarium() {
    if (running()) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
}

HangingShare::HangingShare(const LaunchOptions::Share& share)
    : folder(share.folder.back() == '/' ? share.folder.substr(0, share.folder.size() - 1) : share.folder),
      files(folder + ".files") {
    std::filesystem::rename(folder, files);
    std::filesystem::create_directory(folder);
    server = fork();
    if (server == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        execl(HANGING_SHARE_PROGRAM, HANGING_SHARE_PROGRAM, files.c_str(), folder.c_str(),
              share.answerFile.c_str(), nullptr);
        _exit(127);
    }
    // Mounted once the folder is a file system of its own.
    struct stat parent {
    }, mounted{};
    stat((folder + "/..").c_str(), &parent);
    for (int i = 0; i < 100 && (stat(folder.c_str(), &mounted) != 0 || mounted.st_dev == parent.st_dev); ++i)
        sleepSeconds(0.05);
}

HangingShare::~HangingShare() {
    run("fusermount3 -u '" + folder + "' 2>/dev/null");
    if (server > 0) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
    std::filesystem::remove(folder);
    std::filesystem::rename(files, folder);
}

bool Aquarium::running() {
    if (exitCode || child <= 0) return false;
    int status = 0;
    const pid_t r = waitpid(child, &status, WNOHANG);
    if (r == 0) return true;
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

std::optional<int> Aquarium::waitForExit(double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (running() && std::chrono::steady_clock::now() < deadline) sleepSeconds(0.05);
    return exitCode;
}

bool Aquarium::waitForWindow(double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline && running()) {
        for (const std::string& id : windowsNamed("VeltamarScr")) {
            const auto g = windowGeometry(id);
            if (g && g->width > 100) {
                sleepSeconds(1.0);  // let the scene finish its start-up and draw
                return running();
            }
        }
        sleepSeconds(0.1);
    }
    return false;
}

void Aquarium::terminate() {
    if (running()) kill(child, SIGTERM);
    waitForExit(10);
}

void Aquarium::signal(int number) {
    if (running()) kill(child, number);
}

std::vector<double> Aquarium::swapTimes() const {
    std::vector<double> times;
    std::ifstream in(swapFile);
    for (double t; in >> t;) times.push_back(t);
    return times;
}

void Aquarium::sendCommand(int id) {
    std::ofstream(commandFile, std::ios::app) << id << '\n';
}

namespace {

long statusKb(pid_t pid, const std::string& field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
    return -1;
}

}  // namespace

long Aquarium::residentKb() const {
    return statusKb(child, "VmRSS");
}

long Aquarium::peakResidentKb() const {
    return statusKb(child, "VmHWM");
}

int Aquarium::threadCount() const {
    return static_cast<int>(statusKb(child, "Threads"));
}

int Aquarium::threadsNamed(const std::string& name) const {
    int count = 0;
    std::error_code ignored;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(child) + "/task", ignored)) {
        std::string comm;
        std::ifstream in(task.path() / "comm");
        std::getline(in, comm);
        count += comm == name;
    }
    return count;
}

void Aquarium::resetPeakMemory() {
    std::ofstream("/proc/" + std::to_string(child) + "/clear_refs") << "5";
}

std::vector<Geometry> popupWindows() {
    std::vector<Geometry> popups;
    const std::string tree = run("xwininfo -root -children 2>/dev/null").output;
    std::istringstream lines(tree);
    for (std::string line; std::getline(lines, line);) {
        // Only the lines of the child list, which begin with the window id; the header's "0x0"
        // (no parent) would make xwininfo wait for a window to be clicked.
        const auto id = line.find_first_not_of(' ');
        if (id == std::string::npos || line.compare(id, 2, "0x") != 0) continue;
        if (line.find("\"VeltamarScr\":") != std::string::npos) continue;
        const std::string windowId = line.substr(id, line.find(' ', id) - id);
        const std::string attributes = run("xwininfo -id " + windowId + " 2>/dev/null").output;
        if (attributes.find("Override Redirect State: yes") == std::string::npos ||
            attributes.find("Map State: IsViewable") == std::string::npos)
            continue;
        if (auto g = windowGeometry(windowId); g && g->width > 20 && g->height > 20) popups.push_back(*g);
    }
    return popups;
}

std::string Aquarium::output() const {
    std::ifstream in(logFile);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> windowsNamed(const std::string& title) {
    std::vector<std::string> ids;
    std::istringstream lines(run("xdotool search --name '^" + title + "$' 2>/dev/null").output);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) ids.push_back(line);
    return ids;
}

std::optional<std::string> mainWindow() {
    std::optional<std::string> largest;
    long largestArea = 0;
    for (const std::string& id : windowsNamed("VeltamarScr"))
        if (const auto g = windowGeometry(id); g && static_cast<long>(g->width) * g->height > largestArea) {
            largestArea = static_cast<long>(g->width) * g->height;
            largest = id;
        }
    return largest;
}

std::vector<std::string> messageBoxes() {
    std::vector<std::string> boxes;
    for (const std::string& id : windowsNamed("VeltamarScr")) {
        const auto g = windowGeometry(id);
        if (g && g->width > 20 && g->width < 900 &&
            run("xwininfo -id " + id + " 2>/dev/null").output.find("IsViewable") != std::string::npos)
            boxes.push_back(id);
    }
    return boxes;
}

void pressKeysInAquarium(const std::string& keys) {
    if (const auto window = mainWindow()) run("xdotool windowfocus --sync " + *window + " 2>/dev/null");
    run("xdotool key " + keys);
}

std::optional<Geometry> windowGeometry(const std::string& windowId) {
    const CommandResult info = run("xwininfo -id " + windowId + " 2>/dev/null");
    if (info.status != 0) return std::nullopt;
    Geometry g;
    auto field = [&](const char* label, int& value) {
        const auto at = info.output.find(label);
        if (at != std::string::npos) value = std::atoi(info.output.c_str() + at + std::strlen(label));
    };
    field("Absolute upper-left X:", g.x);
    field("Absolute upper-left Y:", g.y);
    field("Width:", g.width);
    field("Height:", g.height);
    return g;
}

}  // namespace veltamar::e2e
