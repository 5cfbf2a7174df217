// The thread pool's task groups: a waiting owner finishes its own tasks when the pool is busy,
// and a task's failure reaches the owner.
#include "support/ThreadPool.h"

#include <future>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace orvel;

namespace {

TEST(ThreadPoolTest, AWaitingOwnerRunsItsTasksWhileEveryThreadIsBusy) {
    TThreadPool Pool(1);
    std::promise<void> Release;
    std::shared_future<void> Released = Release.get_future().share();
    std::promise<void> Blocking;
    TTaskGroup Blocker(Pool);
    Blocker.Run([&](std::stop_token) {
        Blocking.set_value();
        Released.wait();
    });
    Blocking.get_future().wait(); // the pool's only thread is taken

    TTaskGroup Group(Pool);
    int Ran = 0;
    for (int I = 0; I < 3; ++I)
        Group.Run([&](std::stop_token) { ++Ran; });
    Group.Wait();
    EXPECT_EQ(Ran, 3);
    Release.set_value();
}

TEST(ThreadPoolTest, TheFirstFailureIsRethrownOnceAndAStoppedGroupsTasksSeeTheStop) {
    TThreadPool Pool(2);
    TTaskGroup Group(Pool);
    Group.Run([](std::stop_token) { throw std::runtime_error("cannot read x.html"); });
    EXPECT_THROW(
        {
            try {
                Group.Wait();
            } catch (const std::runtime_error& Error) {
                EXPECT_STREQ(Error.what(), "cannot read x.html");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_NO_THROW(Group.Wait());

    Group.RequestStop();
    bool Stopped = false;
    Group.Run([&](std::stop_token Stop) { Stopped = Stop.stop_requested(); });
    Group.Wait();
    EXPECT_TRUE(Stopped);
}

} // namespace
