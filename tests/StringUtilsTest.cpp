// ReplaceAll, the file name hash, the file kind from the extension lists and the existence tests.
#include "CodePageFixture.h"
#include "TestSupport.h"

#include "support/StringUtils.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel::test {
namespace {

using namespace std::string_literals;

struct TReplaceCase {
    std::string Text, Find, Replacement, Expected;
};

TEST(ReplaceAllTest, ReplacesEveryOccurrence) {
    const TReplaceCase Cases[] = {
        {"C|/x|y", "|", ":", "C:/x:y"},
        {"a\r\nb\r\nc\r\n", "\r\n", "", "abc"},
        {"%F %N %F", "%F", "/site/a b.htm", "/site/a b.htm %N /site/a b.htm"},
        {"abc", "x", "yy", "abc"},
        {"abc", "abc", "", ""},
        {"abc", "abcd", "x", "abc"},
        {"Href HREF href", "href", "src", "Href HREF src"}, // letter case matters
        {"xx", "x", "xx", "xxxx"}, // the search goes on after the inserted replacement
    };
    for (const TReplaceCase& C : Cases)
        EXPECT_EQ(ReplaceAll(C.Text, C.Find, C.Replacement), C.Expected) << C.Text;
}

TEST(ReplaceAllTest, EqualLengthsLetAReplacementTailFormTheNextOccurrence) {
    const TReplaceCase Cases[] = {
        {"aaa", "aa", "ba", "bba"},
        {"aaaa", "aa", "ba", "bbba"},
        {"abb", "ab", "xa", "xxa"},
    };
    for (const TReplaceCase& C : Cases)
        EXPECT_EQ(ReplaceAll(C.Text, C.Find, C.Replacement), C.Expected) << C.Text;
}

TEST(ReplaceAllTest, DifferentLengthsReplaceEachOccurrenceAtItsOwnPlace) {
    const TReplaceCase Cases[] = {
        {"aaaaa", "aa", "b", "bba"},
        {"aaaaa", "aa", "bbb", "bbbbbba"},
        {"aaa", "a", "", ""},
    };
    for (const TReplaceCase& C : Cases)
        EXPECT_EQ(ReplaceAll(C.Text, C.Find, C.Replacement), C.Expected) << C.Text;
}

TEST(ReplaceAllTest, LeavesTheTextUnchangedWhenThereIsNothingToDo) {
    const TReplaceCase Cases[] = {
        {"a.htm", "a.htm", "a.htm", "a.htm"}, // find equals replacement
        {"", "a", "b", ""},                   // empty text
        {"abc", "", "x", "abc"},              // an empty find is never found
    };
    for (const TReplaceCase& C : Cases)
        EXPECT_EQ(ReplaceAll(C.Text, C.Find, C.Replacement), C.Expected) << C.Text;
}

TEST(ReplaceAllTest, NothingAfterAZeroByteIsSearched) {
    const TReplaceCase Cases[] = {
        {"a|b\0c|d"s, "|", ":", "a:b\0c|d"s},   // equal lengths
        {"a|b\0c|d"s, "|", "::", "a::b\0c|d"s}, // different lengths
        {"ab\0ab"s, "b\0a"s, "X", "ab\0ab"s},   // no occurrence across the zero byte
    };
    for (const TReplaceCase& C : Cases)
        EXPECT_EQ(ReplaceAll(C.Text, C.Find, C.Replacement), C.Expected);
}

struct THashAlikeCase {
    const char *A, *B;
    TPathStyle Style;
};

TEST(FileNameHashTest, NamesThatDifferOnlyInCaseOrFolderHashAlike) {
    // A lookup compares paths only where the name hashes agree, so these must agree.
    const THashAlikeCase Cases[] = {
        {"/site/a/index.html", "/site/b/INDEX.HTML", TPathStyle::psPosix},
        {"/site/a/index.html", "index.htm", TPathStyle::psPosix},
        {"/site/Caf\xC3\xA9.html", "/CAF\xC3\xA9.HTML", TPathStyle::psPosix},
        {"C:\\A\\index.html", "C:\\B\\INDEX.HTML", TPathStyle::psWindows},
        {"C:\\A\\index.html", "C:index.html", TPathStyle::psWindows}, // the colon ends the folder
        {"C:\\A\\index.html", "C:/A/Index.Html", TPathStyle::psWindows},
    };
    for (const THashAlikeCase& C : Cases)
        EXPECT_EQ(FileNameHash(C.A, C.Style), FileNameHash(C.B, C.Style)) << C.A << " " << C.B;
}

TEST(FileNameHashTest, OnlyTheFirstSixBytesCount) {
    EXPECT_EQ(FileNameHash("/a/abcdefgh", TPathStyle::psPosix),
              FileNameHash("/b/ABCDEFzz", TPathStyle::psPosix));
    EXPECT_NE(FileNameHash("/a/abcdef", TPathStyle::psPosix),
              FileNameHash("/a/abcdeg", TPathStyle::psPosix));
}

class FileNameHashCp932Test : public TCp932Test {};

TEST_F(FileNameHashCp932Test, CaseVariantsHashAlikeAndSecondBytesAreNotSeparators) {
    // "\x95\x5C" is one character whose second byte is the Windows separator: the name keeps it.
    EXPECT_NE(FileNameHash("C:\\\x95\x5C"
                           "a.htm",
                           TPathStyle::psWindows),
              FileNameHash("C:\\a.htm", TPathStyle::psWindows));
    EXPECT_EQ(FileNameHash("C:\\A\\\x83\x61x.htm", TPathStyle::psWindows),
              FileNameHash("C:\\A\\\x83\x61X.HTM", TPathStyle::psWindows));
}

const char* const HtmlList = ".HTM.HTML.SHTML";
const char* const ImageExtensions = ".JPG.JPEG.GIF.PNG.XPM.XBM";

struct TKindCase {
    const char* Extension;
    const char* HtmlExtensions;
    TFileKind Kind;
};

TEST(FileKindOfTest, MatchesWholeEntriesOfTheExtensionLists) {
    const TKindCase Cases[] = {
        {".HTML", HtmlList, fkHtml},    {".HTM", HtmlList, fkHtml},   {".SHTML", HtmlList, fkHtml},
        {".GIF", HtmlList, fkImage},    {".JPEG", HtmlList, fkImage}, {".TXT", HtmlList, fkOther},
        {"", HtmlList, fkHtml},      // a name without extension is read as HTML
        {".", HtmlList, fkOther},    // a name ending in "." matches nothing
        {".HTM", ".SHTML", fkOther}, // not inside another entry
        {".TML", HtmlList, fkOther},    {".SHTM", HtmlList, fkOther}, {".JP", HtmlList, fkOther},
        {".HTML", ".htm.html", fkHtml}, // the lists are upper-cased
        {".GIF", ".GIF", fkHtml},       // the HTML list is asked first
        {".GIF", "", fkImage},
    };
    for (const TKindCase& C : Cases)
        EXPECT_EQ(FileKindOf(C.Extension, C.HtmlExtensions, ImageExtensions), C.Kind)
            << "'" << C.Extension << "' in '" << C.HtmlExtensions << "'";
}

TEST(FileExistsTest, RegularFilesAndFoldersFollowingLinks) {
    TTempDir Temp;
    const std::string File = Temp.Write("a.htm", "x");
    const std::string Folder = Temp.MakeDir("sub");
    const std::string FileLink = Temp.Path() + "file-link";
    const std::string FolderLink = Temp.Path() + "folder-link";
    const std::string Dangling = Temp.Path() + "dangling";
    const std::string Fifo = Temp.Path() + "fifo";
    ASSERT_EQ(::symlink(File.c_str(), FileLink.c_str()), 0);
    ASSERT_EQ(::symlink(Folder.c_str(), FolderLink.c_str()), 0);
    ASSERT_EQ(::symlink((Temp.Path() + "missing").c_str(), Dangling.c_str()), 0);
    ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);

    struct TCase {
        std::string Path;
        bool IsFile, IsDir;
    };
    const TCase Cases[] = {
        {File, true, false},
        {Folder, false, true},
        {Temp.Path() + "sub", false, true},
        {FileLink, true, false},
        {FolderLink, false, true},
        {Dangling, false, false},
        {Fifo, false, false},
        {Temp.Path() + "missing", false, false},
        {"", false, false},
    };
    for (const TCase& C : Cases) {
        EXPECT_EQ(FileExists(C.Path), C.IsFile) << C.Path;
        EXPECT_EQ(DirExists(C.Path), C.IsDir) << C.Path;
    }
}

} // namespace
} // namespace orvel::test
