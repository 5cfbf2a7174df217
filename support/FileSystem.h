// The file-system questions of the check run, behind one seam so that tests can answer them
// for paths of another path style.
#pragma once

#include "support/StringUtils.h"

#include <string>

namespace orvel {

class TFileSystem {
public:
    virtual ~TFileSystem() = default;
    // True for an existing regular file, never for a folder.
    virtual bool FileExists(const std::string& Path) const { return orvel::FileExists(Path); }
    virtual bool DirExists(const std::string& Path) const { return orvel::DirExists(Path); }

    // The real file system.
    static const TFileSystem& Real() {
        static const TFileSystem Instance;
        return Instance;
    }
};

} // namespace orvel
