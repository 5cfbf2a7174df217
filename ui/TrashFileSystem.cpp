#include "ui/TrashFileSystem.h"

#include "support/PathRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

namespace orvel::ui {

namespace {

// Where it finds no trash at all, QFile::moveToTrash moves into "files" of the current folder.
// Its last resort is the home trash, so the trash is used only where that one exists or can be
// made.
bool HomeTrashAvailable() {
    const QString Data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (Data.isEmpty()) return false;
    const QFileInfo Trash(Data + QStringLiteral("/Trash"));
    if (Trash.isDir() && !Trash.isSymLink()) return true;
    return !Trash.exists() && !Trash.isSymLink() && QDir().mkpath(Data) &&
           QDir(Data).mkdir(QStringLiteral("Trash"),
                            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A folder's path without its trailing separators, so that it names a symbolic link itself.
std::string WithoutTrailingSlashes(std::string Path) {
    while (Path.size() > 1 && Path.back() == '/')
        Path.pop_back();
    return Path;
}

// Moves a file or folder (a symbolic link itself) to the trash; false when it stays.
bool MoveToTrash(const std::string& Path) {
    if (!HomeTrashAvailable()) return false;
    const QByteArray Bytes = QByteArray::fromStdString(WithoutTrailingSlashes(Path));
    const QString Name = QFile::decodeName(Bytes);
    // A name that Qt cannot spell back (not UTF-8) would name another file.
    if (QFile::encodeName(Name) != Bytes) return false;
    return QFile::moveToTrash(Name);
}

// Removing an entry needs write permission in its folder. Where that is missing, deleting a
// folder for good would only empty it and then fail, so it is not attempted.
bool ParentWritable(const std::string& Path) {
    const std::string Parent = ContainingFolder(WithoutTrailingSlashes(Path), TPathStyle::psPosix);
    return ::access(Parent.empty() ? "." : Parent.c_str(), W_OK) == 0;
}

} // namespace

bool TTrashFileSystem::DeleteFile(const std::string& Path) const {
    return MoveToTrash(Path) || TFileSystem::DeleteFile(Path);
}

bool TTrashFileSystem::DeleteFolder(const std::string& Folder) const {
    return MoveToTrash(Folder) || (ParentWritable(Folder) && TFileSystem::DeleteFolder(Folder));
}

} // namespace orvel::ui
