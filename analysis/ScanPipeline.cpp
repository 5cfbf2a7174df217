#include "analysis/ScanPipeline.h"

#include "analysis/RunContext.h"
#include "support/CodePage.h"
#include "support/StringUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel {

namespace {

// Items found ahead of the scan's thread at most (enough for what the readers do between two
// event pumps), how many make it worth waking that thread early, and readers at most.
constexpr size_t MaxItems = 4096, WakeBatch = 512;
constexpr unsigned MaxReaders = 4;

// Case-insensitive order; names that differ only in case both stay, in byte order.
bool NameLess(const std::string& A, const std::string& B) {
    const int C = AnsiCompareText(A, B);
    return C != 0 ? C < 0 : A < B;
}

// What an entry of a folder is, links followed: a link to a folder is a folder, a dangling
// link no regular file. Unknown when the details cannot be had.
enum class TEntryType { etFolder, etRegular, etSpecial, etUnknown };

// An extraction on the reading thread: it stops when the scan does.
class TStopProgress final : public TExtractProgress {
public:
    explicit TStopProgress(const std::atomic<bool>& Stop) : Stop(Stop) {}
    void StageBegins(TExtractStage) override {}
    bool Step(long long) override { return Stop.load(std::memory_order_relaxed); }

private:
    const std::atomic<bool>& Stop;
};

} // namespace

TScanRules TScanRules::Of(const TRunContext& Run) {
    TScanRules Rules;
    Rules.PathStyle = Run.PathStyle();
    Rules.IgnoreCase = Run.Settings.IgnoreCase;
    Rules.WildCards = Run.CurrentProject.WildCards;
    Rules.ExtListHTML = Run.Settings.ExtListHTML;
    Rules.ExtListImg = Run.Settings.ExtListImg;
    Rules.IgnoreHTMLInfo = Run.Settings.IgnoreHTMLInfo;
    if (Rules.IgnoreHTMLInfo) Rules.IgnoreFiles = Run.CurrentProject.IgnoreFiles;
    Rules.Extract = ExtractOptionsOf(Run.Settings);
    return Rules;
}

TScanPipeline::TScanPipeline(const std::string& Folder, TScanRules Rules)
    : Rules(std::move(Rules)) {
    const unsigned Readers = std::clamp(std::thread::hardware_concurrency(), 1u, MaxReaders);
    try {
        Threads.emplace_back([this, Folder] { Walk(Folder); });
        for (unsigned I = 0; I < Readers; ++I)
            Threads.emplace_back([this] { ReadAhead(); });
    } catch (...) {
        StopAndJoin();
        throw;
    }
}

TScanPipeline::~TScanPipeline() {
    StopAndJoin();
}

void TScanPipeline::StopAndJoin() {
    {
        std::lock_guard<std::mutex> Guard(Lock);
        Stop.store(true, std::memory_order_relaxed);
    }
    RoomReady.notify_all();
    WorkReady.notify_all();
    for (std::thread& Thread : Threads)
        if (Thread.joinable()) Thread.join();
}

TScanPipeline::TNext TScanPipeline::Next(TScanItem& Item, std::chrono::milliseconds Timeout) {
    std::unique_lock<std::mutex> Guard(Lock);
    const auto Available = [&] {
        return Failure || (Slots.empty() ? WalkDone : Slots.front().Ready);
    };
    if (!Available()) {
        ConsumerWaits = true;
        ItemsReady.wait_for(Guard, Timeout, Available);
        ConsumerWaits = false;
        ReadySinceWake = 0;
    }
    if (Failure) std::rethrow_exception(Failure);
    if (Slots.empty()) return WalkDone ? TNext::nEnd : TNext::nWaiting;
    if (!Slots.front().Ready) return TNext::nWaiting;
    Item = std::move(Slots.front().Item);
    Slots.pop_front();
    ++FrontSequence;
    const bool Wake = WalkerWaits && Slots.size() <= MaxItems / 2;
    Guard.unlock();
    if (Wake) RoomReady.notify_one();
    return TNext::nItem;
}

void TScanPipeline::ItemReady(bool Last) {
    // The scan's thread wakes by itself at every event pump: waking it for every item would
    // cost more than taking the item.
    if (ConsumerWaits && (++ReadySinceWake >= WakeBatch || Last)) {
        ReadySinceWake = 0;
        ItemsReady.notify_one();
    }
}

