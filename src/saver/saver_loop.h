#pragma once

#include <functional>
#include <mutex>
#include <vector>

// What the saver waits on between frames: the display connection, tasks handed over by other
// threads (a picture read in the background), and the signals that end it (SIGTERM from the
// daemon, SIGINT, SIGHUP). A signal only asks the loop to stop; the saver ends after the frame it
// is drawing.

namespace veltamar {

class SaverLoop {
  public:
    // Catches SIGTERM, SIGINT and SIGHUP while the loop exists. One loop at a time.
    SaverLoop();
    ~SaverLoop();
    SaverLoop(const SaverLoop&) = delete;
    SaverLoop& operator=(const SaverLoop&) = delete;

    bool stopRequested() const;

    // Runs a task on the loop's thread at its next turn; may be called from any thread.
    void post(std::function<void()> task);
    void runPostedTasks();

    // Waits until timeoutMs have passed, the connection has input, a task is posted or a signal
    // arrives, whichever comes first.
    void wait(int timeoutMs, int connectionFd);

  private:
    void drainWakeups();

    int wakeRead = -1;
    int wakeWrite = -1;
    std::mutex tasksMutex;
    std::vector<std::function<void()>> tasks;
};

}  // namespace veltamar
