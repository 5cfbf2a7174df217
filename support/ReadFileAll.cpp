#include "support/ReadFileAll.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel {

namespace {
// Closes the descriptor on every path out of the reader.
struct TFileCloser {
    int Fd;
    ~TFileCloser() { ::close(Fd); }
};

bool IsControlByte(unsigned char B) {
    return B <= 8 || (B >= 16 && B <= 31);
}
} // namespace

std::string ReadFileAll(const std::string& Path, TMessageHost& Host) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    const int Fd = ::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat St;
    const bool Regular = Fd >= 0 && ::fstat(Fd, &St) == 0 && S_ISREG(St.st_mode);
    if (!Regular) {
        const std::string Reason = Fd >= 0 ? "not a regular file" : std::strerror(errno);
        if (Fd >= 0) ::close(Fd);
        Host.ShowMessageBox(TMessageKind::mkError, "ファイルをオープンできません\r\n" + Path);
        throw EInOutError("cannot open file " + Path + ": " + Reason);
    }
    TFileCloser Closer{Fd};

    std::string Result;
    try {
        Result.resize(static_cast<size_t>(St.st_size));
    } catch (const std::bad_alloc&) {
        Host.ShowMessageBox(TMessageKind::mkError, "メモリーを確保できません");
        throw;
    }
    size_t Done = 0;
    while (Done < Result.size()) {
        const ssize_t N = ::read(Fd, Result.data() + Done, Result.size() - Done);
        if (N < 0 && errno == EINTR) continue;
        if (N < 0) throw EInOutError("cannot read file " + Path + ": " + std::strerror(errno));
        if (N == 0) break; // the file shrank while it was read
        Done += static_cast<size_t>(N);
    }
    Result.resize(Done);
    std::replace(Result.begin(), Result.end(), '\0', ' ');

    const size_t N = std::min<size_t>(Result.size(), 200);
    const size_t Controls = static_cast<size_t>(
        std::count_if(Result.begin(), Result.begin() + static_cast<std::ptrdiff_t>(N),
                      [](char C) { return IsControlByte(static_cast<unsigned char>(C)); }));
    if (Controls > N / 10) throw ENotTextFileError();
    return Result;
}

} // namespace orvel
