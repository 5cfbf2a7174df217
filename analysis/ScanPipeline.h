// The reading side of the folder scan. One thread walks the home folder in the scan's order, with
// the project's wildcards and excluded folders, and a few others (one per core) read and extract
// the HTML files it finds, ahead of the scan's own thread, which turns what they find into nodes
// and file objects in the walk's order, pumping events and watching Halt as it goes.
#pragma once

#include "analysis/PageReader.h"
#include "support/PathRules.h"
#include "support/SortedStringList.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <unordered_map>
#include <vector>

namespace orvel {

class TRunContext;

// What the walk needs of the run: a copy, so the thread shares nothing that may change.
struct TScanRules {
    TPathStyle PathStyle = TPathStyle::psPosix;
    bool IgnoreCase = false;            // wildcards match without case
    std::vector<std::string> WildCards; // the project's patterns and excluded folders
    std::string ExtListHTML, ExtListImg;
    bool IgnoreHTMLInfo = false;   // the excluded files below are not read
    TSortedStringList IgnoreFiles; // only with IgnoreHTMLInfo
    TExtractOptions Extract;

    static TScanRules Of(const TRunContext& Run);
};

// One step of the scan, in the order in which the scan takes them.
struct TScanItem {
    enum TKind { ikFolder, ikFolderEnd, ikFile, ikUnlisted };
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
    TScanPipeline(const std::string& Folder, TScanRules Rules);
    // Stops the walk and the reading within one file and waits for the threads.
    ~TScanPipeline();
    TScanPipeline(const TScanPipeline&) = delete;
    TScanPipeline& operator=(const TScanPipeline&) = delete;

    enum class TNext { nItem, nWaiting, nEnd };
    // The next item, waiting for it at most Timeout. Rethrows what ended the walk or a reading.
    TNext Next(TScanItem& Item, std::chrono::milliseconds Timeout);

private:
    struct TFolderId {
        dev_t Device;
        ino_t Inode;
        bool operator==(const TFolderId&) const = default;
    };
    struct TFolderIdHash {
        size_t operator()(const TFolderId& Id) const noexcept {
            return std::hash<std::uint64_t>()(static_cast<std::uint64_t>(Id.Inode) *
                                                  0x9E3779B97F4A7C15ull ^
                                              static_cast<std::uint64_t>(Id.Device));
        }
    };
    // An item on its way: found by the walk, maybe waiting for a reader, then ready.
    struct TSlot {
        TScanItem Item;
        TSeenEntry Seen = TSeenEntry::seUnknown;
        bool Unread = false; // waits for a reader
        bool Ready = true;   // may be taken
    };
    void StopAndJoin();
    // Every real folder listed so far, and every folder above the home folder, with the path it
    // was found by: each is listed once, so links between folders cannot multiply the site.
    std::unordered_map<TFolderId, std::string, TFolderIdHash> Listed;
    void Walk(const std::string& Folder);
    void WalkBelow(const std::string& FolderPath);
    void Emit(TScanItem&& Item, bool Read, TSeenEntry Seen);
    void ReadAhead();
    // Under Lock: wakes the scan's thread when enough is ready for it.
    void ItemReady(bool Last);
    bool Stopping() const { return Stop.load(std::memory_order_relaxed); }

    const TScanRules Rules;
    std::atomic<bool> Stop{false};

    std::mutex Lock; // guards what follows
    std::condition_variable ItemsReady, RoomReady, WorkReady;
    std::deque<TSlot> Slots;         // references stay valid while others are added
    std::uint64_t FrontSequence = 0; // the number of the first slot in the walk's order
    std::uint64_t NextUnread = 0;    // from where the readers look for work
    size_t ReadySinceWake = 0;       // items made ready since the scan's thread last woke
    bool WalkDone = false;
    bool ConsumerWaits = false, WalkerWaits = false;
    int ReadersWaiting = 0;
    std::exception_ptr Failure;

    std::vector<std::thread> Threads; // the walk, then the readers
};

} // namespace orvel
