#include "desktop/output_supervisor.h"

#include <sys/wait.h>

#include <algorithm>

namespace veltamar {

ChildEnd childEndFromWaitStatus(int waitStatus) {
    if (WIFSIGNALED(waitStatus)) return ChildEnd::Crashed;
    if (!WIFEXITED(waitStatus)) return ChildEnd::Crashed;
    switch (WEXITSTATUS(waitStatus)) {
        case 0:
            return ChildEnd::Asked;
        case 1:
            return ChildEnd::Failed;
        case CHILD_STATUS_INPUT:
            return ChildEnd::Input;
        case CHILD_STATUS_OUTPUT_GONE:
            return ChildEnd::OutputGone;
        default:
            return ChildEnd::Crashed;
    }
}

const DesktopOutput* OutputSupervisor::listed(const std::string& key) const {
    const auto found =
        std::find_if(outputs.begin(), outputs.end(), [&key](const DesktopOutput& o) { return o.key == key; });
    return found == outputs.end() ? nullptr : &*found;
}

void OutputSupervisor::startFor(const DesktopOutput& output, Decision& decision) {
    Start start{output.key, output.locator, output.name, false};
    if (sound && soundHolder.empty()) {
        start.sound = true;
        soundHolder = output.key;
    }
    children[output.key] = Child{false, start.sound};
    decision.start.push_back(std::move(start));
}

void OutputSupervisor::finish(int status, Decision& decision) {
    finished = true;
    decision.finish = status;
    for (auto& [key, child] : children) {
        if (child.stopping) continue;
        child.stopping = true;
        decision.stop.push_back(key);
    }
}

OutputSupervisor::Decision OutputSupervisor::outputsAre(const std::vector<DesktopOutput>& now) {
    Decision decision;
    if (finished) return decision;
    // An output that comes back at another place is looked for afresh.
    for (const DesktopOutput& output : now) {
        const DesktopOutput* before = listed(output.key);
        if (before && before->locator != output.locator) retries.erase(output.key);
    }
    outputs = now;
    for (auto& [key, child] : children) {
        if (listed(key) || child.stopping) continue;
        child.stopping = true;
        decision.stop.push_back(key);
    }
    std::erase_if(givenUp, [this](const std::string& key) { return !listed(key); });
    std::erase_if(retries, [this](const auto& entry) { return !listed(entry.first); });
    std::erase_if(restartWhenEnded, [this](const std::string& key) { return !listed(key); });
    for (const DesktopOutput& output : outputs) {
        const auto child = children.find(output.key);
        if (child != children.end()) {
            if (child->second.stopping) restartWhenEnded.insert(output.key);
        } else if (!givenUp.count(output.key)) {
            startFor(output, decision);
        }
    }
    if (idleScreen && children.empty()) {
        decision.messages.push_back("there is no output to show the idle screen on");
        finish(1, decision);
    }
    return decision;
}

OutputSupervisor::Decision OutputSupervisor::childEnded(const std::string& key, ChildEnd how) {
    Decision decision;
    const auto found = children.find(key);
    if (found == children.end()) return decision;
    const Child child = found->second;
    children.erase(found);
    if (child.sound) soundHolder.clear();
    if (finished) return decision;

    if (idleScreen && how == ChildEnd::Input) {
        finish(0, decision);
        return decision;
    }
    const DesktopOutput* output = listed(key);
    const std::string name = output ? output->name : key;
    if (restartWhenEnded.erase(key) && output) {
        startFor(*output, decision);
        return decision;
    }
    switch (how) {
        case ChildEnd::Asked:
        case ChildEnd::Input:
            // Stopped because its output went, or ended from outside: not started again.
            if (output) givenUp.insert(key);
            break;
        case ChildEnd::OutputGone:
            if (!output) break;
            if (++retries[key] <= MAX_RETRIES) {
                startFor(*output, decision);
                return decision;
            }
            decision.messages.push_back("the output " + name + " could not be found");
            givenUp.insert(key);
            anyFailed = true;
            break;
        case ChildEnd::Failed:
            givenUp.insert(key);
            anyFailed = true;
            break;
        case ChildEnd::Crashed:
            decision.messages.push_back("the aquarium on " + name + " ended unexpectedly");
            givenUp.insert(key);
            anyFailed = true;
            break;
    }

    // Nothing left to draw on any output: the program ends. (The wallpaper without any output at
    // all waits for one.)
    const bool allGivenUp = std::all_of(outputs.begin(), outputs.end(),
                                        [this](const DesktopOutput& o) { return givenUp.count(o.key) > 0; });
    if (children.empty() && (idleScreen || (!outputs.empty() && allGivenUp)))
        finish(anyFailed ? 1 : 0, decision);
    return decision;
}

OutputSupervisor::Decision OutputSupervisor::endAll(int status) {
    Decision decision;
    if (!finished) finish(status, decision);
    return decision;
}

std::vector<std::string> OutputSupervisor::running() const {
    std::vector<std::string> keys;
    for (const auto& entry : children) keys.push_back(entry.first);
    return keys;
}

}  // namespace veltamar
