// Deletion for the desktop: files and folders go to the user's trash, so that a mistaken
// deletion can be undone from the file manager.
#pragma once

#include "support/FileSystem.h"

namespace orvel::ui {

// Moves what is deleted to the desktop's trash (the freedesktop.org trash of the home folder,
// or the one at the top of another file system). What it cannot take is deleted for good only
// once the user has agreed.
class TTrashFileSystem : public TFileSystem {
public:
    bool HasTrash() const override { return true; }
    TTrashResult MoveToTrash(const std::string& Path) const override;
    bool DeleteFolder(const std::string& Folder) const override;

    static const TTrashFileSystem& Instance() {
        static const TTrashFileSystem Trash;
        return Trash;
    }
};

} // namespace orvel::ui
