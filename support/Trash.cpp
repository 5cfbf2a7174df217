#include "support/Trash.h"

#include "support/Translation.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel {

namespace {

std::optional<dev_t> LstatDevice(const std::string& Path) {
    struct stat St;
    if (::lstat(Path.c_str(), &St) != 0) return std::nullopt;
    return St.st_dev;
}

// The folder that holds Path (absolute, without a trailing separator).
std::string Parent(const std::string& Path) {
    const size_t Slash = Path.find_last_of('/');
    return Slash == 0 || Slash == std::string::npos ? "/" : Path.substr(0, Slash);
}

// Makes Folder with "files" and "info" in it, for the user alone; true when all three are
// folders (Folder may be a link to one).
bool MakeTrashFolders(const std::string& Folder) {
    for (const char* Sub : {"", "/files", "/info"}) {
        const std::string Path = Folder + Sub;
        struct stat St;
        if (::mkdir(Path.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (::stat(Path.c_str(), &St) != 0 || !S_ISDIR(St.st_mode)) return false;
    }
    return true;
}

// Makes Folder and the folders above it that are missing.
void MakePath(const std::string& Folder) {
    for (size_t Slash = Folder.find('/', 1); Slash != std::string::npos;
         Slash = Folder.find('/', Slash + 1))
        ::mkdir(Folder.substr(0, Slash).c_str(), 0700);
    ::mkdir(Folder.c_str(), 0700);
}

// Every byte but the unreserved ones and "/" as %XX, as a trashinfo's Path is written.
std::string PercentEncoded(const std::string& Path) {
    static const char* const Hex = "0123456789ABCDEF";
    std::string Result;
    for (const char C : Path) {
        const unsigned char B = static_cast<unsigned char>(C);
        if ((B >= 'A' && B <= 'Z') || (B >= 'a' && B <= 'z') || (B >= '0' && B <= '9') ||
            std::strchr("-._~/", C)) {
            Result += C;
        } else {
            Result += '%';
            Result += Hex[B >> 4];
            Result += Hex[B & 15];
        }
    }
    return Result;
}

std::string LocalTimeNow() {
    const std::time_t Now = std::time(nullptr);
    std::tm Local{};
    ::localtime_r(&Now, &Local);
    char Text[32];
    std::strftime(Text, sizeof Text, "%Y-%m-%dT%H:%M:%S", &Local);
    return Text;
}

// A trash for a path: its folder, and the path its trashinfo names (relative to the top of the
// file system for a trash there).
struct TTrashFolder {
    std::string Folder;
    std::string InfoPath;
};

std::optional<TTrashFolder> TrashFor(const std::string& Path, const TTrashPlaces& Places,
                                     std::string& Reason) {
    const std::optional<dev_t> Device = Places.DeviceOf(Path);
    if (!Device) {
        Reason = Path + Tr(" が見つかりません");
        return std::nullopt;
    }
    // The home trash, where it is a folder or a link to a folder of the user's own.
    if (!Places.DataHome.empty()) {
        const std::string Home = Places.DataHome + "/Trash";
        struct stat St;
        if (::lstat(Home.c_str(), &St) != 0) MakePath(Places.DataHome);
        const bool Linked = ::lstat(Home.c_str(), &St) == 0 && S_ISLNK(St.st_mode);
        const bool Own = !Linked || (::stat(Home.c_str(), &St) == 0 && S_ISDIR(St.st_mode) &&
                                     St.st_uid == ::getuid());
        char Real[PATH_MAX];
        if (Own && MakeTrashFolders(Home) && ::realpath(Home.c_str(), Real) &&
            Places.DeviceOf(Real) == Device)
            return TTrashFolder{Home, Path};
    }
    // Else the top of the path's own file system.
    std::string Top = Parent(Path);
    while (Top != "/" && Places.DeviceOf(Parent(Top)) == Device)
        Top = Parent(Top);
    const std::string TopSlash = Top == "/" ? Top : Top + "/";
    const std::string Relative = Path.substr(TopSlash.size());
    const std::string Uid = std::to_string(::getuid());
    struct stat St;
    // $top/.Trash/$uid where the administrator made $top/.Trash a sticky folder, no link.
    const std::string Shared = TopSlash + ".Trash";
    if (::lstat(Shared.c_str(), &St) == 0 && S_ISDIR(St.st_mode) && (St.st_mode & S_ISVTX) &&
        MakeTrashFolders(Shared + "/" + Uid))
        return TTrashFolder{Shared + "/" + Uid, Relative};
    const std::string Own = TopSlash + ".Trash-" + Uid;
    const bool Usable =
        ::lstat(Own.c_str(), &St) != 0
            ? MakeTrashFolders(Own)
            : S_ISDIR(St.st_mode) && St.st_uid == ::getuid() && MakeTrashFolders(Own);
    if (Usable) return TTrashFolder{Own, Relative};
    Reason = Top + Tr(" にゴミ箱を作れません");
    return std::nullopt;
}

} // namespace

TTrashPlaces TTrashPlaces::OfUser() {
    TTrashPlaces Places;
    const char* Data = std::getenv("XDG_DATA_HOME");
    if (Data && Data[0] == '/') {
        Places.DataHome = Data;
    } else {
        const char* Home = std::getenv("HOME");
        const passwd* User = Home && Home[0] ? nullptr : ::getpwuid(::getuid());
        const std::string HomeDir = Home && Home[0] ? Home : User ? User->pw_dir : "";
        if (!HomeDir.empty()) Places.DataHome = HomeDir + "/.local/share";
    }
    Places.DeviceOf = LstatDevice;
    return Places;
}

TTrashResult MoveToTrash(const std::string& Given, const TTrashPlaces& Places) {
    std::string Path = Given;
    while (Path.size() > 1 && Path.back() == '/')
        Path.pop_back();
    TTrashResult Result;
    const std::optional<TTrashFolder> Trash = TrashFor(Path, Places, Result.Reason);
    if (!Trash) return Result;
    const std::string Name = Path.substr(Path.find_last_of('/') + 1);
    const std::string Info = "[Trash Info]\nPath=" + PercentEncoded(Trash->InfoPath) +
                             "\nDeletionDate=" + LocalTimeNow() + "\n";
    // The info file is made first, exclusively: it claims the name in "files".
    for (int Copy = 1; Copy < 10000; ++Copy) {
        const std::string Unique = Copy == 1 ? Name : Name + "." + std::to_string(Copy);
        const std::string InfoFile = Trash->Folder + "/info/" + Unique + ".trashinfo";
        const int Fd = ::open(InfoFile.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (Fd < 0 && errno == EEXIST) continue;
        if (Fd < 0) {
            Result.Reason = InfoFile + Tr(" を作れません");
            return Result;
        }
        const bool Written =
            ::write(Fd, Info.data(), Info.size()) == static_cast<ssize_t>(Info.size());
        const bool Closed = ::close(Fd) == 0;
        if (Written && Closed &&
            ::rename(Path.c_str(), (Trash->Folder + "/files/" + Unique).c_str()) == 0) {
            Result.Moved = true;
            return Result;
        }
        Result.Reason = Trash->Folder + Tr(" に移せません: ") + std::strerror(errno);
        ::unlink(InfoFile.c_str());
        return Result;
    }
    Result.Reason = Trash->Folder + Tr(" に同じ名前が多すぎます");

    return Result;
}

} // namespace orvel
