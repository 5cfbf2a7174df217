#include "support/DeleteFolder.h"

#include "support/PathRules.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel {

namespace {
void AddOwnerWrite(const std::string& Path, const struct stat& St) {
    if (!(St.st_mode & S_IWUSR)) ::chmod(Path.c_str(), (St.st_mode & 07777) | S_IWUSR);
}

// The folder's path with its parent resolved (no ".", "..", or symbolic link before the last
// name), so that it names the same folder while the deletion removes what lies below it. A
// path ending in "." or ".." is resolved whole: it names the folder those entries stand for.
// Empty when there is no such folder.
std::string StablePath(const std::string& Folder) {
    std::string Own = Folder;
    while (Own.size() > 1 && Own.back() == '/')
        Own.pop_back();
    const std::string Name = BareFileName(Own, TPathStyle::psPosix);
    char Resolved[PATH_MAX];
    if (Name == "." || Name == ".." || Name.empty())
        return ::realpath(Own.c_str(), Resolved) ? Resolved : "";
    const std::string Parent = ExtractFolder(Own, TPathStyle::psPosix);
    if (!::realpath(Parent.empty() ? "." : Parent.c_str(), Resolved)) return "";
    return IncludeTrailingSeparator(Resolved, TPathStyle::psPosix) + Name;
}

bool IsGone(const std::string& Path) {
    struct stat St;
    return ::lstat(Path.c_str(), &St) != 0 && errno == ENOENT;
}

bool DeleteBelow(const std::string& Own, bool ClearReadOnly) {
    struct stat OwnSt;
    if (::lstat(Own.c_str(), &OwnSt) != 0) return false;
    // A folder given as a symbolic link loses the link, never the entries it leads to.
    if (S_ISLNK(OwnSt.st_mode)) return ::unlink(Own.c_str()) == 0 && IsGone(Own);
    if (!S_ISDIR(OwnSt.st_mode)) return false;
    const std::string Base = IncludeTrailingSeparator(Own, TPathStyle::psPosix);
    DIR* Dir = ::opendir(Base.c_str());
    if (!Dir) return false;
    bool SubfolderFailed = false;
    while (const dirent* Entry = ::readdir(Dir)) {
        const std::string_view Name = Entry->d_name;
        if (Name == "." || Name == "..") continue;
        const std::string Path = Base + std::string(Name);
        struct stat St;
        if (::lstat(Path.c_str(), &St) != 0) continue;
        if (ClearReadOnly && !S_ISLNK(St.st_mode)) AddOwnerWrite(Path, St);
        if (S_ISDIR(St.st_mode)) {
            if (!DeleteBelow(Path, ClearReadOnly)) SubfolderFailed = true;
        } else {
            ::unlink(Path.c_str());
        }
    }
    ::closedir(Dir);
    if (SubfolderFailed) return false;
    ::rmdir(Own.c_str());
    return IsGone(Own);
}
} // namespace

bool DeleteFolderTree(const std::string& Folder, bool ClearReadOnly) {
    if (Folder.empty()) return false; // never the current folder by accident
    const std::string Own = StablePath(Folder);
    return !Own.empty() && Own != "/" && DeleteBelow(Own, ClearReadOnly);
}

} // namespace orvel
