#include "support/SafeSave.h"

#include "support/PathRules.h"
#include "support/Translation.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace orvel {

namespace {

constexpr int MaxLinkHops = 40; // as the system's own limit for resolving a path
constexpr int MaxNameAttempts = 100;

[[noreturn]] void Fail(const std::string& Path, const std::string& Reason, int Code = 0) {
    throw ESaveError(Path, Reason, Code);
}

// Fails with the reason of a system call's error.
[[noreturn]] void FailWith(const std::string& Path, int Code) {
    Fail(Path, std::strerror(Code), Code);
}

// The file that a chain of symbolic links ends at; Path itself when it is no link.
std::string FinalTarget(const std::string& Path) {
    std::string Target = Path;
    for (int Hop = 0; Hop < MaxLinkHops; ++Hop) {
        struct stat St;
        if (::lstat(Target.c_str(), &St) != 0 || !S_ISLNK(St.st_mode)) return Target;
        std::string Link(static_cast<size_t>(St.st_size) + 1, '\0');
        const ssize_t N = ::readlink(Target.c_str(), Link.data(), Link.size());
        if (N < 0) FailWith(Path, errno);
        Link.resize(static_cast<size_t>(N));
        Target = !Link.empty() && Link[0] == '/'
                     ? Link
                     : ExtractFolder(Target, TPathStyle::psPosix) + Link;
    }
    FailWith(Path, ELOOP);
}

std::string RandomSuffix() {
    static const char Digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::random_device Source; // the system's unpredictable source
    std::string Suffix;
    for (int I = 0; I < 12; ++I)
        Suffix.push_back(Digits[Source() % 36]);
    return Suffix;
}

// Writes every byte; false with errno set on failure.
bool WriteAll(int Fd, std::string_view Content) {
    while (!Content.empty()) {
        const ssize_t N = ::write(Fd, Content.data(), Content.size());
        if (N < 0 && errno == EINTR) continue;
        if (N < 0) return false;
        Content.remove_prefix(static_cast<size_t>(N));
    }
    return true;
}

// Gives the new file the old one's extended attributes: ACLs, security labels, the user's own.
// What the system refuses to set (another's label, a trusted attribute) is left out.
void CopyExtendedAttributes(const std::string& From, int To) {
    const ssize_t Size = ::listxattr(From.c_str(), nullptr, 0);
    if (Size <= 0) return;
    std::string Names(static_cast<size_t>(Size), '\0');
    const ssize_t Listed = ::listxattr(From.c_str(), Names.data(), Names.size());
    if (Listed <= 0) return;
    Names.resize(static_cast<size_t>(Listed));
    std::string Value;
    for (size_t At = 0; At < Names.size(); At += std::strlen(Names.c_str() + At) + 1) {
        const char* Name = Names.c_str() + At;
        const ssize_t Length = ::getxattr(From.c_str(), Name, nullptr, 0);
        if (Length < 0) continue;
        Value.resize(static_cast<size_t>(Length));
        const ssize_t Got = ::getxattr(From.c_str(), Name, Value.data(), Value.size());
        if (Got >= 0) (void)!::fsetxattr(To, Name, Value.data(), static_cast<size_t>(Got), 0);
    }
}

void SyncFolder(const std::string& Folder) {
    const int Fd =
        ::open(Folder.empty() ? "." : Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Fd < 0) return; // the file is in place; a folder that cannot be synced changes nothing
    ::fsync(Fd);
    ::close(Fd);
}

} // namespace

void SaveFileSafely(const std::string& Path, std::string_view Content) {
    if (Path.empty() || Path.find('\0') != std::string::npos) Fail(Path, Tr("not a file name"));
    const std::string Target = FinalTarget(Path);
    struct stat Old;
    const bool Exists = ::stat(Target.c_str(), &Old) == 0;
    if (Exists && !S_ISREG(Old.st_mode)) Fail(Path, Tr("not a regular file"));

    const std::string Folder = ExtractFolder(Target, TPathStyle::psPosix);
    // Long names are cut so that the temporary name stays within the system's limit.
    const std::string Stem = "." + BareFileName(Target, TPathStyle::psPosix).substr(0, 200) + ".";
    std::string Temporary;
    int Fd = -1;
    for (int Attempt = 0; Fd < 0 && Attempt < MaxNameAttempts; ++Attempt) {
        Temporary = Folder + Stem + RandomSuffix();
        // A new file is made for the content as any new file would be (the umask applies);
        // one that replaces a file starts private and gets the old file's bits below.
        Fd = ::open(Temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    Exists ? 0600 : 0666);
        if (Fd < 0 && errno != EEXIST) FailWith(Path, errno);
    }
    if (Fd < 0) Fail(Path, Tr("no free temporary name"));

    bool Ok = true;
    if (Exists) {
        if (Old.st_uid != ::geteuid() || Old.st_gid != ::getegid())
            (void)!::fchown(Fd, Old.st_uid, Old.st_gid); // kept where the system allows it
        Ok = ::fchmod(Fd, Old.st_mode & 07777) == 0;
        if (Ok) CopyExtendedAttributes(Target, Fd); // after the mode, which an ACL refines
    }
    Ok = Ok && WriteAll(Fd, Content) && ::fsync(Fd) == 0;
    int Error = errno;
    if (::close(Fd) != 0 && Ok) {
        Ok = false;
        Error = errno;
    }
    if (Ok && ::rename(Temporary.c_str(), Target.c_str()) != 0) {
        Ok = false;
        Error = errno;
    }
    if (!Ok) {
        ::unlink(Temporary.c_str());
        FailWith(Path, Error);
    }
    SyncFolder(Folder);
}

} // namespace orvel