void TScanPipeline::Emit(TScanItem&& Item, bool Read, TSeenEntry Seen) {
    std::unique_lock<std::mutex> Guard(Lock);
    while (Slots.size() >= MaxItems && !Stopping()) {
        WalkerWaits = true;
        RoomReady.wait(Guard);
        WalkerWaits = false;
    }
    if (Stopping()) return;
    Slots.push_back({std::move(Item), Seen, Read, !Read});
    if (Read && ReadersWaiting > 0) WorkReady.notify_one();
    if (!Read) ItemReady(false);
}

void TScanPipeline::ReadAhead() {
    std::string Buffer; // the text of the file being read
    TStopProgress Progress(Stop);
    std::unique_lock<std::mutex> Guard(Lock);
    while (!Stopping()) {
        const std::uint64_t End = FrontSequence + Slots.size();
        NextUnread = std::max(NextUnread, FrontSequence);
        while (NextUnread < End && !Slots[NextUnread - FrontSequence].Unread)
            ++NextUnread;
        if (NextUnread == End) {
            if (WalkDone) return;
            ++ReadersWaiting;
            WorkReady.wait(Guard);
            --ReadersWaiting;
            continue;
        }
        // The slot stays where it is until it is ready: no one else touches it meanwhile.
        TSlot& Slot = Slots[NextUnread++ - FrontSequence];
        Slot.Unread = false;
        Guard.unlock();
        try {
            Slot.Item.Page = ReadPage(Slot.Item.Path, Rules.Extract, Progress, Buffer, Slot.Seen);
        } catch (...) {
            Guard.lock();
            if (!Failure) Failure = std::current_exception();
            Stop.store(true, std::memory_order_relaxed);
            ItemsReady.notify_one();
            return;
        }
        Guard.lock();
        Slot.Ready = true;
        ItemReady(WalkDone && &Slot == &Slots.back());
    }
}

