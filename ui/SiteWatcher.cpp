#include "ui/SiteWatcher.h"

#include "analysis/RunContext.h"
#include "analysis/SiteUpdate.h"

#include <QApplication>
#include <QSocketNotifier>
#include <climits>
#include <sys/inotify.h>
#include <unistd.h>
#include <unordered_set>

namespace orvel::ui {

namespace {
constexpr int SettleMilliseconds = 300;
// Written, created, deleted or renamed entries of a folder, and the folder itself going.
constexpr std::uint32_t FolderEvents = IN_CLOSE_WRITE | IN_MODIFY | IN_CREATE | IN_DELETE |
                                       IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                                       IN_ONLYDIR;
} // namespace

TSiteWatcher::TSiteWatcher(TRunContext& RunContext, std::function<void()> ReopenSite,
                           QObject* Parent)
    : QObject(Parent), Run(RunContext), Reopen(std::move(ReopenSite)),
      Fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    Settle.setSingleShot(true);
    Settle.setInterval(SettleMilliseconds);
    connect(&Settle, &QTimer::timeout, this, &TSiteWatcher::TakeIn);
    if (Fd < 0) return; // no watching: the results follow the program's own changes only
    Notifier = new QSocketNotifier(Fd, QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, &TSiteWatcher::ReadEvents);
}

TSiteWatcher::~TSiteWatcher() {
    if (Fd >= 0) ::close(Fd);
}

void TSiteWatcher::Follow() {
    if (Fd < 0 || Run.Busy() || Watched == Run.FileObjects.Membership()) return;
    Watched = Run.FileObjects.Membership();
    std::unordered_set<std::string> Wanted;
    if (!Run.CurrentProject.HomeDir.empty()) {
        const char Separator = PathSeparator(Run.PathStyle());
        Wanted.insert(Run.CurrentProject.HomeDir);
        for (const TTreeNode* Folder : Run.FolderNodes)
            Wanted.insert(Run.CurrentProject.HomeDir + TextPath(*Folder) + Separator);
    }
    for (auto It = Folders.begin(); It != Folders.end();) {
        if (Wanted.erase(It->second)) {
            ++It;
            continue;
        }
        ::inotify_rm_watch(Fd, It->first);
        It = Folders.erase(It);
    }
    // A folder that cannot be watched (the user's limit of watches reached) is not followed.
    for (const std::string& Folder : Wanted)
        if (const int Watch = ::inotify_add_watch(Fd, Folder.c_str(), FolderEvents); Watch >= 0)
            Folders[Watch] = Folder;
}

void TSiteWatcher::ReadEvents() {
    alignas(inotify_event) char Buffer[64 * (sizeof(inotify_event) + NAME_MAX + 1)];
    for (;;) {
        const ssize_t Size = ::read(Fd, Buffer, sizeof Buffer);
        if (Size <= 0) break;
        for (ssize_t At = 0; At < Size;) {
            const auto* Event = reinterpret_cast<const inotify_event*>(Buffer + At);
            At += static_cast<ssize_t>(sizeof(inotify_event) + Event->len);
            if (Event->mask & IN_Q_OVERFLOW) {
                Noticed.push_back(Run.CurrentProject.HomeDir); // events lost: anything may be new
                continue;
            }
            if (Event->mask & IN_IGNORED) {
                Folders.erase(Event->wd);
                continue;
            }
            const auto Folder = Folders.find(Event->wd);
            if (Folder == Folders.end()) continue;
            if (Event->mask & (IN_DELETE_SELF | IN_MOVE_SELF))
                Noticed.push_back(Folder->second);
            else if (Event->len > 0)
                Noticed.push_back(Folder->second + Event->name);
        }
    }
    if (!Noticed.empty()) Settle.start();
}

void TSiteWatcher::TakeIn() {
    // Not under a run, nor under a dialog that may hold the file objects it was opened on.
    if (Run.Busy() || QApplication::activeModalWidget()) {
        Settle.start();
        return;
    }
    std::vector<std::string> Paths;
    Paths.swap(Noticed);
    const TDiskChanges Changes = FindDiskChanges(Run, Paths);
    if (Changes.Unknown)
        Reopen();
    else if (!Changes.Changed.empty() || !Changes.Gone.empty())
        ApplyDiskChanges(Run, Changes);
    Follow();
}

} // namespace orvel::ui
