// The file-system questions, deletions and writes of the check run and the commands, behind one
// seam so that tests can answer them for paths of another path style and make changes fail.
#pragma once

#include "support/DeleteFolder.h"
#include "support/ReadFileAll.h"
#include "support/SafeSave.h"
#include "support/StringUtils.h"
#include "support/Trash.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>

namespace orvel {

class TFileSystem {
public:
    virtual ~TFileSystem() = default;
    // True for an existing regular file, never for a folder.
    virtual bool FileExists(const std::string& Path) const { return orvel::FileExists(Path); }
    virtual bool DirExists(const std::string& Path) const { return orvel::DirExists(Path); }
    // Deletes a file, or a symbolic link itself; true when it is gone.
    virtual bool DeleteFile(const std::string& Path) const { return ::unlink(Path.c_str()) == 0; }
    // Deletes a folder with everything below it, read-only entries included; true when the
    // folder is gone. Symbolic links are removed, never followed.
    virtual bool DeleteFolder(const std::string& Folder) const {
        return DeleteFolderTree(Folder, true);
    }
    // Whether deletions go to a trash first; the core's file system has none.
    virtual bool HasTrash() const { return false; }
    // Moves a file or folder (a symbolic link itself) to the trash.
    virtual TTrashResult MoveToTrash(const std::string&) const { return {}; }
    // True for an entry that is there but is no regular file, links followed: a socket, FIFO,
    // device, folder or dangling link. The site's entries of this kind are never read.
    virtual bool IsSpecialEntry(const std::string& Path) const {
        return orvel::IsSpecialEntry(Path);
    }
    // A file's real bytes, NUL bytes kept, as ReadTextFile reads them: shows the open and memory
    // errors in message boxes and throws them (EInOutError).
    virtual std::string ReadTextFile(const std::string& Path, TMessageHost& Host) const {
        return orvel::ReadTextFile(Path, Host);
    }
    // Throws ESaveError when the user may not write the file. Asked as the user, not as the
    // file's owner: a folder may let a file be replaced that its owner's bits forbid to write.
    virtual void CheckWritable(const std::string& Path) const {
        if (::access(Path.c_str(), W_OK) != 0) throw ESaveError(Path, std::strerror(errno), errno);
    }
    // Makes Content the file's whole content without ever leaving it truncated; throws
    // ESaveError and leaves the file as it was on failure.
    virtual void SaveFile(const std::string& Path, std::string_view Content) const {
        SaveFileSafely(Path, Content);
    }

    // The real file system.
    static const TFileSystem& Real() {
        static const TFileSystem Instance;
        return Instance;
    }
};

} // namespace orvel
