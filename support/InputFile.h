// Opening files for reading. Only regular files are ever opened: a FIFO would block the reader,
// a device could feed it without end, and opening some devices has effects of its own (opening
// /dev/ptmx creates a pseudo-terminal).
#pragma once

#include <cstddef>
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

// A regular file open for reading, closed when the object goes.
class TInputFile {
public:
    // Throws EInOutError ("cannot open file <path>: <reason>") for a missing file and for
    // anything but a regular file, checked before opening and again on the opened file, so
    // that an entry swapped for a FIFO in between neither blocks nor is read.
    explicit TInputFile(const std::string& Path, TSeenEntry Seen = TSeenEntry::seUnknown);
    ~TInputFile();
    TInputFile(const TInputFile&) = delete;
    TInputFile& operator=(const TInputFile&) = delete;

    // The file's size when it was opened.
    size_t Size() const { return FileSize; }
    // Reads up to Count bytes into Buffer, fewer only at the end of the file; throws EInOutError.
    size_t Read(char* Buffer, size_t Count);

private:
    std::string Path;
    int Fd = -1;
    size_t FileSize = 0;
};

} // namespace orvel
