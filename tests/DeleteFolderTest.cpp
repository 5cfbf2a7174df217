// Deleting a folder with everything below it.
#include "TestSupport.h"

#include "support/DeleteFolder.h"
#include "support/StringUtils.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel::test {
namespace {

// True when anything, even a dangling symbolic link, is at the path.
bool Exists(const std::string& Path) {
    struct stat St;
    return ::lstat(Path.c_str(), &St) == 0;
}

TEST(DeleteFolderTest, RemovesAnEmptyFolder) {
    TTempDir Temp;
    const std::string Folder = Temp.MakeDir("empty");
    EXPECT_TRUE(DeleteFolderTree(Folder, false));
    EXPECT_FALSE(Exists(Folder));
    EXPECT_TRUE(DirExists(Temp.Path()));
}

TEST(DeleteFolderTest, RemovesATreeWithHiddenEntries) {
    TTempDir Temp;
    Temp.WriteSite({{"site/index.htm", "x"},
                    {"site/.hidden", "x"},
                    {"site/img/a.gif", "x"},
                    {"site/img/deep/er/b.gif", "x"},
                    {"site/.git/config", "x"}});
    Temp.MakeDir("site/empty");
    Temp.Write("sibling.htm", "stays");
    EXPECT_TRUE(DeleteFolderTree(Temp.Path() + "site/", false));
    EXPECT_FALSE(Exists(Temp.Path() + "site"));
    EXPECT_EQ(ReadWholeFile(Temp.Path() + "sibling.htm"), "stays");
}

TEST(DeleteFolderTest, PathWithoutTheFinalSeparatorIsTheSameFolder) {
    TTempDir Temp;
    Temp.WriteSite({
        {"site/a.htm", "x"},
        {"site/sub/b.htm", "x"},
        {"site2/c.htm", "stays"}, // shares the name's beginning
    });
    EXPECT_TRUE(DeleteFolderTree(Temp.Path() + "site", false));
    EXPECT_FALSE(Exists(Temp.Path() + "site"));
    EXPECT_EQ(ReadWholeFile(Temp.Path() + "site2/c.htm"), "stays");
}

TEST(DeleteFolderTest, TrueExactlyWhenTheFolderThePathNamesIsGone) {
    // Given "." or "..", the path names the folder they stand for; whatever the path, the
    // result says whether that folder is gone.
    const struct {
        const char* Given;
        const char* Named;
    } Cases[] = {
        {"p/q/..", "p"},  {"p/q/../", "p"},         {"p/q/.", "p/q"},
        {"p/./q", "p/q"}, {"p/link/..", "outside"}, // ".." of a link is the parent of the folder it
                                                    // leads to
    };
    for (const auto& C : Cases) {
        TTempDir Temp;
        Temp.WriteSite({{"p/q/a.htm", "x"},
                        {"p/keep/b.htm", "x"},
                        {"p/z.htm", "x"},
                        {"outside/target/c.htm", "x"}});
        ASSERT_EQ(
            ::symlink((Temp.Path() + "outside/target").c_str(), (Temp.Path() + "p/link").c_str()),
            0);
        EXPECT_TRUE(DeleteFolderTree(Temp.Path() + C.Given, true)) << C.Given;
        EXPECT_FALSE(Exists(Temp.Path() + C.Named)) << C.Given;
        EXPECT_TRUE(DirExists(Temp.Path())) << C.Given;
    }
}

TEST(DeleteFolderTest, ClearsReadOnlyFilesAndFolders) {
    TTempDir Temp;
    const std::string File = Temp.Write("site/locked.htm", "x");
    Temp.WriteSite({{"site/ro/inner.htm", "x"}, {"site/ro/sub/deeper.htm", "x"}});
    ASSERT_EQ(::chmod(File.c_str(), 0444), 0);
    ASSERT_EQ(::chmod((Temp.Path() + "site/ro/sub").c_str(), 0555), 0);
    ASSERT_EQ(::chmod((Temp.Path() + "site/ro").c_str(), 0555), 0);
    EXPECT_TRUE(DeleteFolderTree(Temp.Path() + "site", true));
    EXPECT_FALSE(Exists(Temp.Path() + "site"));
}

TEST(DeleteFolderTest, ReadOnlyFolderStaysWithoutClearingButTheRestGoes) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser deletes entries of read-only folders";
    TTempDir Temp;
    Temp.WriteSite({{"site/a.htm", "x"}, {"site/ro/inner.htm", "x"}, {"site/z.htm", "x"}});
    ASSERT_EQ(::chmod((Temp.Path() + "site/ro").c_str(), 0555), 0);
    EXPECT_FALSE(DeleteFolderTree(Temp.Path() + "site", false));
    EXPECT_TRUE(Exists(Temp.Path() + "site/ro/inner.htm"));
    EXPECT_FALSE(Exists(Temp.Path() + "site/a.htm")); // every other entry is still tried
    EXPECT_FALSE(Exists(Temp.Path() + "site/z.htm"));
    ::chmod((Temp.Path() + "site/ro").c_str(), 0755);
}

