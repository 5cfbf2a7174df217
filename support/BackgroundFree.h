// Frees large structures on a thread of their own, so that the thread that lets go of them goes
// on at once: a large site's tree and file objects take a while to free. One at a time; handing
// over the next, and the end of the owner, wait for the one before.
#pragma once

#include <system_error>
#include <thread>
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
        try {
            Thread = std::thread([Gone = std::forward<T>(Doomed)]() mutable {
                [[maybe_unused]] const auto Freed = std::move(Gone);
            });
        } catch (const std::system_error&) {
            // No thread to be had: freed here, when the argument goes.
        }
    }
    void Wait() {
        if (Thread.joinable()) Thread.join();
    }

private:
    std::thread Thread;
};

} // namespace orvel
