// The reading side of the folder scan. Tasks on the thread pool walk the home folder in the
// scan's order and read and extract the HTML files the walk finds, ahead of the scan's own
// thread, which turns what they find into nodes and file objects in the walk's order, pumping
// events and watching Halt as it goes. No task waits for another or for the scan's thread: a
// task that runs out of work ends, and whoever makes work for it posts it again.
#pragma once

#include "analysis/FolderWalk.h"
#include "analysis/PageReader.h"
#include "support/ThreadPool.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <string>

namespace orvel {

// One step of the scan, in the order in which the scan takes them.
struct TScanItem {
    using TKind = TWalkStep::TKind;
    static constexpr TKind ikFolder = TWalkStep::ikFolder, ikFolderEnd = TWalkStep::ikFolderEnd,
                           ikFile = TWalkStep::ikFile, ikUnlisted = TWalkStep::ikUnlisted;
    TKind Kind = ikFile;
    std::string Name; // bare name of the folder or file
    std::string Path; // the file's or folder's path
    // ikFolder: a folder listed before under this path, which this one is again; ikUnlisted:
    // why the folder at Path could not be listed.
    std::string Note;
    TReadPage Page; // an HTML file as it was read ahead
};

class TScanPipeline {
public:
    // Starts walking Folder and reading what the walk finds.
    TScanPipeline(const std::string& Folder, TScanRules ScanRules);
    // Stops the walk and the reading within one file and waits for the tasks.
    ~TScanPipeline();
    TScanPipeline(const TScanPipeline&) = delete;
    TScanPipeline& operator=(const TScanPipeline&) = delete;

    enum class TNext { nItem, nWaiting, nEnd };
    // The next item, waiting for it at most Timeout. Rethrows what ended the walk or a reading.
    TNext Next(TScanItem& Item, std::chrono::milliseconds Timeout);

private:
    // An item on its way: found by the walk, maybe waiting for a reader, then ready.
    struct TSlot {
        TScanItem Item;
        TSeenEntry Seen = TSeenEntry::seUnknown;
        bool Unread = false; // waits for a reader
        bool Ready = true;   // may be taken
    };
    void WalkSome();
    void ReadSome();
    // Under Lock: posts the walk when half the queue is free and it does not run.
    void PostWalk();
    // Under Lock: posts a reader for a page that waits, unless every pool thread reads.
    void PostReader();
    // Under Lock: keeps the failure and stops everything.
    void Fail(std::exception_ptr Error);
    bool Stopping() const { return StopToken.stop_requested(); }

    const TScanRules Rules;
    TFolderWalk Walk; // used by one walking task at a time
    TTaskGroup Tasks;
    const std::stop_token StopToken = Tasks.StopToken();
    const int MaxReaders;

    std::mutex Lock; // guards what follows
    std::condition_variable ItemsReady;
    std::deque<TSlot> Slots;
    std::uint64_t FrontSequence = 0; // the number of the first slot in the walk's order
    std::uint64_t NextUnread = 0;    // from where the readers look for work
    bool Walking = false, WalkDone = false, ConsumerWaits = false;
    int Readers = 0; // posted or reading
    std::exception_ptr Failure;
};

} // namespace orvel
