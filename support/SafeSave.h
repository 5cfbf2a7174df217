// Replacing a file's whole content so that no failure can leave it truncated or missing.
#pragma once

#include "support/Translation.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace orvel {

// A file could not be saved; the old file, if any, is unchanged. The text names the file.
class ESaveError : public std::runtime_error {
public:
    ESaveError(const std::string& Path, const std::string& Reason, int Code = 0)
        : std::runtime_error(Tr("cannot write file ") + Path + ": " + Reason), FilePath(Path),

          Why(Reason), ErrorCode(Code) {}
    const std::string& Path() const { return FilePath; }
    const std::string& Reason() const { return Why; }
    // The errno of the failure, or 0.
    int Code() const { return ErrorCode; }

private:
    std::string FilePath, Why;
    int ErrorCode;
};

// Makes Content the file's whole content. The content goes to a temporary file, created
// exclusively under an unpredictable name in the file's folder, with the old file's permission
// bits, extended attributes (ACLs, security labels) and owner, where allowed; it is synced and
// renamed over the file, and the folder is synced. A symbolic link is written through: its final
// target gets the content and the link stays. On failure nothing changes and no temporary file is
// left; throws ESaveError.
void SaveFileSafely(const std::string& Path, std::string_view Content);

} // namespace orvel
