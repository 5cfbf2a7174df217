#include "analysis/FolderScan.h"

#include "analysis/FileObject.h"
#include "analysis/RunContext.h"
#include "support/Assertion.h"
#include "support/CodePage.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace orvel {

namespace {

struct TFolderId {
    dev_t Device;
    ino_t Inode;
    bool operator==(const TFolderId&) const = default;
};

// Case-insensitive order; names that differ only in case both stay, in byte order.
bool NameLess(const std::string& A, const std::string& B) {
    const int C = AnsiCompareText(A, B);
    return C != 0 ? C < 0 : A < B;
}

struct TFolderEntry {
    std::string Name;
    TFolderId Id;
};

// Whether an entry of the open folder is a folder, and which. Links are followed: a link to a
// folder is a folder, a dangling link a file. Where the details cannot be had (in a folder that
// can be listed but not searched) the entry's type decides, so a folder stays a folder; they
// are asked relative to the open folder, so no path-length limit applies.
bool IsFolderEntry(int FolderFd, const dirent& Entry, TFolderId& Id) {
    if (Entry.d_type != DT_DIR && Entry.d_type != DT_LNK && Entry.d_type != DT_UNKNOWN)
        return false;
    struct stat St;
    if (::fstatat(FolderFd, Entry.d_name, &St, 0) == 0) {
        Id = {St.st_dev, St.st_ino};
        return S_ISDIR(St.st_mode);
    }
    if (Entry.d_type != DT_UNKNOWN) return Entry.d_type == DT_DIR;
    return ::fstatat(FolderFd, Entry.d_name, &St, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(St.st_mode);
}

// The home folder and every folder above it, by the path as given and by the folders' own
// parents: none is entered from within the site, or a link to / would walk the whole system.
std::vector<TFolderId> HomeAndAncestors(const std::string& Home) {
    std::vector<TFolderId> Ids;
    struct stat St;
    for (size_t Slash = Home.find('/'); Slash != std::string::npos;
         Slash = Home.find('/', Slash + 1))
        if (::stat(Home.substr(0, Slash + 1).c_str(), &St) == 0)
            Ids.push_back({St.st_dev, St.st_ino});
    if (::stat(Home.c_str(), &St) == 0) Ids.push_back({St.st_dev, St.st_ino});
    int Fd = ::open(Home.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (Fd >= 0 && ::fstat(Fd, &St) == 0) {
        const TFolderId Id{St.st_dev, St.st_ino};
        if (std::find(Ids.begin(), Ids.end(), Id) == Ids.end()) Ids.push_back(Id);
        const int Parent = ::openat(Fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(Fd);
        Fd = Parent;
        if (Fd >= 0 && ::fstat(Fd, &St) == 0 && TFolderId{St.st_dev, St.st_ino} == Id) break;
    }
    if (Fd >= 0) ::close(Fd);
    return Ids;
}

void ScanFolderBelow(TRunContext& Run, const std::string& FolderPath, TTreeNode& Parent,
                     std::vector<TFolderId>& Ancestors) {
    const std::string Folder = IncludeTrailingSeparator(FolderPath, Run.PathStyle());
    std::vector<std::string> Files;
    std::vector<TFolderEntry> Folders;
    if (DIR* Dir = ::opendir(Folder.c_str())) {
        while (const dirent* Entry = ::readdir(Dir)) {
            Run.Pump();
            if (Run.Halted) break;
            const std::string Name = Entry->d_name;
            if (Name == "." || Name == "..") continue;
            TFolderId Id{};
            if (IsFolderEntry(::dirfd(Dir), *Entry, Id))
                Folders.push_back({Name, Id});
            else if (!Run.CurrentProject.MatchesWildCard(Name, Run.Settings.IgnoreCase))
                Files.push_back(Name);
        }
        ::closedir(Dir);
    }
    std::sort(Folders.begin(), Folders.end(), [](const TFolderEntry& A, const TFolderEntry& B) {
        return NameLess(A.Name, B.Name);
    });
    std::sort(Files.begin(), Files.end(), NameLess);

    for (const TFolderEntry& Sub : Folders) {
        Run.Pump();
        if (Run.Halted) return;
        if (Run.CurrentProject.IsIgnoredFolder(Folder + Sub.Name)) continue;
        TTreeNode& Node = Run.Tree.AddChild(Parent, Sub.Name);
        Run.Tree.SetImage(Node, pic::FolderProblem);
        Run.Tree.SetSelectedImage(Node, pic::FolderProblemOpen);
        Run.FolderNodes.push_back(&Node);
        // A folder already on the path from the home folder, or above it, is shown but not
        // entered again.
        if (std::find(Ancestors.begin(), Ancestors.end(), Sub.Id) != Ancestors.end()) continue;
        Ancestors.push_back(Sub.Id);
        ScanFolderBelow(Run, Folder + Sub.Name, Node, Ancestors);
        Ancestors.pop_back();
    }
    for (const std::string& Name : Files) {
        Run.Pump();
        if (Run.Halted) return;
        Run.SetStatusText(Name);
        AddFile(Run, Folder + Name, Parent);
    }
}

} // namespace

void ScanFolder(TRunContext& Run, const std::string& Folder, TTreeNode& Parent) {
    std::vector<TFolderId> Ancestors = HomeAndAncestors(Folder);
    ScanFolderBelow(Run, Folder, Parent, Ancestors);
}

void AddFile(TRunContext& Run, const std::string& FilePath, TTreeNode& Parent) {
    TTreeNode& Node = Run.Tree.AddChild(Parent, BareFileName(FilePath, Run.PathStyle()));
    TFileObject& Object = TFileObject::Create(Run, Node);
    Node.Data = &Object;
    Object.SetPath(FilePath);
    for (const std::string& Anchor : Object.Anchors) {
        TTreeNode& AnchorNode = Run.Tree.AddChild(Node, Anchor);
        Run.Tree.SetImage(AnchorNode, pic::Empty);
        Run.Tree.SetSelectedImage(AnchorNode, pic::Empty);
        Run.Tree.SetStateImage(AnchorNode, pic::NotReached);
    }
    Object.SetReachState(rsUnreached);
    Run.SetFileCountText("総ファイル数 " + std::to_string(Run.FileObjects.Count()));
}

void ScanHomeFolder(TRunContext& Run, const std::string& HomeDir) {
    Run.BeginBusy();
    Run.Pump();
    Run.Tree.Select(nullptr);
    Run.Tree.BeginUpdate();
    // The previous tree is always removed whole, so no node outlives its file object; a halt
    // is honoured after it.
    Run.Tree.DeleteChildren(Run.Tree.Root());
    Run.Host.ClearLinkLists();
    Run.FileObjects.Clear();
    Assert(Run.FileObjects.Empty(), "FolderScan");
    Run.FolderNodes.clear();
    if (!Run.Halted) ScanFolder(Run, HomeDir, Run.Tree.Root());
    Run.SetStatusText("リンク先の有無をチェック中");
    for (auto& Object : Run.FileObjects) {
        Run.Pump();
        Object->ClassifyLinks();
    }
    Run.Tree.Expand(Run.Tree.Root());
    Run.Tree.EndUpdate();
    Run.EndBusy();
}

} // namespace orvel
