#include "saver/saver_loop.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace veltamar {

namespace {

sigset_t endingSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&signals, signal);
    return signals;
}

}  // namespace

SaverLoop::SaverLoop() {
    const sigset_t signals = endingSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    signalFd = signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead = fds[0];
        wakeWrite = fds[1];
    }
}

SaverLoop::~SaverLoop() {
    for (int fd : {signalFd, wakeRead, wakeWrite})
        if (fd >= 0) close(fd);
}

bool SaverLoop::stopRequested() {
    signalfd_siginfo info;
    while (!stopping && signalFd >= 0 && read(signalFd, &info, sizeof info) == sizeof info) stopping = true;
    return stopping;
}

void SaverLoop::post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(tasksMutex);
        tasks.push_back(std::move(task));
    }
    const char byte = 't';
    [[maybe_unused]] const ssize_t written = write(wakeWrite, &byte, 1);
}

void SaverLoop::runPostedTasks() {
    std::vector<std::function<void()>> due;
    {
        std::lock_guard<std::mutex> lock(tasksMutex);
        due.swap(tasks);
    }
    for (auto& task : due) task();
}

void SaverLoop::drainWakeups() {
    char bytes[64];
    while (read(wakeRead, bytes, sizeof bytes) > 0) {
    }
}

void SaverLoop::wait(int timeoutMs, int connectionFd) {
    if (stopRequested()) return;
    pollfd fds[3] = {{wakeRead, POLLIN, 0}, {signalFd, POLLIN, 0}, {connectionFd, POLLIN, 0}};
    poll(fds, connectionFd >= 0 ? 3 : 2, timeoutMs < 0 ? 0 : timeoutMs);
    drainWakeups();
}

}  // namespace veltamar
