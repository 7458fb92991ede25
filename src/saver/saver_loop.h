#pragma once

#include <functional>
#include <mutex>
#include <vector>

// What the saver waits on between frames: the display connection, tasks handed over by other
// threads (a picture read in the background), and the signals that end it (SIGTERM from the
// daemon, SIGINT, SIGHUP). A signal only asks the loop to stop; the saver ends after the frame it
// is drawing.
//
// The ending signals are blocked from the loop's start, in the saver's thread and so in every
// thread started after it, and taken from a signal descriptor that the loop waits on: no handler
// runs on whatever thread the kernel picks, and a signal that comes while the saver is ending
// stays pending instead of killing it halfway.

namespace veltamar {

class SaverLoop {
  public:
    // Blocks SIGTERM, SIGINT and SIGHUP for good (the saver ends with the loop). One loop at a time,
    // made before any other thread is started.
    SaverLoop();
    ~SaverLoop();
    SaverLoop(const SaverLoop&) = delete;
    SaverLoop& operator=(const SaverLoop&) = delete;

    bool stopRequested();

    // Runs a task on the loop's thread at its next turn; may be called from any thread.
    void post(std::function<void()> task);
    void runPostedTasks();

    // Waits until timeoutMs have passed, the connection has input, a task is posted or a signal
    // arrives, whichever comes first.
    void wait(int timeoutMs, int connectionFd);

  private:
    void drainWakeups();

    int signalFd = -1;
    int wakeRead = -1;
    int wakeWrite = -1;
    bool stopping = false;
    std::mutex tasksMutex;
    std::vector<std::function<void()>> tasks;
};

}  // namespace veltamar
