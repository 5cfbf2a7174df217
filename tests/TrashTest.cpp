// The desktop trash: the home trash, one at the top of another file system, and where none can
// take a file.
#include "TestSupport.h"

#include "support/Trash.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvel;
using namespace orvel::test;

namespace {

bool Exists(const std::string& Path) {
    struct stat St;
    return ::lstat(Path.c_str(), &St) == 0;
}

TEST(Trash, MovesAnyNameToTheHomeTrashOrToTheTopOfItsOwnFileSystem) {
    const std::string Uid = std::to_string(::getuid());
    struct TCase {
        std::string Name;     // in the site; "/" at the end: a folder
        std::string Setup;    // "link": the home trash is a link to a folder of the user's
                              // "elsewhere": the site is on another file system
                              // "blocked": ... whose trash cannot be made
        std::string Trash;    // below the temporary folder, where it lands; empty: stays
        std::string InfoPath; // the trashinfo's Path; "{site}" for the site's folder
    };
    const TCase Cases[] = {
        {"a.html", "", "data/Trash", "{site}a.html"},
        {"sub/", "", "data/Trash", "{site}sub"},
        // Not UTF-8: moved by its bytes, the path written escaped byte by byte.
        {"\x89\xEF 1.html", "", "data/Trash", "{site}%89%EF%201.html"},
        {"b.html", "link", "own-trash", "{site}b.html"},
        {"c.html", "elsewhere", "site/.Trash-" + Uid, "c.html"},
        {"d.html", "blocked", "", ""},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name + " " + C.Setup);
        TTempDir Temp;
        const std::string Site = Temp.MakeDir("site"), Data = Temp.MakeDir("data");
        const bool Folder = C.Name.back() == '/';
        const std::string Name = Folder ? C.Name.substr(0, C.Name.size() - 1) : C.Name;
        if (Folder)
            Temp.Write("site/" + Name + "/page.html", "");
        else
            Temp.Write("site/" + Name, "x");
        // The name is taken in the trash: the next free one is used.
        if (C.Name == "a.html") Temp.Write("data/Trash/info/a.html.trashinfo", "");
        if (C.Setup == "link") {
            ASSERT_EQ(::symlink(Temp.MakeDir("own-trash").c_str(), (Data + "Trash").c_str()), 0);
        }
        if (C.Setup == "blocked") Temp.Write("site/.Trash-" + Uid, "a file, not a folder");
        TTrashPlaces Places{Data.substr(0, Data.size() - 1), nullptr};
        const bool Elsewhere = !C.Setup.empty() && C.Setup != "link";
        Places.DeviceOf = [&](const std::string& Path) -> std::optional<dev_t> {
            struct stat St;
            if (::lstat(Path.c_str(), &St) != 0) return std::nullopt;
            return Elsewhere && Path.starts_with(Site.substr(0, Site.size() - 1)) ? St.st_dev + 1
                                                                                  : St.st_dev;
        };
        const TTrashResult Result = MoveToTrash(Site + C.Name, Places);
        EXPECT_EQ(Result.Moved, !C.Trash.empty()) << Result.Reason;
        EXPECT_EQ(Exists(Site + Name), C.Trash.empty());
        if (C.Trash.empty()) {
            EXPECT_NE(Result.Reason.find(Site.substr(0, Site.size() - 1)), std::string::npos);
            continue;
        }
        const std::string Stored = Name + (C.Name == "a.html" ? ".2" : "");
        EXPECT_TRUE(Exists(Temp.Path() + C.Trash + "/files/" + Stored));
        const std::string Info =
            ReadWholeFile(Temp.Path() + C.Trash + "/info/" + Stored + ".trashinfo");
        std::string Expected = C.InfoPath;
        if (Expected.starts_with("{site}")) Expected.replace(0, 6, Site);
        EXPECT_TRUE(Info.starts_with("[Trash Info]\nPath=" + Expected + "\nDeletionDate=")) << Info;
    }
}

} // namespace
