// The reading side of the folder scan. A second thread walks the home folder in the scan's order,
// with the project's wildcards and excluded folders, and reads and extracts every HTML file
// ahead, while the scan's own thread turns what it finds into nodes and file objects in the same
// order, pumping events and watching Halt as it goes.
#pragma once

#include "analysis/PageReader.h"
#include "support/PathRules.h"
#include "support/SortedStringList.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
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
    enum TKind { ikFolder, ikFolderEnd, ikFile };
    TKind Kind = ikFile;
    std::string Name; // bare name of the folder or file
    std::string Path; // the file's path
    TReadPage Page;   // an HTML file as it was read ahead
};

class TScanPipeline {
public:
    // Starts walking Folder on the second thread.
    TScanPipeline(const std::string& Folder, TScanRules Rules);
    // Stops the walk within one file and waits for the thread.
    ~TScanPipeline();
    TScanPipeline(const TScanPipeline&) = delete;
    TScanPipeline& operator=(const TScanPipeline&) = delete;

    enum class TNext { nItem, nWaiting, nEnd };
    // The next item, waiting for it at most Timeout. At the end, rethrows what ended the walk.
    TNext Next(TScanItem& Item, std::chrono::milliseconds Timeout);

private:
    struct TFolderId {
        dev_t Device;
        ino_t Inode;
        bool operator==(const TFolderId&) const = default;
    };
    void Walk(const std::string& Folder);
    void WalkBelow(const std::string& FolderPath, std::vector<TFolderId>& Ancestors);
    void Emit(TScanItem&& Item);
    bool Stopping() const { return Stop.load(std::memory_order_relaxed); }

    const TScanRules Rules;
    std::string Buffer; // the text of the file being read
    std::atomic<bool> Stop{false};

    std::mutex Lock; // guards what follows
    std::condition_variable ItemsReady, RoomReady;
    std::deque<TScanItem> Items;
    bool Done = false;
    bool ConsumerWaits = false, ProducerWaits = false;
    std::exception_ptr Failure;

    std::thread Thread; // last: starts once everything above is in place
};

} // namespace orvel