TEST(DeleteFolderTest, MissingFolderGivesFalse) {
    TTempDir Temp;
    EXPECT_FALSE(DeleteFolderTree(Temp.Path() + "missing", true));
    EXPECT_FALSE(DeleteFolderTree(Temp.Path() + "missing/", false));
}

TEST(DeleteFolderTest, AFileIsNotAFolder) {
    TTempDir Temp;
    const std::string File = Temp.Write("a.htm", "kept");
    EXPECT_FALSE(DeleteFolderTree(File, true));
    EXPECT_EQ(ReadWholeFile(File), "kept");
}

TEST(DeleteFolderTest, SymbolicLinksAreRemovedNotFollowed) {
    TTempDir Temp;
    const std::string Outside = Temp.Write("outside/keep.htm", "kept");
    Temp.Write("outside/sub/keep.gif", "kept");
    const std::string OutsideFile = Temp.Write("outside-file.htm", "kept");
    Temp.Write("site/a.htm", "x");
    ASSERT_EQ(::chmod(OutsideFile.c_str(), 0444), 0); // clearing must not reach it either
    ASSERT_EQ(::symlink((Temp.Path() + "outside").c_str(), (Temp.Path() + "site/dirlink").c_str()),
              0);
    ASSERT_EQ(::symlink(OutsideFile.c_str(), (Temp.Path() + "site/filelink.htm").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", (Temp.Path() + "site/dangling").c_str()), 0);

    EXPECT_TRUE(DeleteFolderTree(Temp.Path() + "site", true));
    EXPECT_FALSE(Exists(Temp.Path() + "site"));
    EXPECT_EQ(ReadWholeFile(Outside), "kept");
    EXPECT_EQ(ReadWholeFile(Temp.Path() + "outside/sub/keep.gif"), "kept");
    EXPECT_EQ(ReadWholeFile(OutsideFile), "kept");
    struct stat St;
    ASSERT_EQ(::stat(OutsideFile.c_str(), &St), 0);
    EXPECT_EQ(St.st_mode & 0777, 0444u);
}

TEST(DeleteFolderTest, FolderGivenAsASymbolicLinkLosesOnlyTheLink) {
    // A linked folder is a folder of the site; deleting it must not empty the folder it names.
    TTempDir Temp;
    const std::string Outside = Temp.Write("outside/keep.htm", "kept");
    const std::string Link = Temp.Path() + "site-link";
    for (const std::string& Path : {Link + "/", Link}) {
        ASSERT_EQ(::symlink((Temp.Path() + "outside").c_str(), Link.c_str()), 0);
        EXPECT_TRUE(DeleteFolderTree(Path, true)) << Path;
        EXPECT_FALSE(Exists(Link)) << Path;
        EXPECT_EQ(ReadWholeFile(Outside), "kept") << Path;
    }
}

TEST(DeleteFolderTest, RemovesEntriesThatAreNeitherFilesNorFolders) {
    TTempDir Temp;
    Temp.MakeDir("site");
    ASSERT_EQ(::mkfifo((Temp.Path() + "site/pipe").c_str(), 0600), 0);
    EXPECT_TRUE(DeleteFolderTree(Temp.Path() + "site", false));
    EXPECT_FALSE(Exists(Temp.Path() + "site"));
}

} // namespace
} // namespace orvel::test
