#include "support/DeleteFolder.h"

#include <dirent.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel {

namespace {
void AddOwnerWrite(const std::string& Path, const struct stat& St) {
    if (!(St.st_mode & S_IWUSR)) ::chmod(Path.c_str(), (St.st_mode & 07777) | S_IWUSR);
}
} // namespace

bool DelDir(const std::string& Folder, bool ClearReadOnly) {
    if (Folder.empty()) return false; // never the root folder by accident
    // A folder given as a symbolic link loses the link, never the entries of the folder it names.
    std::string Own = Folder;
    while (Own.size() > 1 && Own.back() == '/')
        Own.pop_back();
    struct stat OwnSt;
    if (::lstat(Own.c_str(), &OwnSt) == 0 && S_ISLNK(OwnSt.st_mode))
        return ::unlink(Own.c_str()) == 0;

    std::string Base = Folder;
    if (Base.empty() || Base.back() != '/') Base.push_back('/');
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
            if (!DelDir(Path, ClearReadOnly)) SubfolderFailed = true;
        } else {
            ::unlink(Path.c_str());
        }
    }
    ::closedir(Dir);
    if (SubfolderFailed) return false;
    ::rmdir(Base.c_str());
    struct stat St;
    return ::lstat(Base.c_str(), &St) != 0;
}

} // namespace orvel
