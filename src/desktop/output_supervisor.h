#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Which drawing processes the wallpaper and the idle screen run. Every output (a Wayland output,
// an X11 monitor) gets a process of its own that draws the aquarium on it: the scene engine keeps
// one scene per process, and the outputs are drawn side by side on the machine's cores. This type
// decides, from what the output watcher reports and how the processes end, which to start and
// which to stop, and when the whole program ends with which status. It runs nothing itself.

namespace veltamar {

// One output as its watcher reports it.
struct DesktopOutput {
    std::string key;      // the same for as long as the output is there, whatever its size or place
    std::string locator;  // what a drawing process is given to find the output (desktop_output.h)
    std::string name;     // for messages
};

// How a drawing process ended. Its exit status says which (childEndFromWaitStatus).
enum class ChildEnd {
    Asked,       // ended by a signal it was sent, or its surface was closed: status 0
    Input,       // the idle screen saw a key, a click or the pointer moving
    OutputGone,  // its output went away, or was not there when it looked for it
    Failed,      // could not draw (it said why on the error stream)
    Crashed,     // killed by a signal it did not handle, or an unknown status
};

// Exit statuses of a drawing process other than 0 (Asked) and 1 (Failed).
constexpr int CHILD_STATUS_INPUT = 10;
constexpr int CHILD_STATUS_OUTPUT_GONE = 11;

// From a status as waitpid() gives it.
ChildEnd childEndFromWaitStatus(int waitStatus);

class OutputSupervisor {
  public:
    struct Start {
        std::string key;
        std::string locator;
        std::string name;
        bool sound = false;  // this process plays the built-in music
    };
    struct Decision {
        std::vector<Start> start;
        std::vector<std::string> stop;  // keys of processes to send SIGTERM
        std::optional<int> finish;      // end the program with this status once the stopped ones ended
        std::vector<std::string> messages;
    };

    // A process that ends "output gone" while its output is still listed (it moved while the process
    // started) is started again, this many times in a row at most.
    static constexpr int MAX_RETRIES = 3;

    OutputSupervisor(bool idleScreen, bool sound) : idleScreen(idleScreen), sound(sound) {}

    // The watcher's full list of outputs, at the start and after every change.
    Decision outputsAre(const std::vector<DesktopOutput>& outputs);
    // A process started for `key` (or could not be started: Failed) has ended.
    Decision childEnded(const std::string& key, ChildEnd how);

    // Every process is asked to stop, and the program ends with the status once they have ended
    // (SIGTERM to the program).
    Decision endAll(int status);

    // Keys of the processes running or asked to stop.
    std::vector<std::string> running() const;

  private:
    struct Child {
        bool stopping = false;
        bool sound = false;
    };
    const DesktopOutput* listed(const std::string& key) const;
    void startFor(const DesktopOutput& output, Decision& decision);
    void finish(int status, Decision& decision);

    const bool idleScreen;
    const bool sound;
    std::vector<DesktopOutput> outputs;
    std::map<std::string, Child> children;
    std::set<std::string> givenUp;           // outputs whose process ended for good: not started again
    std::map<std::string, int> retries;      // outputs whose process did not find them
    std::set<std::string> restartWhenEnded;  // outputs whose stopping process is to be replaced
    std::string soundHolder;                 // the output whose process plays the music
    bool anyFailed = false;
    bool finished = false;
};

}  // namespace veltamar
