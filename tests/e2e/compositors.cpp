#include "compositors.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

namespace veltamar::e2e {

namespace fs = std::filesystem;

namespace {

// The user sway runs as under root.
constexpr const char* SWAY_USER = "veltamar-wl";

std::string readText(const fs::path& path) {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace

WestonSession::WestonSession()
    : runtime(fs::temp_directory_path() / ("veltamar-weston-" + std::to_string(getpid()))) {
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    socket = "wayland-veltamar-" + std::to_string(getpid());
    const std::string log = (runtime / "weston.log").string();
    pid = fork();
    if (pid == 0) {
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        const std::string socketOption = "--socket=" + socket;
        freopen(log.c_str(), "w", stdout);
        freopen(log.c_str(), "w", stderr);
        execlp("weston", "weston", "--backend=headless-backend.so", "--xwayland", socketOption.c_str(),
               "--width=1024", "--height=768", "--idle-time=0", static_cast<char*>(nullptr));
        _exit(127);
    }
    // weston names the X11 display it listens on.
    for (int tries = 0; tries < 100 && xDisplay.empty(); ++tries) {
        sleepSeconds(0.1);
        std::smatch match;
        const std::string text = readText(log);
        if (std::regex_search(text, match, std::regex("xserver listening on display (:[0-9]+)")))
            xDisplay = match[1];
    }
}

WestonSession::~WestonSession() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    std::error_code ignored;
    fs::remove_all(runtime, ignored);
}

SwaySession::SwaySession(const std::vector<std::string>& outputs)
    : runtime(fs::temp_directory_path() / ("veltamar-sway-" + std::to_string(getpid()))) {
    const bool root = getuid() == 0;
    if (root && run(std::string("id ") + SWAY_USER + " >/dev/null 2>&1").status != 0)
        run(std::string("useradd -M -d /nonexistent -s /usr/sbin/nologin -U ") + SWAY_USER +
            " >/dev/null 2>&1");
    const std::string uid = root ? run(std::string("id -u ") + SWAY_USER).output : std::to_string(getuid());
    fs::remove_all(runtime);
    fs::create_directories(runtime);
    // The runtime folder is sway's: 0700 and its user's.
    if (root) run("chown " + std::string(SWAY_USER) + ":" + SWAY_USER + " " + quoted(runtime.string()));
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    const fs::path config = runtime / "sway.cfg";
    {
        std::ofstream out(config);
        // No background program (it would be a layer surface of its own), no X11 server.
        out << "swaybg_command -\nswaynag_command -\nxwayland disable\n"
               "default_border none\nfocus_follows_mouse no\n";
        for (const std::string& line : outputs) out << line << "\n";
    }
    fs::permissions(config, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::others_read);
    if (root) run("chown " + std::string(SWAY_USER) + " " + quoted(config.string()));
    const std::string log = (runtime / "sway.log").string();
    const std::string outputCount = std::to_string(outputs.size());
    pid = fork();
    if (pid == 0) {
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("WLR_BACKENDS", "headless", 1);
        setenv("WLR_RENDERER", "pixman", 1);
        setenv("WLR_LIBINPUT_NO_DEVICES", "1", 1);
        setenv("WLR_HEADLESS_OUTPUTS", outputCount.c_str(), 1);
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK"}) unsetenv(name);
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(out, 2);
        if (root) {
            const std::string user = std::string("--reuid=") + SWAY_USER,
                              group = std::string("--regid=") + SWAY_USER;
            execlp("setpriv", "setpriv", user.c_str(), group.c_str(), "--clear-groups", "sway", "-c",
                   config.c_str(), static_cast<char*>(nullptr));
        }
        execlp("sway", "sway", "-c", config.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // setpriv runs sway in its own process, so sway's socket carries this pid.
    std::string uidText = uid;
    uidText.erase(uidText.find_last_not_of(" \n") + 1);
    swaySocket = (runtime / ("sway-ipc." + uidText + "." + std::to_string(pid) + ".sock")).string();
    for (int tries = 0; tries < 200; ++tries) {
        if (fs::exists(swaySocket)) {
            for (const auto& entry : fs::directory_iterator(runtime)) {
                const std::string name = entry.path().filename().string();
                if (name.rfind("wayland-", 0) == 0 && name.find('.') == std::string::npos)
                    waylandDisplay = name;
            }
            if (!waylandDisplay.empty() && swaymsg("-q -t get_version").status == 0) return;
            waylandDisplay.clear();
        }
        sleepSeconds(0.05);
    }
}

SwaySession::~SwaySession() {
    for (pid_t client : clients) {
        kill(client, SIGTERM);
        waitpid(client, nullptr, 0);
    }
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    std::error_code ignored;
    fs::remove_all(runtime, ignored);
}

std::vector<std::string> SwaySession::clientEnvironment() const {
    return {"XDG_RUNTIME_DIR=" + runtime.string(), "WAYLAND_DISPLAY=" + waylandDisplay,
            "SWAYSOCK=" + swaySocket};
}

CommandResult SwaySession::client(const std::string& command) const {
    std::string prefix = "env -u DISPLAY";
    for (const std::string& entry : clientEnvironment()) prefix += " " + quoted(entry);
    return run(prefix + " " + command);
}

pid_t SwaySession::start(const std::string& command) {
    const std::vector<std::string> environment = clientEnvironment();
    const pid_t child = fork();
    if (child == 0) {
        for (const std::string& entry : environment) putenv(strdup(entry.c_str()));
        unsetenv("DISPLAY");
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    clients.push_back(child);
    return child;
}

Screenshot SwaySession::grab(const std::string& output, const std::string& name) const {
    const std::string path = artifactDirectory() + "/" + name + ".png";
    client("grim -o " + output + " " + quoted(path) + " 2>/dev/null");
    return readPicture(path);
}

std::string SwaySession::focusedWorkspace() const {
    // swaymsg's own listing: "Workspace NAME (focused)".
    std::smatch match;
    const std::string text = swaymsg("-p -t get_workspaces").output;
    if (std::regex_search(text, match, std::regex("Workspace (\\S+) \\(focused\\)"))) return match[1];
    return {};
}

Openbox::Openbox() {
    pid = fork();
    if (pid == 0) {
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        execlp("openbox", "openbox", static_cast<char*>(nullptr));
        _exit(127);
    }
    // openbox names itself on the root window once it manages the screen.
    for (int tries = 0; tries < 100 && !started; ++tries) {
        sleepSeconds(0.1);
        started = run("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null").output.find("window id") !=
                  std::string::npos;
    }
}

Openbox::~Openbox() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

double processTreeCpuSeconds(pid_t pid) {
    const auto cpuOf = [](pid_t process) {
        std::istringstream in(readText("/proc/" + std::to_string(process) + "/stat"));
        std::string field;
        double ticks = 0.0;
        for (int i = 1; i <= 15 && in >> field; ++i)
            if (i == 14 || i == 15) ticks += std::atof(field.c_str());
        return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
    };
    double seconds = cpuOf(pid);
    std::istringstream children(run("ps --ppid " + std::to_string(pid) + " -o pid=").output);
    for (pid_t child; children >> child;) seconds += cpuOf(child);
    return seconds;
}

}  // namespace veltamar::e2e
