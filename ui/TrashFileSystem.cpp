#include "ui/TrashFileSystem.h"

#include "support/PathRules.h"

#include <unistd.h>

namespace orvel::ui {

namespace {

// A folder's path without its trailing separators, so that it names a symbolic link itself.
std::string WithoutTrailingSlashes(std::string Path) {
    while (Path.size() > 1 && Path.back() == '/')
        Path.pop_back();
    return Path;
}

// Removing an entry needs write permission in its folder. Where that is missing, deleting a
// folder for good would only empty it and then fail, so it is not attempted.
bool ParentWritable(const std::string& Path) {
    const std::string Parent = ContainingFolder(WithoutTrailingSlashes(Path), TPathStyle::psPosix);
    return ::access(Parent.empty() ? "." : Parent.c_str(), W_OK) == 0;
}

} // namespace

TTrashResult TTrashFileSystem::MoveToTrash(const std::string& Path) const {
    return orvel::MoveToTrash(Path, TTrashPlaces::OfUser());
}

bool TTrashFileSystem::DeleteFolder(const std::string& Folder) const {
    return ParentWritable(Folder) && TFileSystem::DeleteFolder(Folder);
}

} // namespace orvel::ui
