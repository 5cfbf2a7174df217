// Saving a file whole through a temporary file.
#include "TestSupport.h"

#include "support/SafeSave.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
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

mode_t ModeOf(const std::string& Path) {
    struct stat St;
    return ::stat(Path.c_str(), &St) == 0 ? St.st_mode & 07777 : 0;
}

TEST(SafeSave, NewFileGetsTheModeOfAnyNewFile) {
    TTempDir Dir;
    const mode_t Mask = ::umask(022);
    SaveFileSafely(Dir.Path() + "new.txt", std::string("a\0b\r\n", 5));
    ::umask(Mask);
    EXPECT_EQ(ReadWholeFile(Dir.Path() + "new.txt"), std::string("a\0b\r\n", 5));
    EXPECT_EQ(ModeOf(Dir.Path() + "new.txt"), 0644u);
    EXPECT_EQ(Names(Dir.Path()), std::vector<std::string>{"new.txt"});
}

TEST(SafeSave, ReplacesTheContentAndKeepsTheModeAndTheLinks) {
    TTempDir Dir;
    const std::string Real = Dir.Write("data/real.txt", "old content that is longer");
    ASSERT_EQ(::chmod(Real.c_str(), 0640), 0);
    ASSERT_EQ(::symlink("data/real.txt", (Dir.Path() + "first").c_str()), 0);
    ASSERT_EQ(::symlink("first", (Dir.Path() + "second").c_str()), 0);
    SaveFileSafely(Dir.Path() + "second", "new");
    EXPECT_EQ(ReadWholeFile(Real), "new");
    EXPECT_EQ(ModeOf(Real), 0640u);
    struct stat St;
    ASSERT_EQ(::lstat((Dir.Path() + "second").c_str(), &St), 0);
    EXPECT_TRUE(S_ISLNK(St.st_mode));
    EXPECT_EQ(Names(Dir.Path() + "data"), std::vector<std::string>{"real.txt"});
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
