#include "desktop/desktop_session.h"

#include <glib-unix.h>
#include <glib.h>
#include <limits.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "desktop/desktop_window.h"
#include "desktop/layer_surface.h"
#include "desktop/output_locator.h"
#include "desktop/output_scene.h"
#include "desktop/output_supervisor.h"
#include "desktop/wayland_outputs.h"
#include "desktop/x11_monitors.h"
#include "platform/data_directory.h"
#include "saver/scratch_directory.h"
#include "settings/settings_file.h"

extern char** environ;

namespace veltamar {

namespace {

// Names the output a drawing process draws on (output_locator.h).
constexpr const char* OUTPUT_VARIABLE = "VELTAMAR_DESKTOP_OUTPUT";

// Changes of the outputs come in bursts (an output's size, scale and place one after the other;
// a monitor set again with xrandr is first deleted): they are taken in once they have settled.
constexpr guint SETTLE_MS = 250;
// Drawing processes asked to end that are still there after this are killed.
constexpr guint STOP_GRACE_MS = 3000;

void say(const std::string& text) {
    std::fprintf(stderr, "veltamar: %s\n", text.c_str());
}

// Starts this program again to draw on one output: argument vector and environment are made before
// the fork, so the child only calls what is safe between fork and exec.
pid_t startDrawingProcess(bool idleScreen, bool sound, const std::string& locator) {
    char self[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return -1;
    std::vector<std::string> arguments{"veltamar", idleScreen ? "--idle" : "--wallpaper"};
    if (sound) arguments.push_back("--sound");
    std::vector<std::string> environment{std::string(OUTPUT_VARIABLE) + "=" + locator};
    for (char** entry = environ; *entry; ++entry)
        if (std::string(*entry).rfind(std::string(OUTPUT_VARIABLE) + "=", 0) != 0)
            environment.push_back(*entry);
    std::vector<char*> argv, envp;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);

    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) return pid;
    // It ends with this program, however this program ends.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(0);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    // The display connections and everything else open here stay here.
    close_range(3, ~0u, 0);
    execve(self, argv.data(), envp.data());
    _exit(127);
}

// The program started with --wallpaper or --idle: runs a drawing process per output.
class Supervision {
  public:
    Supervision(OutputWatcher& watcher, bool idleScreen, bool sound)
        : watcher(watcher),
          idleScreen(idleScreen),
          supervisor(idleScreen, sound),
          loop(g_main_loop_new(nullptr, FALSE)) {}
    ~Supervision() {
        for (guint source : {settleTimer, killTimer})
            if (source) g_source_remove(source);
        g_main_loop_unref(loop);
    }

    int run() {
        std::vector<guint> signalSources;
        for (int signal : {SIGTERM, SIGINT, SIGHUP})
            signalSources.push_back(g_unix_signal_add(
                signal,
                [](gpointer self) -> gboolean {
                    auto* supervision = static_cast<Supervision*>(self);
                    supervision->apply(supervision->supervisor.endAll(0));
                    return G_SOURCE_CONTINUE;
                },
                this));
        watcher.changed = [this] { outputsChanged(); };
        apply(supervisor.outputsAre(watcher.outputs()));
        if (!done()) g_main_loop_run(loop);
        watcher.changed = nullptr;
        for (guint source : signalSources) g_source_remove(source);
        return status.value_or(0);
    }

  private:
    struct Child {
        pid_t pid;
        guint watch;
    };

    bool done() const { return status && children.empty(); }

    void outputsChanged() {
        if (settleTimer) g_source_remove(settleTimer);
        settleTimer = g_timeout_add(
            SETTLE_MS,
            [](gpointer self) -> gboolean {
                auto* supervision = static_cast<Supervision*>(self);
                supervision->settleTimer = 0;
                supervision->apply(supervision->supervisor.outputsAre(supervision->watcher.outputs()));
                return G_SOURCE_REMOVE;
            },
            this);
    }

    void apply(const OutputSupervisor::Decision& decision) {
        for (const std::string& message : decision.messages) say(message);
        for (const std::string& key : decision.stop) {
            const auto child = children.find(key);
            if (child != children.end()) kill(child->second.pid, SIGTERM);
        }
        if (decision.finish && !status) {
            status = decision.finish;
            killTimer = g_timeout_add(STOP_GRACE_MS, killRemaining, this);
        }
        for (const OutputSupervisor::Start& start : decision.start) launch(start);
        if (done()) g_main_loop_quit(loop);
    }

