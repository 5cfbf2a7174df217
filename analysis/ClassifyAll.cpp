#include "analysis/ClassifyAll.h"

#include "analysis/RunContext.h"
#include "support/ThreadPool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <vector>

namespace orvel {

namespace {

constexpr int ChunkSize = 64; // files a helper takes at once

// The classes of the files, worked out by chunks, by the pool's threads and by the thread that
// waits.
class TClassifier {
public:
    explicit TClassifier(const TFileObjectList& List)
        : Files(List), Classes(static_cast<size_t>(List.Count())),
          Chunks((List.Count() + ChunkSize - 1) / ChunkSize), Done(static_cast<size_t>(Chunks)) {}

    // Works out chunks until none is left, or only one; false when one failed.
    bool Work(bool OneChunk = false) {
        for (int Chunk; (Chunk = NextChunk.fetch_add(1)) < Chunks && !Failed.load();) {
            try {
                const int End = std::min(Files.Count(), (Chunk + 1) * ChunkSize);
                for (int I = Chunk * ChunkSize; I < End; ++I)
                    Classes[static_cast<size_t>(I)] = Files[I].ComputeClasses();
            } catch (...) {
                std::lock_guard<std::mutex> Guard(Lock);
                Failure = std::current_exception();
                Failed.store(true);
                ChunkDone.notify_all();
                return false;
            }
            std::lock_guard<std::mutex> Guard(Lock);
            Done[static_cast<size_t>(Chunk)].store(true, std::memory_order_release);
            if (Waiting) ChunkDone.notify_all();
            if (OneChunk) break;
        }
        return true;
    }

    // The classes of file I, once worked out: works along a chunk at a time while chunks are
    // left, else waits, calling Pump at least every Interval.
    TLinkClasses&& Take(int I, std::chrono::milliseconds Interval, TRunContext& Run) {
        const size_t Chunk = static_cast<size_t>(I / ChunkSize);
        while (!Done[Chunk].load(std::memory_order_acquire)) {
            if (!Failed.load() && NextChunk.load() < Chunks) {
                Work(true);
                Run.PumpWhenDue();
                continue;
            }
            std::unique_lock<std::mutex> Guard(Lock);
            if (Failure) std::rethrow_exception(Failure);
            Waiting = true;
            ChunkDone.wait_for(Guard, Interval, [&] {
                return Failure || Done[Chunk].load(std::memory_order_acquire);
            });
            Waiting = false;
            Guard.unlock();
            Run.PumpWhenDue();
        }
        return std::move(Classes[static_cast<size_t>(I)]);
    }

private:
    const TFileObjectList& Files;
    std::vector<TLinkClasses> Classes;
    const int Chunks;
    std::vector<std::atomic<bool>> Done; // per chunk
    std::atomic<int> NextChunk{0};
    std::atomic<bool> Failed{false};

    std::mutex Lock; // guards what follows and the notifications
    std::condition_variable ChunkDone;
    bool Waiting = false;
    std::exception_ptr Failure;
};

} // namespace

void ClassifyAll(TRunContext& Run) {
    TClassifier Classifier(Run.FileObjects);
    TTaskGroup Helpers;
    if (Run.FileObjects.Count() > ChunkSize)
        for (unsigned I = 0; I < TThreadPool::Shared().Size(); ++I)
            Helpers.Run([&](const std::stop_token&) { Classifier.Work(); });
    const auto Interval = std::max(Run.PumpInterval, std::chrono::milliseconds(1));
    for (int I = 0; I < Run.FileObjects.Count(); ++I) {
        Run.Pump();
        Run.FileObjects[I].TakeClasses(Classifier.Take(I, Interval, Run));
    }
}

} // namespace orvel
