// Saving a file whole through a temporary file.
#include "TestSupport.h"

#include "support/SafeSave.h"

#include <algorithm>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace orvel::test {
namespace {

// The names in a folder, "." and ".." left out, sorted.
std::vector<std::string> Names(const std::string& Folder) {
    std::vector<std::string> Result;
    if (DIR* Dir = ::opendir(Folder.c_str())) {
        while (const dirent* Entry = ::readdir(Dir))
            if (std::string(Entry->d_name) != "." && std::string(Entry->d_name) != "..")
                Result.push_back(Entry->d_name);
        ::closedir(Dir);
    }
    std::sort(Result.begin(), Result.end());
    return Result;
}

TEST(SafeSave, NewFileGetsTheModeOfAnyNewFile) {
    TTempDir Dir;
    const mode_t Mask = ::umask(022);
    SaveFileSafely(Dir.Path() + "new.txt", std::string("a\0b\r\n", 5));
    ::umask(Mask);
    EXPECT_EQ(ReadWholeFile(Dir.Path() + "new.txt"), std::string("a\0b\r\n", 5));
    struct stat St;
    ASSERT_EQ(::stat((Dir.Path() + "new.txt").c_str(), &St), 0);
    EXPECT_EQ(St.st_mode & 07777, 0644u);
    EXPECT_EQ(Names(Dir.Path()), std::vector<std::string>{"new.txt"});
}

TEST(SafeSave, ALinkedFileKeepsItsLinkModeAndExtendedAttributes) {
    TTempDir Dir;
    const std::string Real = Dir.Write("real.html", "old");
    ASSERT_EQ(::symlink("real.html", (Dir.Path() + "link.html").c_str()), 0);
    ASSERT_EQ(::chmod(Real.c_str(), 0604), 0);
    if (::setxattr(Real.c_str(), "user.note", "kept", 4, 0) != 0)
        GTEST_SKIP() << "no extended attributes on this file system";
    SaveFileSafely(Dir.Path() + "link.html", "new");
    struct stat St;
    ASSERT_EQ(::lstat((Dir.Path() + "link.html").c_str(), &St), 0);
    EXPECT_TRUE(S_ISLNK(St.st_mode));
    ASSERT_EQ(::stat(Real.c_str(), &St), 0);
    EXPECT_EQ(St.st_mode & 07777, 0604u);
    EXPECT_EQ(ReadWholeFile(Real), "new");
    char Value[8] = {};
    EXPECT_EQ(::getxattr(Real.c_str(), "user.note", Value, sizeof Value), 4);
    EXPECT_STREQ(Value, "kept");
}

TEST(SafeSave, FailuresNameTheFileAndChangeNothing) {
    TTempDir Dir;
    Dir.Write("kept.txt", "old");
    Dir.MakeDir("folder");
    ASSERT_EQ(::symlink("loop", (Dir.Path() + "loop").c_str()), 0);
    ASSERT_EQ(::mkfifo((Dir.Path() + "pipe").c_str(), 0600), 0);
    const std::pair<std::string, std::string> Cases[] = {
        {"missing/x.txt", "No such file or directory"},
        {"folder", "not a regular file"},
        {"pipe", "not a regular file"},
        {"loop", "Too many levels of symbolic links"},
        {"kept.txt/x", "Not a directory"},
    };
    for (const auto& [Name, Reason] : Cases) {
        const std::string Path = Dir.Path() + Name;
        try {
            SaveFileSafely(Path, "new");
            ADD_FAILURE() << Name << ": saved";
        } catch (const ESaveError& E) {
            EXPECT_EQ(std::string(E.what()), "cannot write file " + Path + ": " + Reason);
            EXPECT_EQ(E.Path(), Path);
        }
    }
    EXPECT_EQ(ReadWholeFile(Dir.Path() + "kept.txt"), "old");
    EXPECT_EQ(Names(Dir.Path()), (std::vector<std::string>{"folder", "kept.txt", "loop", "pipe"}));
}

} // namespace
} // namespace orvel::test
