// Deletes a folder with everything below it.
#pragma once

#include <string>

namespace orvel {

// True when the folder and everything below it are gone. With ClearReadOnly, entries that lack
// their owner's write permission get it first. Symbolic links are removed, never followed.
bool DeleteFolderTree(const std::string& Folder, bool ClearReadOnly);

} // namespace orvel
