// Path rules in both path styles: the host's POSIX paths and Windows paths (C:\SITE\...).
#include "CodePageFixture.h"
#include "TestSupport.h"

#include "support/PathRules.h"

#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace orvel::test {
namespace {

constexpr TPathStyle Posix = TPathStyle::psPosix;
constexpr TPathStyle Windows = TPathStyle::psWindows;

struct TPathCase {
    TPathStyle Style;
    const char* Path;
    const char* Expected;
};

template <typename F> void ExpectEach(const std::vector<TPathCase>& Cases, F&& Rule) {
    for (const TPathCase& C : Cases)
        EXPECT_EQ(Rule(C.Path, C.Style), C.Expected)
            << (C.Style == Posix ? "posix " : "windows ") << C.Path;
}

TEST(PathRulesTest, SeparatorOfEachStyle) {
    EXPECT_EQ(PathSeparator(Posix), '/');
    EXPECT_EQ(PathSeparator(Windows), '\\');
    EXPECT_TRUE(IsPathSeparatorAt("a/b", 1, Posix));
    EXPECT_FALSE(IsPathSeparatorAt("a\\b", 1, Posix)); // a backslash is part of a POSIX name
    EXPECT_TRUE(IsPathSeparatorAt("a\\b", 1, Windows));
    EXPECT_TRUE(IsPathSeparatorAt("a/b", 1, Windows));
    EXPECT_FALSE(IsPathSeparatorAt("a/b", 3, Posix)); // past the end
    EXPECT_EQ(LastSeparator("/site/a/b.htm", Posix), 7u);
    EXPECT_EQ(LastSeparator("C:\\SITE/A\\B.HTM", Windows), 9u);
    EXPECT_EQ(LastSeparator("/site/a\\b.htm", Posix), 5u);
    EXPECT_EQ(LastSeparator("b.htm", Posix), std::string::npos);
}

TEST(PathRulesTest, BareFileNameIsThePartAfterTheFolder) {
    ExpectEach(
        {
            {Posix, "/site/a/page.htm", "page.htm"},
            {Posix, "/site/a/", ""},
            {Posix, "page.htm", "page.htm"},
            {Posix, "/site/dir\\page.htm", "dir\\page.htm"},
            {Posix, "/site/c:page.htm", "c:page.htm"}, // no drives in POSIX paths
            {Windows, "C:\\SITE\\PAGE.HTM", "PAGE.HTM"},
            {Windows, "C:/SITE/page.htm", "page.htm"},
            {Windows, "C:PAGE.HTM", "PAGE.HTM"},
            {Windows, "C:\\SITE\\", ""},
        },
        BareFileName);
}

TEST(PathRulesTest, ExtractFolderKeepsTheLastSeparator) {
    ExpectEach(
        {
            {Posix, "/site/a/page.htm", "/site/a/"},
            {Posix, "/page.htm", "/"},
            {Posix, "page.htm", ""},
            {Posix, "/site/a/", "/site/a/"},
            {Windows, "C:\\SITE\\A\\PAGE.HTM", "C:\\SITE\\A\\"},
            {Windows, "D:\\ROOT\\", "D:\\ROOT\\"},
            {Windows, "PAGE.HTM", ""},
        },
        ExtractFolder);
}

TEST(PathRulesTest, ExtensionIsTakenFromTheBareName) {
    ExpectEach(
        {
            {Posix, "/site/a.b.html", ".html"},
            {Posix, "/site/README", ""},
            {Posix, "/site.d/README", ""}, // a dot in a folder name is no extension
            {Posix, "/site/page.", "."},
            {Posix, "/site/.htaccess", ".htaccess"},
            {Windows, "C:\\SITE.D\\PAGE.HTM", ".HTM"},
            {Windows, "C:\\SITE.D\\README", ""},
        },
        ExtractExtension);
}

TEST(PathRulesTest, TrailingSeparatorIsAddedOnce) {
    ExpectEach(
        {
            {Posix, "/site", "/site/"},
            {Posix, "/site/", "/site/"},
            {Posix, "", "/"},
            {Posix, "/site\\", "/site\\/"},
            {Windows, "C:\\SITE", "C:\\SITE\\"},
            {Windows, "C:\\SITE\\", "C:\\SITE\\"},
        },
        IncludeTrailingSeparator);
}

TEST(PathRulesTest, ExpandResolvesDotsAndCollapsesSeparatorsInPosixStyle) {
    ExpectEach(
        {
            {Posix, "/site/a/../img/x.gif", "/site/img/x.gif"},
            {Posix, "/site/./a/./b.htm", "/site/a/b.htm"},
            {Posix, "/site//a///b.htm", "/site/a/b.htm"},
            {Posix, "//site/a", "/site/a"},
            {Posix, "/..", "/"},
            {Posix, "/../../x.htm", "/x.htm"}, // ".." at the root stays at the root
            {Posix, "/site/a/..", "/site"},
            {Posix, "/site/a/../", "/site/"},
            {Posix, "/site/a/.", "/site/a"},
            {Posix, "/site/x.html/", "/site/x.html/"}, // the trailing separator stays
            {Posix, "/", "/"},
            {Posix, "/site/c#/a.htm", "/site/c#/a.htm"},
            {Posix, "/site/A\\..\\b.htm", "/site/A\\..\\b.htm"}, // backslashes are name bytes
            {Posix, "/site/...", "/site/..."},
        },
        ExpandFileName);
}

TEST(PathRulesTest, ExpandResolvesDotsInWindowsStyle) {
    ExpectEach(
        {
            {Windows, "C:\\SITE\\A\\..\\img\\x.gif", "C:\\SITE\\img\\x.gif"},
            {Windows, "C:/SITE/./A/b.htm", "C:\\SITE\\A\\b.htm"},
            {Windows, "C:\\SITE\\\\A", "C:\\SITE\\A"},
            {Windows, "C:\\..\\x.htm", "C:\\x.htm"},
            {Windows, "C:\\SITE\\A\\..", "C:\\SITE"},
            {Windows, "D:\\ROOT\\", "D:\\ROOT\\"},
            {Windows, "C:\\", "C:\\"},
            {Windows, "\\\\SERVER\\SHARE\\A\\..\\..\\B.HTM", "\\\\SERVER\\SHARE\\B.HTM"},
        },
        ExpandFileName);
}

// Runs in a temporary current folder and returns to the previous one afterwards.
class PathRulesCurrentFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char Buffer[PATH_MAX];
        ASSERT_NE(::getcwd(Buffer, sizeof Buffer), nullptr);
        Previous = Buffer;
        char Real[PATH_MAX];
        ASSERT_NE(::realpath(Temp.Path().c_str(), Real), nullptr);
        Folder = std::string(Real) + "/";
        ASSERT_EQ(::chdir(Folder.c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(::chdir(Previous.c_str()), 0); }

    TTempDir Temp;
    std::string Previous, Folder;
};

TEST_F(PathRulesCurrentFolderTest, RelativePathIsTakenFromTheCurrentFolder) {
    EXPECT_EQ(ExpandFileName("a/b.htm", Posix), Folder + "a/b.htm");
    EXPECT_EQ(ExpandFileName("./a/../b.htm", Posix), Folder + "b.htm");
    EXPECT_EQ(ExpandFileName("sub/", Posix), Folder + "sub/");
    EXPECT_EQ(ExpandFileName("..", Posix), Folder.substr(0, Folder.rfind('/', Folder.size() - 2)));
}

TEST(PathRulesTest, ContainingFolderDropsTheSeparatorUnlessItIsTheRoot) {
    ExpectEach(
        {
            {Posix, "/site/a/page.htm", "/site/a"},
            {Posix, "/page.htm", "/"},
            {Posix, "page.htm", ""},
            {Posix, "/site/a:/page.htm", "/site/a:"}, // a colon is a name byte in POSIX paths
            {Windows, "C:\\SITE\\PAGE.HTM", "C:\\SITE"},
            {Windows, "C:\\PAGE.HTM", "C:\\"},
        },
        ContainingFolder);
}

class PathRulesCp932Test : public TCp932Test {};

TEST_F(PathRulesCp932Test, SecondByteOfADoubleByteCharacterIsNoSeparator) {
    // "\x95\x5C" is one character whose second byte is the backslash.
    const std::string Folder = "C:\\SITE\\\x95\x5C";
    EXPECT_FALSE(IsPathSeparatorAt(Folder, Folder.size() - 1, Windows));
    EXPECT_EQ(BareFileName(Folder + "\\A.HTM", Windows), "A.HTM");
    EXPECT_EQ(BareFileName(Folder, Windows), "\x95\x5C");
    EXPECT_EQ(ExtractFolder(Folder, Windows), "C:\\SITE\\");
    EXPECT_EQ(IncludeTrailingSeparator(Folder, Windows), Folder + "\\");
    EXPECT_EQ(ExpandFileName(Folder + "\\A\\..\\B.HTM", Windows), Folder + "\\B.HTM");
    EXPECT_EQ(ExpandFileName(Folder + "\\..\\B.HTM", Windows), "C:\\SITE\\B.HTM");
    EXPECT_EQ(ContainingFolder(Folder + "\\A.HTM", Windows), Folder);
    EXPECT_EQ(ContainingFolder("C:\\\x95\x5C", Windows), "C:\\");
    // "/" is no second byte: after a lead byte it still separates.
    EXPECT_EQ(BareFileName("/site/\x8F/a.html", Posix), "a.html");
    EXPECT_EQ(ExpandFileName("/site/\x8F/", Posix), "/site/\x8F/");
}

} // namespace
} // namespace orvel::test
