#include "saver/saver_loop.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace veltamar {

namespace {

volatile sig_atomic_t stopSignalled = 0;
int signalWakeFd = -1;

constexpr int ENDING_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};

void onEndingSignal(int) {
    stopSignalled = 1;
    const int savedErrno = errno;
    if (signalWakeFd >= 0) {
        const char byte = 's';
        [[maybe_unused]] const ssize_t written = write(signalWakeFd, &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

SaverLoop::SaverLoop() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead = fds[0];
        wakeWrite = fds[1];
    }
    stopSignalled = 0;
    signalWakeFd = wakeWrite;
    struct sigaction action {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : ENDING_SIGNALS) sigaction(signal, &action, nullptr);
}

SaverLoop::~SaverLoop() {
    for (int signal : ENDING_SIGNALS) ::signal(signal, SIG_DFL);
    signalWakeFd = -1;
    if (wakeRead >= 0) close(wakeRead);
    if (wakeWrite >= 0) close(wakeWrite);
}

bool SaverLoop::stopRequested() const {
    return stopSignalled != 0;
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
    pollfd fds[2] = {{wakeRead, POLLIN, 0}, {connectionFd, POLLIN, 0}};
    poll(fds, connectionFd >= 0 ? 2 : 1, timeoutMs < 0 ? 0 : timeoutMs);
    drainWakeups();
}

}  // namespace veltamar
