#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"

// Real desktops for the end-to-end tests, each on displays of its own: weston's headless Wayland
// compositor with its X11 server (a compositor without the layer shell, as GNOME Shell), sway's
// headless backend (layer shell, several outputs, scales, frame callbacks), and openbox on Xvfb.

namespace veltamar::e2e {

class WestonSession {
  public:
    WestonSession();
    ~WestonSession();
    WestonSession(const WestonSession&) = delete;
    WestonSession& operator=(const WestonSession&) = delete;
    std::filesystem::path runtime;
    std::string socket;
    std::string xDisplay;  // empty when weston did not start
    pid_t pid = -1;
};

// sway with its headless backend and software renderer. sway refuses to run as root, so under root
// it runs as a user of its own (made once, without a home or a login shell); its clients here run as
// the test does.
class SwaySession {
  public:
    // outputs: sway's "output" lines, one per headless output.
    explicit SwaySession(const std::vector<std::string>& outputs);
    ~SwaySession();
    SwaySession(const SwaySession&) = delete;
    SwaySession& operator=(const SwaySession&) = delete;

    bool ready() const { return !waylandDisplay.empty(); }
    // NAME=value entries a client needs to reach the compositor.
    std::vector<std::string> clientEnvironment() const;
    // Runs a command (swaymsg, grim, wtype) as a client of the compositor.
    CommandResult client(const std::string& command) const;
    CommandResult swaymsg(const std::string& arguments) const { return client("swaymsg " + arguments); }
    // Starts a program as a client in the background; it is ended with the session.
    pid_t start(const std::string& command);
    // The output's picture at its size in pixels, kept as <artifacts>/<name>.png.
    Screenshot grab(const std::string& output, const std::string& name) const;
    // The name of the focused workspace.
    std::string focusedWorkspace() const;

  private:
    std::filesystem::path runtime;
    std::string waylandDisplay;
    std::string swaySocket;
    pid_t pid = -1;
    std::vector<pid_t> clients;
};

// openbox, the window manager, on the X server that DISPLAY names; ended with the object.
class Openbox {
  public:
    Openbox();
    ~Openbox();
    Openbox(const Openbox&) = delete;
    Openbox& operator=(const Openbox&) = delete;
    bool ready() const { return started; }

  private:
    pid_t pid = -1;
    bool started = false;
};

// The summed user and system CPU seconds of a process and its children.
double processTreeCpuSeconds(pid_t pid);

}  // namespace veltamar::e2e
