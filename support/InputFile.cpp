#include "support/InputFile.h"

#include "support/Translation.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel {

namespace {
TFileStamp StampOf(const struct stat& St) {
    return {static_cast<std::uint64_t>(St.st_size), static_cast<std::uint64_t>(St.st_ino),
            static_cast<std::int64_t>(St.st_mtim.tv_sec) * 1000000000 + St.st_mtim.tv_nsec};
}
} // namespace

std::optional<TFileStamp> StampOf(const std::string& Path) {
    struct stat St;
    if (::stat(Path.c_str(), &St) != 0) return std::nullopt;
    return StampOf(St);
}

TInputFile::TInputFile(const std::string& FilePath, TSeenEntry Seen) : Path(FilePath) {
    const auto Fail = [&](const std::string& Reason) {
        throw EInOutError(Tr("cannot open file ") + Path + ": " + Reason);
    };
    // The system would read such a path only up to its NUL: another file.
    if (Path.find('\0') != std::string::npos) Fail(Tr("the path holds a NUL byte"));
    struct stat St;
    if (Seen != TSeenEntry::seRegularFile) {
        if (::stat(Path.c_str(), &St) != 0) Fail(std::strerror(errno));
        if (!S_ISREG(St.st_mode)) Fail(Tr("not a regular file"));
    }
    // O_NONBLOCK: should a FIFO have taken the file's place by now, opening it does not wait.
    Fd = ::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (Fd < 0) Fail(std::strerror(errno));
    if (::fstat(Fd, &St) != 0 || !S_ISREG(St.st_mode)) {
        ::close(Fd);
        Fd = -1;
        Fail(Tr("not a regular file"));
    }
    FileSize = static_cast<size_t>(St.st_size);
    Opened = StampOf(St);
}

TInputFile::~TInputFile() {
    if (Fd >= 0) ::close(Fd);
}

size_t TInputFile::Read(char* Buffer, size_t Count) {
    size_t Done = 0;
    while (Done < Count) {
        const ssize_t N = ::read(Fd, Buffer + Done, Count - Done);
        if (N < 0 && errno == EINTR) continue;
        if (N < 0) throw EInOutError(Tr("cannot read file ") + Path + ": " + std::strerror(errno));

        if (N == 0) break;
        Done += static_cast<size_t>(N);
    }
    return Done;
}

} // namespace orvel
