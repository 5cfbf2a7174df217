// Deletion to the desktop trash, and for good where there is no trash.
#include "ui/TrashFileSystem.h"
#include "GuiTestSupport.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvel;
using namespace orvel::test;
using orvel::ui::TTrashFileSystem;

namespace {

// True when anything, even a dangling symbolic link, is at the path.
bool Exists(const std::string& Path) {
    struct stat St;
    return ::lstat(Path.c_str(), &St) == 0;
}

TEST(TrashFileSystemTest, MovesToTheTrashOrDeletesWhereThereIsNone) {
    TTempDir Site, Elsewhere;
    Site.Write("target.html", "kept");
    ASSERT_EQ(::symlink("target.html", (Site.Path() + "link.html").c_str()), 0);
    const QString DataHome = qEnvironmentVariable("XDG_DATA_HOME");
    const QString CurrentFolder = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(Elsewhere.Path()));
    const std::string NoTrash = Elsewhere.Write("plain-file", "") + "/data";
    struct TCase {
        std::string Name;
        bool Folder, Trash;
    };
    const TCase Cases[] = {
        {"a.html", false, true},  {"sub", true, true},    {"link.html", false, true},
        {"b.html", false, false}, {"other", true, false},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        qputenv("XDG_DATA_HOME", C.Trash ? DataHome.toUtf8() : QByteArray::fromStdString(NoTrash));
        if (C.Folder)
            Site.Write(C.Name + "/inner/page.html", "");
        else if (C.Name != "link.html")
            Site.Write(C.Name, "");
        const std::string Path = Site.Path() + C.Name + (C.Folder ? "/" : "");
        const TTrashFileSystem& Trash = TTrashFileSystem::Instance();
        EXPECT_TRUE(C.Folder ? Trash.DeleteFolder(Path) : Trash.DeleteFile(Path));
        EXPECT_FALSE(Exists(Site.Path() + C.Name));
        EXPECT_EQ(Exists(TrashFiles() + C.Name), C.Trash);
    }
    qputenv("XDG_DATA_HOME", DataHome.toUtf8());
    EXPECT_EQ(ReadWholeFile(Site.Path() + "target.html"), "kept"); // a link goes, not its target
    EXPECT_FALSE(DirExists(Elsewhere.Path() + "files")); // nothing trashed into the current folder
    QDir::setCurrent(CurrentFolder);
}

} // namespace