namespace {

TEntryType EntryType(int FolderFd, const dirent& Entry, dev_t& Device, ino_t& Inode) {
    if (Entry.d_type == DT_REG) return TEntryType::etRegular;
    if (Entry.d_type != DT_DIR && Entry.d_type != DT_LNK && Entry.d_type != DT_UNKNOWN)
        return TEntryType::etSpecial;
    // Asked relative to the open folder, so no path-length limit applies. Where the details
    // cannot be had (in a folder that can be listed but not searched) the entry's type
    // decides, so a folder stays a folder.
    struct stat St;
    if (::fstatat(FolderFd, Entry.d_name, &St, 0) == 0) {
        Device = St.st_dev;
        Inode = St.st_ino;
        if (S_ISDIR(St.st_mode)) return TEntryType::etFolder;
        return S_ISREG(St.st_mode) ? TEntryType::etRegular : TEntryType::etSpecial;
    }
    if (Entry.d_type != DT_UNKNOWN)
        return Entry.d_type == DT_DIR ? TEntryType::etFolder : TEntryType::etUnknown;
    const bool Folder =
        ::fstatat(FolderFd, Entry.d_name, &St, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(St.st_mode);
    return Folder ? TEntryType::etFolder : TEntryType::etUnknown;
}

// Whether the file object of the entry will read it, which the reading thread does ahead.
bool IsReadAhead(const TScanRules& Rules, const std::string& Path, TEntryType EntryKind) {
    if (EntryKind == TEntryType::etSpecial) return false;
    const TFileKind Kind = FileKindOf(AnsiUpperCase(ExtractExtension(Path, Rules.PathStyle)),
                                      Rules.ExtListHTML, Rules.ExtListImg);
    if (Kind != fkHtml) return false;
    if (Rules.IgnoreHTMLInfo && IsIgnoreFile(Rules.IgnoreFiles, Path)) return false;
    // Sockets, FIFOs, devices and dangling links are files of the site that are never read.
    return EntryKind == TEntryType::etRegular || !IsSpecialEntry(Path);
}

} // namespace

namespace {
std::string UnlistedReason(int Error) {
    switch (Error) {
    case EACCES:
        return "フォルダの中を見る権限がありません";
    case ENAMETOOLONG:
        return "パスが長すぎます";
    default:
        return std::strerror(Error);
    }
}
} // namespace

void TScanPipeline::Walk(const std::string& Folder) {
    try {
        // The home folder and every folder above it, by the path as given and by the folders'
        // own parents: none is entered from within the site, or a link to / would walk the
        // whole system.
        struct stat St;
        for (size_t Slash = Folder.find('/'); Slash != std::string::npos;
             Slash = Folder.find('/', Slash + 1))
            if (::stat(Folder.substr(0, Slash + 1).c_str(), &St) == 0)
                Listed.try_emplace({St.st_dev, St.st_ino}, Folder.substr(0, Slash + 1));
        if (::stat(Folder.c_str(), &St) == 0) Listed.try_emplace({St.st_dev, St.st_ino}, Folder);
        std::string Above = IncludeTrailingSeparator(Folder, Rules.PathStyle);
        int Fd = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        while (Fd >= 0 && ::fstat(Fd, &St) == 0) {
            const TFolderId Id{St.st_dev, St.st_ino};
            Listed.try_emplace(Id, Above);
            Above += "../";
            const int Parent = ::openat(Fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(Fd);
            Fd = Parent;
            if (Fd >= 0 && ::fstat(Fd, &St) == 0 && TFolderId{St.st_dev, St.st_ino} == Id) break;
        }
        if (Fd >= 0) ::close(Fd);
        WalkBelow(Folder);
    } catch (...) {
        std::lock_guard<std::mutex> Guard(Lock);
        if (!Failure) Failure = std::current_exception();
    }
    std::lock_guard<std::mutex> Guard(Lock);
    WalkDone = true;
    WorkReady.notify_all();
    ItemsReady.notify_one();
}

void TScanPipeline::WalkBelow(const std::string& FolderPath) {
    const std::string Folder = IncludeTrailingSeparator(FolderPath, Rules.PathStyle);
    struct TFolderEntry {
        std::string Name;
        TFolderId Id;
    };
    struct TFileEntry {
        std::string Name;
        TEntryType Type;
    };
    std::vector<TFolderEntry> Folders;
    std::vector<TFileEntry> Files;
    if (DIR* Dir = ::opendir(Folder.c_str())) {
        while (const dirent* Entry = ::readdir(Dir)) {
            if (Stopping()) break;
            std::string Name = Entry->d_name;
            if (Name == "." || Name == "..") continue;
            TFolderId Id{};
            const TEntryType Type = EntryType(::dirfd(Dir), *Entry, Id.Device, Id.Inode);
            if (Type == TEntryType::etFolder)
                Folders.push_back({std::move(Name), Id});
            else if (!MatchesWildCard(Rules.WildCards, Name, Rules.IgnoreCase, Rules.PathStyle))
                Files.push_back({std::move(Name), Type});
        }
        ::closedir(Dir);
    } else {
        Emit({TScanItem::ikUnlisted, {}, Folder, UnlistedReason(errno), {}}, false,
             TSeenEntry::seUnknown);
    }
    std::sort(Folders.begin(), Folders.end(), [](const TFolderEntry& A, const TFolderEntry& B) {
        return NameLess(A.Name, B.Name);
    });
    std::sort(Files.begin(), Files.end(),
              [](const TFileEntry& A, const TFileEntry& B) { return NameLess(A.Name, B.Name); });

    for (TFolderEntry& Sub : Folders) {
        if (Stopping()) return;
        const std::string SubPath = Folder + Sub.Name;
        if (IsIgnoredFolder(Rules.WildCards, SubPath, Rules.PathStyle)) continue;
        // A folder listed before, through another link or above the home folder, is shown but
        // not entered again.
        const auto [First, New] = Listed.try_emplace(Sub.Id, SubPath);
        Emit({TScanItem::ikFolder,
              std::move(Sub.Name),
              SubPath,
              New ? std::string() : First->second,
              {}},
             false, TSeenEntry::seUnknown);
        if (New) WalkBelow(SubPath);
        Emit({TScanItem::ikFolderEnd, {}, {}, {}, {}}, false, TSeenEntry::seUnknown);
    }
    for (TFileEntry& File : Files) {
        if (Stopping()) return;
        TScanItem Item{TScanItem::ikFile, std::move(File.Name), Folder, {}, {}};
        Item.Path += Item.Name;
        const bool Read = IsReadAhead(Rules, Item.Path, File.Type);
        Emit(std::move(Item), Read,
             File.Type == TEntryType::etRegular ? TSeenEntry::seRegularFile
                                                : TSeenEntry::seUnknown);
    }
}

} // namespace orvel
