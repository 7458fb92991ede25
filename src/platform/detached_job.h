#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

// Work that runs on a thread of its own and may never come back: opening a file on a network
// share that has stopped answering blocks whoever opens it, for as long as the share is away.
// Nobody ever waits for that thread. Its owner takes the result once it is there, or gives up on
// it; a result that comes after that, or after the owner has gone, is dropped on the worker thread
// (its destructor runs there) and the thread ends. A thread still blocked when the program ends
// does not hold up the end.

namespace veltamar {

template <class Result>
class DetachedJob {
  public:
    // The work; it may count what it has done so far (bytes read, say) in progress. An exception
    // it throws gives a default Result, which stands for failure.
    using Work = std::function<Result(std::atomic<std::uint64_t>& progress)>;
    // Runs on the worker thread as soon as the result is there, while the job is still wanted;
    // nothing the owner does can come in between (to wake the owner's thread, say).
    using Ready = std::function<void()>;

    DetachedJob() = default;
    ~DetachedJob() { abandon(); }
    DetachedJob(const DetachedJob&) = delete;
    DetachedJob& operator=(const DetachedJob&) = delete;

    // Starts the work, giving up on a job that still runs. False when no thread could be made.
    bool start(Work work, Ready ready = {}) {
        abandon();
        auto shared = std::make_shared<State>();
        try {
            std::thread([shared, work = std::move(work), ready = std::move(ready)] {
                Result result{};
                try {
                    result = work(shared->progress);
                } catch (...) {
                    result = Result{};
                }
                std::lock_guard lock(shared->mutex);
                if (!shared->wanted) return;  // the result goes here, on this thread
                shared->result = std::move(result);
                if (ready) ready();
            }).detach();
        } catch (const std::system_error&) {
            return false;
        }
        state = std::move(shared);
        return true;
    }

    // True from start() until the result has been taken or the job given up.
    bool running() const { return state != nullptr; }

    // The result once the work is done, which ends the job; nothing while it still runs.
    std::optional<Result> take() {
        if (!state) return std::nullopt;
        std::optional<Result> result;
        {
            std::lock_guard lock(state->mutex);
            if (!state->result) return std::nullopt;
            result = std::move(state->result);
        }
        state.reset();
        return result;
    }

    // Gives up on the job: its result, there already or still to come, is dropped.
    void abandon() {
        if (!state) return;
        std::optional<Result> dropped;
        {
            std::lock_guard lock(state->mutex);
            state->wanted = false;
            dropped = std::move(state->result);
        }
        state.reset();
    }

    // What the running work has counted so far; 0 with no job.
    std::uint64_t progress() const { return state ? state->progress.load(std::memory_order_relaxed) : 0; }

  private:
    struct State {
        std::mutex mutex;
        bool wanted = true;
        std::optional<Result> result;
        std::atomic<std::uint64_t> progress{0};
    };
    std::shared_ptr<State> state;
};

}  // namespace veltamar
