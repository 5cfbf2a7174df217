// Everything one check run works on: the tree, the file objects, the project, the settings,
// the busy and halt state, the counters and the progress texts.
#pragma once

#include "analysis/ExternalLinks.h"
#include "analysis/FileObject.h"
#include "analysis/FileObjectList.h"
#include "analysis/Host.h"
#include "analysis/SiteFindings.h"
#include "analysis/SiteTree.h"
#include "analysis/UndoHistory.h"
#include "project/Project.h"
#include "project/Settings.h"
#include "support/BackgroundFree.h"
#include "support/FileSystem.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvel {

// Also the run's voice to the user: its message boxes and beeps go to the host only after the
// progress texts the run has set are on screen.
class TRunContext : public TMessageHost {
public:
    explicit TRunContext(THost& RunHost, TPathStyle Style = TPathStyle::psPosix);
    ~TRunContext();
    TRunContext(const TRunContext&) = delete;
    TRunContext& operator=(const TRunContext&) = delete;

    THost& Host;
    TSiteTree Tree;
    TOrvelProject CurrentProject;
    TSettings Settings;
    TFileObjectList FileObjects;           // every file object, in scan order
    std::vector<TTreeNode*> FolderNodes;   // not owned; every folder node below the root
    bool Halted = false;                   // set by Halt, polled by the long loops
    bool EndedHalted = false;              // the last busy section to close had been halted
    bool Closing = false;                  // the window closes: a halted run ends without report
    int BusyCount = 0;                     // nesting depth of busy sections; 0 is idle
    std::int32_t InvalidLinkTotal = 0;     // invalid links found in this run
    std::int32_t InvalidLinkFileCount = 0; // HTML files with invalid links in this run

    TBackgroundFree Leftovers;     // frees the results of the run before
    TSiteFindings Findings{*this}; // why links are invalid, and who links where
    TExternalFindings External;    // what the servers said of the external links, when asked

    // What can be undone, oldest first: the replacements and removals of every TOP mark made
    // since the program started.
    std::vector<TUndoStep> UndoSteps;

    const TFileSystem* FileSystem = &TFileSystem::Real(); // not owned

    // Longest time between two calls into the host's event pump; zero pumps at every item.
    std::chrono::milliseconds PumpInterval{15};

    TPathStyle PathStyle() const { return CurrentProject.PathStyle; }

    // Called between the items of every long loop; hands over to the host's pump when due.
    void Pump();
    // The same where no item was done, as while waiting: only the clock decides.
    void PumpWhenDue();
    void BeginBusy();
    // Closes a busy section; the cleared progress texts are on screen at once.
    void EndBusy();
    bool Busy() const { return BusyCount > 0; }

    const std::string& StatusText() const { return Status; }
    std::string CountText() const; // "count N", or empty
    const std::string& FileCountText() const { return FileCount; }
    void SetStatusText(std::string Text);
    // The two texts one after the other, without building the whole first.
    void SetStatusText(std::string_view First, std::string_view Second);
    void SetCount(long long Count);
    void ShowFileCount(); // of the file objects there are now
    // Hands the progress texts to the host if they differ from what it shows.
    void ShowProgress();

    // TMessageHost: shows the progress texts first.
    bool ShowMessageBox(TMessageKind Kind, const std::string& Text) override;
    bool ShowMessageBox(TMessageKind Kind, const std::string& Text,
                        const std::string& Details) override;
    void Beep(TBeepKind Kind) override;

    // What the last check could not read: folders that could not be listed, pages that could
    // not be read, each with why.
    struct TUnread {
        std::string Path, Reason;
    };
    std::vector<TUnread> Unread;

private:
    // While idle a text is shown at once; while busy at the next pump or EndBusy.
    void ProgressSet();

    std::string Status;
    long long Count = -1; // -1: no count shown
    std::string FileCount;
    std::string ShownStatus, ShownFileCount; // what the host was last given
    long long ShownCount = -1;
    std::chrono::steady_clock::time_point LastPump{};
    unsigned ItemsSincePump = 0;
};

} // namespace orvel
