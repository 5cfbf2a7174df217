#include "analysis/FolderWalk.h"

#include "analysis/PageReader.h"
#include "analysis/RunContext.h"
#include "support/CodePage.h"
#include "support/StringUtils.h"
#include "support/Translation.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel {

namespace {

// Case-insensitive order; names that differ only in case both stay, in byte order.
bool NameLess(const std::string& A, const std::string& B) {
    const int C = AnsiCompareText(A, B);
    return C != 0 ? C < 0 : A < B;
}

std::string UnlistedReason(int Error) {
    switch (Error) {
    case EACCES:
        return Tr("フォルダの中を見る権限がありません");
    case ENAMETOOLONG:
        return Tr("パスが長すぎます");

    default:
        return std::strerror(Error);
    }
}

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

std::optional<TWalkStep> TFolderWalk::Next(const std::stop_token& Stop) {
    if (!Started) {
        Started = true;
        ListAboveHome();
        Enter(Home, false, Stop);
    }
    while (!Frames.empty() && !Stop.stop_requested()) {
        TFrame& Frame = Frames.back();
        if (!Frame.Unlisted.empty())
            return TWalkStep{
                TWalkStep::ikUnlisted, {}, Frame.Folder, std::exchange(Frame.Unlisted, {})};
        if (std::exchange(Frame.EndPending, false)) return TWalkStep{TWalkStep::ikFolderEnd};
        if (Frame.NextFolder < Frame.Folders.size()) {
            if (std::optional<TWalkStep> Step = NextSubfolder(Frame, Stop)) return Step;
            continue;
        }
        if (Frame.NextFile < Frame.Files.size())
            return FileStep(Frame, Frame.Files[Frame.NextFile++]);
        const bool EndsItem = Frame.EndsItem;
        Frames.pop_back();
        if (EndsItem) return TWalkStep{TWalkStep::ikFolderEnd};
    }
    return std::nullopt;
}

// The home folder and every folder above it, by the path as given and by the folders' own
// parents: none is entered from within the site, or a link to / would walk the whole system.
void TFolderWalk::ListAboveHome() {
    struct stat St;
    for (size_t Slash = Home.find('/'); Slash != std::string::npos;
         Slash = Home.find('/', Slash + 1))
        if (::stat(Home.substr(0, Slash + 1).c_str(), &St) == 0)
            Listed.try_emplace({St.st_dev, St.st_ino}, Home.substr(0, Slash + 1));
    if (::stat(Home.c_str(), &St) == 0) Listed.try_emplace({St.st_dev, St.st_ino}, Home);
    std::string Above = IncludeTrailingSeparator(Home, Rules.PathStyle);
    int Fd = ::open(Home.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
}

// Lists a folder into a new frame: its subfolders and the files the wildcards keep, sorted.
void TFolderWalk::Enter(const std::string& FolderPath, bool EndsItem, const std::stop_token& Stop) {
    TFrame Frame;
    Frame.Folder = IncludeTrailingSeparator(FolderPath, Rules.PathStyle);
    Frame.EndsItem = EndsItem;
    if (DIR* Dir = ::opendir(Frame.Folder.c_str())) {
        while (const dirent* Entry = ::readdir(Dir)) {
            if (Stop.stop_requested()) break;
            std::string Name = Entry->d_name;
            if (Name == "." || Name == "..") continue;
            TFolderId Id{};
            const TEntryType Type = EntryType(::dirfd(Dir), *Entry, Id);
            if (Type == TEntryType::etFolder)
                Frame.Folders.push_back({std::move(Name), Id});
            else if (!MatchesWildCard(Rules.WildCards, Name, Rules.IgnoreCase, Rules.PathStyle))
                Frame.Files.push_back({std::move(Name), Type});
        }
        ::closedir(Dir);
    } else {
        Frame.Unlisted = UnlistedReason(errno);
    }
    std::sort(
        Frame.Folders.begin(), Frame.Folders.end(),
        [](const TFolderEntry& A, const TFolderEntry& B) { return NameLess(A.Name, B.Name); });
    std::sort(Frame.Files.begin(), Frame.Files.end(),
              [](const TFileEntry& A, const TFileEntry& B) { return NameLess(A.Name, B.Name); });
    Frames.push_back(std::move(Frame));
}

// What an entry of a folder is, links followed: a link to a folder is a folder, a dangling link
// no regular file. Unknown when the details cannot be had.
TFolderWalk::TEntryType TFolderWalk::EntryType(int FolderFd, const dirent& Entry, TFolderId& Id) {
    if (Entry.d_type == DT_REG) return TEntryType::etRegular;
    if (Entry.d_type != DT_DIR && Entry.d_type != DT_LNK && Entry.d_type != DT_UNKNOWN)
        return TEntryType::etSpecial;
    // Asked relative to the open folder, so no path-length limit applies. Where the details
    // cannot be had (in a folder that can be listed but not searched) the entry's type
    // decides, so a folder stays a folder.
    struct stat St;
    if (::fstatat(FolderFd, Entry.d_name, &St, 0) == 0) {
        Id = {St.st_dev, St.st_ino};
        if (S_ISDIR(St.st_mode)) return TEntryType::etFolder;
        return S_ISREG(St.st_mode) ? TEntryType::etRegular : TEntryType::etSpecial;
    }
    if (Entry.d_type != DT_UNKNOWN)
        return Entry.d_type == DT_DIR ? TEntryType::etFolder : TEntryType::etUnknown;
    const bool Folder =
        ::fstatat(FolderFd, Entry.d_name, &St, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(St.st_mode);
    return Folder ? TEntryType::etFolder : TEntryType::etUnknown;
}

// The step for the frame's next subfolder, entering it when it is listed for the first time;
// none for an excluded folder.
std::optional<TWalkStep> TFolderWalk::NextSubfolder(TFrame& Frame, const std::stop_token& Stop) {
    TFolderEntry& Sub = Frame.Folders[Frame.NextFolder++];
    std::string SubPath = Frame.Folder + Sub.Name;
    if (IsIgnoredFolder(Rules.WildCards, SubPath, Rules.PathStyle)) return std::nullopt;
    const auto [First, New] = Listed.try_emplace(Sub.Id, SubPath);
    TWalkStep Step{TWalkStep::ikFolder, std::move(Sub.Name), SubPath,
                   New ? std::string() : First->second};
    if (New)
        Enter(SubPath, true, Stop); // Frame is not to be used from here on
    else
        Frame.EndPending = true;
    return Step;
}

TWalkStep TFolderWalk::FileStep(const TFrame& Frame, TFileEntry& File) const {
    TWalkStep Step{TWalkStep::ikFile, std::move(File.Name), Frame.Folder};
    Step.Path += Step.Name;
    Step.Seen =
        File.Type == TEntryType::etRegular ? TSeenEntry::seRegularFile : TSeenEntry::seUnknown;
    // Sockets, FIFOs, devices and dangling links are files of the site that are never read.
    if (File.Type == TEntryType::etSpecial) return Step;
    const TFileKind Kind = FileKindOf(AnsiUpperCase(ExtractExtension(Step.Path, Rules.PathStyle)),
                                      Rules.ExtListHTML, Rules.ExtListImg);
    Step.Read = Kind == fkHtml &&
                !(Rules.IgnoreHTMLInfo && IsIgnoreFile(Rules.IgnoreFiles, Step.Path)) &&
                (File.Type == TEntryType::etRegular || !IsSpecialEntry(Step.Path));
    return Step;
}

} // namespace orvel
