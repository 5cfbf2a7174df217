#include "support/ThreadPool.h"

#include <algorithm>
#include <atomic>
#include <pthread.h>

namespace orvel {

TThreadPool::TThreadPool(unsigned Count) {
    for (unsigned I = 0; I < std::max(Count, 1u); ++I)
        Threads.emplace_back([this](const std::stop_token& Shutdown) { Serve(Shutdown); });
}

TThreadPool::~TThreadPool() {
    for (std::jthread& Thread : Threads)
        Thread.request_stop();
    TaskPosted.notify_all();
    Threads.clear(); // joins
}

namespace {
std::atomic<TThreadPool*> SharedPool{nullptr};
} // namespace

TThreadPool& TThreadPool::Shared() {
    // A child made by fork has none of its parent's threads: its first use makes a pool of its
    // own. The pool lives as long as the program, so no task outlives it.
    static const bool ForgottenInChildren =
        ::pthread_atfork(nullptr, nullptr, [] { SharedPool.store(nullptr); }) == 0;
    (void)ForgottenInChildren;
    TThreadPool* Pool = SharedPool.load(std::memory_order_acquire);
    if (!Pool) {
        auto* Made = new TThreadPool(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
        if (SharedPool.compare_exchange_strong(Pool, Made, std::memory_order_acq_rel))
            Pool = Made;
        else
            delete Made;
    }
    return *Pool;
}

void TThreadPool::Serve(const std::stop_token& Shutdown) {
    std::unique_lock<std::mutex> Guard(Lock);
    while (TaskPosted.wait(Guard, Shutdown, [&] { return !Queue.empty(); })) {
        TTask Task = std::move(Queue.front());
        Queue.pop_front();
        RunTask(Task, Guard);
    }
}

void TThreadPool::RunTask(TTask& Task, std::unique_lock<std::mutex>& Guard) {
    TTaskGroup& Group = *Task.Group;
    Guard.unlock();
    std::exception_ptr Failure;
    try {
        Task.Work(Group.Stop.get_token());
    } catch (...) {
        Failure = std::current_exception();
    }
    Task.Work = nullptr; // what the task holds goes before the group hears of its end
    Guard.lock();
    if (Failure && !Group.Failure) Group.Failure = Failure;
    --Group.Unfinished;
    TaskEnded.notify_all();
}

TTaskGroup::~TTaskGroup() {
    RequestStop();
    Finish();
}

void TTaskGroup::Run(std::function<void(std::stop_token)> Work) {
    {
        std::lock_guard<std::mutex> Guard(Pool.Lock);
        Pool.Queue.push_back({this, std::move(Work)});
        ++Unfinished;
    }
    Pool.TaskPosted.notify_one();
}

void TTaskGroup::Wait() {
    Finish();
    std::lock_guard<std::mutex> Guard(Pool.Lock);
    if (Failure) std::rethrow_exception(std::exchange(Failure, nullptr));
}

void TTaskGroup::Finish() {
    std::unique_lock<std::mutex> Guard(Pool.Lock);
    while (Unfinished > 0) {
        const auto Own =
            std::find_if(Pool.Queue.begin(), Pool.Queue.end(),
                         [this](const TThreadPool::TTask& T) { return T.Group == this; });
        if (Own == Pool.Queue.end()) {
            Pool.TaskEnded.wait(Guard);
            continue;
        }
        TThreadPool::TTask Task = std::move(*Own);
        Pool.Queue.erase(Own);
        Pool.RunTask(Task, Guard);
    }
}

} // namespace orvel
