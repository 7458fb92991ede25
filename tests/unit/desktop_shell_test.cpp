#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>

#include "desktop/idle_input.h"
#include "desktop/output_locator.h"
#include "desktop/output_supervisor.h"

using namespace veltamar;

// How the wallpaper and the idle screen find outputs again in their drawing processes, when the idle
// screen ends, and which drawing processes the program runs as outputs come and go.

TEST(DesktopLogic, LocatorsSurviveTheirTripThroughTheEnvironment) {
    OutputLocator wayland;
    wayland.waylandGlobal = 4294967295u;
    OutputLocator x11;
    x11.system = OutputLocator::System::X11;
    x11.monitorName = "DP-1:with:colons";
    for (const OutputLocator& locator : {wayland, x11}) {
        const auto back = parseLocator(formatLocator(locator));
        ASSERT_TRUE(back) << formatLocator(locator);
        EXPECT_EQ(back->system, locator.system);
        EXPECT_EQ(back->waylandGlobal, locator.waylandGlobal);
        EXPECT_EQ(back->monitorName, locator.monitorName);
    }
    EXPECT_EQ(formatLocator(wayland), "wayland:4294967295");
    for (const char* wrong : {"", "x11:", "wayland:", "wayland:0", "wayland:-3", "wayland:12a", "wayland:12 ",
                              "wayland:4294967296", "wayland: 12", "X11:left", "weston:12"})
        EXPECT_FALSE(parseLocator(wrong)) << wrong;
}

TEST(DesktopLogic, TheIdleScreenEndsAtAKeyAButtonOrARealMotion) {
    struct Step {
        char what;  // 'k' key, 'b' button, 'p' pointer at x,y
        double x = 0.0, y = 0.0;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        bool ends;
    };
    for (const Case& c : std::vector<Case>{
             {"a key", {{'k'}}, true},
             {"a button", {{'b'}}, true},
             {"the pointer seen where it is", {{'p', 400, 300}}, false},
             {"a small jitter after it appeared", {{'p', 400, 300}, {'p', 404, 297}, {'p', 398, 305}}, false},
             {"a real motion", {{'p', 400, 300}, {'p', 409, 300}}, true},
             {"a slow drift adds up",
              {{'p', 400, 300}, {'p', 403, 300}, {'p', 406, 300}, {'p', 409, 300}},
              true},
             {"a motion far from the first position", {{'p', 10, 10}, {'p', 700, 500}}, true},
             {"a key after jitter", {{'p', 400, 300}, {'p', 401, 300}, {'k'}}, true},
         }) {
        IdleInput input;
        bool ended = false;
        for (const Step& step : c.steps) {
            if (step.what == 'k') ended = input.key();
            if (step.what == 'b') ended = input.button();
            if (step.what == 'p') ended = input.pointerAt(step.x, step.y);
        }
        EXPECT_EQ(ended, c.ends) << c.name;
        EXPECT_EQ(input.hasEnded(), c.ends) << c.name;
    }
}

TEST(DesktopLogic, ADrawingProcessSaysHowItEndedInItsStatus) {
    const auto exited = [](int status) { return status << 8; };
    EXPECT_EQ(childEndFromWaitStatus(exited(0)), ChildEnd::Asked);
    EXPECT_EQ(childEndFromWaitStatus(exited(1)), ChildEnd::Failed);
    EXPECT_EQ(childEndFromWaitStatus(exited(CHILD_STATUS_INPUT)), ChildEnd::Input);
    EXPECT_EQ(childEndFromWaitStatus(exited(CHILD_STATUS_OUTPUT_GONE)), ChildEnd::OutputGone);
    EXPECT_EQ(childEndFromWaitStatus(exited(127)), ChildEnd::Crashed) << "exec failed";
    EXPECT_EQ(childEndFromWaitStatus(SIGSEGV), ChildEnd::Crashed);
    EXPECT_EQ(childEndFromWaitStatus(SIGKILL), ChildEnd::Crashed);
}

namespace {

DesktopOutput output(const std::string& key, const std::string& locator = "") {
    return {key, locator.empty() ? "x11:" + key : locator, key};
}

std::vector<std::string> startedKeys(const OutputSupervisor::Decision& decision) {
    std::vector<std::string> keys;
    for (const auto& start : decision.start) keys.push_back(start.key);
    return keys;
}

using Keys = std::vector<std::string>;

}  // namespace

