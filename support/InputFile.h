// Opening files for reading. Only regular files are ever opened: a FIFO would block the reader,
// a device could feed it without end, and opening some devices has effects of its own (opening
// /dev/ptmx creates a pseudo-terminal).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace orvel {

// A file could not be opened, read or closed; the text names it.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    bool Reported = false; // the user has been shown a message about it
};

// What the caller knows of a path: nothing, or that a folder listing has just shown a regular
// file there, which stands for the check before opening.
enum class TSeenEntry { seUnknown, seRegularFile };

// What tells one version of a file's bytes from the next: its size, last change and inode.
struct TFileStamp {
    std::uint64_t Size = 0, Inode = 0;
    std::int64_t ModifiedNs = 0;
    bool operator==(const TFileStamp&) const = default;
};

// The stamp of what is at the path now, links followed; none for nothing there.
std::optional<TFileStamp> StampOf(const std::string& Path);

// A regular file open for reading, closed when the object goes.
class TInputFile {
public:
    // Throws EInOutError ("cannot open file <path>: <reason>") for a missing file and for
    // anything but a regular file, checked before opening and again on the opened file, so
    // that an entry swapped for a FIFO in between neither blocks nor is read.
    explicit TInputFile(const std::string& FilePath, TSeenEntry Seen = TSeenEntry::seUnknown);
    ~TInputFile();
    TInputFile(const TInputFile&) = delete;
    TInputFile& operator=(const TInputFile&) = delete;

    // The file's size when it was opened.
    size_t Size() const { return FileSize; }
    // Its stamp when it was opened.
    const TFileStamp& Stamp() const { return Opened; }
    // Reads up to Count bytes into Buffer, fewer only at the end of the file; throws EInOutError.
    size_t Read(char* Buffer, size_t Count);

private:
    std::string Path;
    int Fd = -1;
    size_t FileSize = 0;
    TFileStamp Opened;
};

} // namespace orvel