    void launch(const OutputSupervisor::Start& start) {
        const pid_t pid = startDrawingProcess(idleScreen, start.sound, start.locator);
        if (pid < 0) {
            say("cannot start the aquarium for " + start.name);
            apply(supervisor.childEnded(start.key, ChildEnd::Failed));
            return;
        }
        auto* ending = new std::pair<Supervision*, std::string>(this, start.key);
        const guint watch = g_child_watch_add_full(
            G_PRIORITY_DEFAULT, pid,
            [](GPid, gint waitStatus, gpointer data) {
                const auto& [self, key] = *static_cast<std::pair<Supervision*, std::string>*>(data);
                self->children.erase(key);
                self->apply(self->supervisor.childEnded(key, childEndFromWaitStatus(waitStatus)));
            },
            ending, [](gpointer data) { delete static_cast<std::pair<Supervision*, std::string>*>(data); });
        children[start.key] = Child{pid, watch};
    }

    static gboolean killRemaining(gpointer data) {
        auto* self = static_cast<Supervision*>(data);
        self->killTimer = 0;
        for (const auto& entry : self->children) kill(entry.second.pid, SIGKILL);
        return G_SOURCE_REMOVE;
    }

    OutputWatcher& watcher;
    const bool idleScreen;
    OutputSupervisor supervisor;
    GMainLoop* loop;
    std::map<std::string, Child> children;
    std::optional<int> status;
    guint settleTimer = 0;
    guint killTimer = 0;
};

int superviseOutputs(const SaverOptions& options) {
    const bool idleScreen = options.role == SaverOptions::Role::IdleScreen;
    const char* what = idleScreen ? "the idle screen" : "the wallpaper";
    std::string problem;
    std::unique_ptr<OutputWatcher> watcher;
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((wayland && *wayland) || std::getenv("WAYLAND_SOCKET")) {
        std::unique_ptr<WaylandOutputs> outputs = WaylandOutputs::open(problem);
        if (!outputs) {
            say(problem);
            return 1;
        }
        if (!outputs->hasLayerShell()) {
            say(std::string("this Wayland desktop has no layer shell, so ") + what +
                " cannot be shown: GNOME Shell offers none (sway, Hyprland, KDE Plasma, river and labwc do). "
                "The aquarium itself runs as a program here.");
            return 1;
        }
        watcher = std::move(outputs);
    } else if (idleScreen) {
        say("the idle screen needs a Wayland compositor with the layer shell (sway, Hyprland, KDE Plasma, "
            "river, labwc); under X11 a screensaver daemon shows the aquarium with --root");
        return 1;
    } else {
        watcher = X11Monitors::open(problem);
        if (!watcher) {
            say(problem);
            return 1;
        }
    }
    Supervision supervision(*watcher, idleScreen, options.sound);
    return supervision.run();
}

// A drawing process: the aquarium on the one output the locator names.
int drawOnOutput(const OutputLocator& locator, bool idleScreen, bool sound) {
    keepSettingsReadOnly();
    ScratchDirectory scratch;
    if (!scratch.path().empty()) useResourceDirectory(scratch.path());

    std::unique_ptr<DesktopSurface> surface;
    if (locator.system == OutputLocator::System::Wayland) {
        std::string problem;
        if (!openWaylandDisplay(problem)) {
            say(problem);
            return 1;
        }
        surface = LayerSurface::open(locator, idleScreen);
        if (!surface) return statusForEnd(SurfaceEnd::OutputGone);
    } else {
        SurfaceEnd why = SurfaceEnd::Failed;
        std::string problem;
        surface = DesktopWindow::open(locator.monitorName, why, problem);
        if (!surface) {
            if (!problem.empty()) say(problem);
            return statusForEnd(why);
        }
    }
    return runOutputScene(*surface, sound);
}

}  // namespace

int runDesktop(const SaverOptions& options) {
    const char* given = std::getenv(OUTPUT_VARIABLE);
    if (!given) return superviseOutputs(options);
    const std::string text = given;
    unsetenv(OUTPUT_VARIABLE);
    const auto locator = parseLocator(text);
    if (!locator) {
        say("'" + text + "' names no output");
        return 1;
    }
    return drawOnOutput(*locator, options.role == SaverOptions::Role::IdleScreen, options.sound);
}

}  // namespace veltamar