TEST(DesktopLogic, EveryOutputGetsOneDrawingProcessAsOutputsComeAndGo) {
    OutputSupervisor supervisor(false, false);
    auto d = supervisor.outputsAre({output("A"), output("B")});
    EXPECT_EQ(startedKeys(d), (Keys{"A", "B"}));
    EXPECT_FALSE(d.finish);

    d = supervisor.outputsAre({output("A"), output("B"), output("C")});
    EXPECT_EQ(startedKeys(d), (Keys{"C"})) << "an output added gets a process, the others keep theirs";
    EXPECT_TRUE(d.stop.empty());

    d = supervisor.outputsAre({output("A", "x11:A-moved"), output("C")});
    EXPECT_TRUE(d.start.empty()) << "a moved output keeps its process, which follows it";
    EXPECT_EQ(d.stop, (Keys{"B"}));
    d = supervisor.childEnded("B", ChildEnd::Asked);
    EXPECT_TRUE(d.start.empty() && !d.finish) << "a stopped process is not replaced";

    // An output removed and added again before its process has ended gets a new one after it.
    d = supervisor.outputsAre({output("A")});
    EXPECT_EQ(d.stop, (Keys{"C"}));
    d = supervisor.outputsAre({output("A"), output("C")});
    EXPECT_TRUE(d.start.empty());
    d = supervisor.childEnded("C", ChildEnd::Asked);
    EXPECT_EQ(startedKeys(d), (Keys{"C"}));

    // A process that did not find its output (it moved while the process started) is started again,
    // a few times.
    for (int retry = 0; retry < OutputSupervisor::MAX_RETRIES; ++retry)
        EXPECT_EQ(startedKeys(supervisor.childEnded("C", ChildEnd::OutputGone)), (Keys{"C"}));
    d = supervisor.childEnded("C", ChildEnd::OutputGone);
    EXPECT_TRUE(d.start.empty());
    EXPECT_FALSE(d.messages.empty());
    EXPECT_FALSE(d.finish) << "A still shows the aquarium";

    // Once no output can be drawn on any more the program ends, with 1 as something failed.
    d = supervisor.childEnded("A", ChildEnd::Crashed);
    EXPECT_FALSE(d.messages.empty());
    ASSERT_TRUE(d.finish);
    EXPECT_EQ(*d.finish, 1);
}

TEST(DesktopLogic, AFailedOutputIsTriedAgainOnlyWhenItComesBack) {
    OutputSupervisor supervisor(false, false);
    supervisor.outputsAre({output("A"), output("B")});
    auto d = supervisor.childEnded("A", ChildEnd::Failed);
    EXPECT_TRUE(d.start.empty() && !d.finish);
    EXPECT_TRUE(supervisor.outputsAre({output("A"), output("B")}).start.empty());
    supervisor.outputsAre({output("B")});
    EXPECT_EQ(startedKeys(supervisor.outputsAre({output("A"), output("B")})), (Keys{"A"}));
    // A wallpaper with no output at all waits for one.
    OutputSupervisor empty(false, false);
    EXPECT_FALSE(empty.outputsAre({}).finish);
    EXPECT_EQ(startedKeys(empty.outputsAre({output("A")})), (Keys{"A"}));
}

TEST(DesktopLogic, OneProcessPlaysTheMusicAndAnotherTakesItOver) {
    OutputSupervisor silent(false, false);
    for (const auto& start : silent.outputsAre({output("A"), output("B")}).start) EXPECT_FALSE(start.sound);

    OutputSupervisor supervisor(false, true);
    auto d = supervisor.outputsAre({output("A"), output("B")});
    ASSERT_EQ(d.start.size(), 2u);
    EXPECT_TRUE(d.start[0].sound);
    EXPECT_FALSE(d.start[1].sound) << "the music plays once, not once per output";
    supervisor.outputsAre({output("B")});
    supervisor.childEnded("A", ChildEnd::Asked);
    d = supervisor.outputsAre({output("B"), output("C")});
    ASSERT_EQ(d.start.size(), 1u);
    EXPECT_TRUE(d.start[0].sound) << "the next process started plays it";
}

TEST(DesktopLogic, TheIdleScreenEndsAtTheFirstInputOnAnyOutput) {
    OutputSupervisor supervisor(true, false);
    supervisor.outputsAre({output("A"), output("B"), output("C")});
    auto d = supervisor.childEnded("B", ChildEnd::Input);
    ASSERT_TRUE(d.finish);
    EXPECT_EQ(*d.finish, 0);
    Keys stopped = d.stop;
    std::sort(stopped.begin(), stopped.end());
    EXPECT_EQ(stopped, (Keys{"A", "C"}));
    EXPECT_TRUE(supervisor.outputsAre({output("A"), output("D")}).start.empty())
        << "nothing starts once ending";
    EXPECT_TRUE(supervisor.childEnded("A", ChildEnd::Asked).stop.empty());

    // Without input, it ends once nothing is left to show: 1 when it could not be shown.
    OutputSupervisor failing(true, false);
    failing.outputsAre({output("A"), output("B")});
    EXPECT_FALSE(failing.childEnded("A", ChildEnd::Failed).finish);
    d = failing.childEnded("B", ChildEnd::Failed);
    ASSERT_TRUE(d.finish);
    EXPECT_EQ(*d.finish, 1);
    OutputSupervisor nothing(true, false);
    d = nothing.outputsAre({});
    ASSERT_TRUE(d.finish);
    EXPECT_EQ(*d.finish, 1);

    // SIGTERM to the program ends every process and then the program, with 0.
    OutputSupervisor ended(true, false);
    ended.outputsAre({output("A")});
    d = ended.endAll(0);
    EXPECT_EQ(d.stop, (Keys{"A"}));
    ASSERT_TRUE(d.finish);
    EXPECT_EQ(*d.finish, 0);
}
