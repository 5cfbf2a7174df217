// The few threads that do the program's work in parallel: reading pages ahead of the scan,
// classifying links, finding the places of invalid links, freeing a finished run's results.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>
#include <vector>

namespace orvel {

class TTaskGroup;

// Threads created once, one per core and four at most, that run posted tasks in the order they
// were posted.
class TThreadPool {
public:
    explicit TThreadPool(unsigned Threads);
    // Lets the running tasks end and joins the threads; tasks not yet begun are dropped.
    ~TThreadPool();
    TThreadPool(const TThreadPool&) = delete;
    TThreadPool& operator=(const TThreadPool&) = delete;

    // The program's pool, made at its first use.
    static TThreadPool& Shared();
    unsigned Size() const { return static_cast<unsigned>(Threads.size()); }

private:
    friend class TTaskGroup;
    struct TTask {
        TTaskGroup* Group;
        std::function<void(std::stop_token)> Work;
    };
    void Serve(const std::stop_token& Shutdown);
    // Runs Task, under no lock, and tells its group it has ended.
    void RunTask(TTask& Task, std::unique_lock<std::mutex>& Guard);

    std::mutex Lock; // guards the queue and every group's counters
    std::condition_variable_any TaskPosted;
    std::condition_variable TaskEnded;
    std::deque<TTask> Queue;
    std::vector<std::jthread> Threads;
};

// Tasks posted to a pool that their owner waits for. Each task gets a stop token that is
// requested by RequestStop and when the group goes. A waiting owner runs the group's tasks that
// no pool thread has begun, so a group is finished even when every pool thread is busy.
class TTaskGroup {
public:
    explicit TTaskGroup(TThreadPool& On = TThreadPool::Shared()) : Pool(On) {}
    // Requests stop and waits for the tasks; a failure is not rethrown.
    ~TTaskGroup();
    TTaskGroup(const TTaskGroup&) = delete;
    TTaskGroup& operator=(const TTaskGroup&) = delete;

    void Run(std::function<void(std::stop_token)> Work);
    void RequestStop() { Stop.request_stop(); }
    std::stop_token StopToken() const { return Stop.get_token(); }
    // Waits until every task has ended; rethrows the first exception a task let out.
    void Wait();
    // Waits until every task has ended; a failure is not rethrown.
    void Finish();

private:
    friend class TThreadPool;

    TThreadPool& Pool;
    std::stop_source Stop;
    int Unfinished = 0; // posted and not ended, under the pool's lock
    std::exception_ptr Failure;
};

} // namespace orvel
