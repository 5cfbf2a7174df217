// The desktop's trash by the freedesktop.org trash rules: the home trash for
// paths on its file system, else a trash at the top of the path's own file system.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>

namespace orvel {

struct TTrashPlaces {
    std::string DataHome; // $XDG_DATA_HOME, else ~/.local/share: the home trash is its "Trash"
    // The file system of a path (of a symbolic link itself); tests may place paths elsewhere.
    std::function<std::optional<dev_t>(const std::string&)> DeviceOf;
    // The places of this user's session.
    static TTrashPlaces OfUser();
};

struct TTrashResult {
    bool Moved = false;
    std::string Reason; // why it was not moved, for the user
};

// Moves a file or folder (a symbolic link itself) into the trash with its .trashinfo, the path
// written percent-encoded byte by byte, so that any name can be restored.
TTrashResult MoveToTrash(const std::string& Path, const TTrashPlaces& Places);

} // namespace orvel
