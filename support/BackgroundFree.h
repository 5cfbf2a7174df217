// Frees large structures on the thread pool, so that the thread that lets go of them goes on at
// once: a large site's tree and file objects take a while to free. One at a time; handing over
// the next, and the end of the owner, wait for the one before.
#pragma once

#include "support/ThreadPool.h"

#include <memory>
#include <type_traits>
#include <utility>

namespace orvel {

class TBackgroundFree {
public:
    TBackgroundFree() = default;
    TBackgroundFree(const TBackgroundFree&) = delete;
    TBackgroundFree& operator=(const TBackgroundFree&) = delete;
    ~TBackgroundFree() { Wait(); }

    // Takes Doomed, which must refer to nothing that may change meanwhile, and frees it.
    template <typename T> void Free(T&& Doomed) {
        Wait();
        // Held by a shared pointer: a task is copyable, what it frees need not be.
        auto Gone = std::make_shared<std::decay_t<T>>(std::forward<T>(Doomed));
        Freeing.Run([Gone = std::move(Gone)](const std::stop_token&) mutable { Gone.reset(); });
    }
    void Wait() { Freeing.Finish(); }

private:
    TTaskGroup Freeing;
};

} // namespace orvel
