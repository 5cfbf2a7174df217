// Finding a text in a file: line numbers, the pieces of text around each occurrence, and
// what happens when the file cannot be read.
#include "TestSupport.h"

#include "support/FindStringInFile.h"
#include "support/ReadFileAll.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvel::test {
namespace {

using TPairs = std::vector<std::string>;

// The tag jump asks for 2 bytes before and 7 bytes after each occurrence.
constexpr size_t Before = 2, After = 7;

// Writes Content to a file and searches Pattern in it.
TPairs Find(const std::string& Content, const std::string& Pattern, bool IgnoreCase = false,
            size_t BytesBefore = Before, size_t BytesAfter = After,
            TCharset Charset = TCharset::Utf8()) {
    TTempDir Temp;
    const std::string Path = Temp.Write("page.htm", Content);
    TRecordingHost Host;
    TPairs Result =
        FindStringInFile(Path, Pattern, BytesBefore, BytesAfter, IgnoreCase, Charset, Host);
    EXPECT_TRUE(Host.Messages.empty());
    return Result;
}

// Every second entry: the line numbers.
TPairs LineNumbers(const TPairs& Pairs) {
    TPairs Lines;
    for (size_t I = 0; I < Pairs.size(); I += 2)
        Lines.push_back(Pairs[I]);
    return Lines;
}

std::string JoinLines(const std::vector<std::string>& Lines, const std::string& Break) {
    std::string Text;
    for (const std::string& Line : Lines)
        Text += Line + Break;
    return Text;
}

TEST(FindStringInFileTest, EveryKindOfLineBreakGivesTheSameLineNumbers) {
    const std::vector<std::string> Lines = {
        "<a href=\"a.htm\">",       "text", "<a href=\"b.htm\"><a href=\"c.htm\">", "",
        "<img src=\"x.gif\"> href",
    };
    const TPairs Expected = Find(JoinLines(Lines, "\r\n"), "href");
    EXPECT_EQ(LineNumbers(Expected), (TPairs{"1", "3", "3", "5"}));
    for (const char* Break : {"\n", "\r", "\n\r"})
        EXPECT_EQ(Find(JoinLines(Lines, Break), "href"), Expected)
            << "line break " << int(Break[0]) << ", " << int(Break[1]);
}

TEST(FindStringInFileTest, MixedLineBreaksCountOneLineEach) {
    // CR LF, LF CR, a lone CR and a lone LF are one line break each.
    const std::string Text = "a\r\nb\n\rc\rd\ne\r\n\r\nx";
    EXPECT_EQ(LineNumbers(Find(Text, "x")), (TPairs{"7"}));
    EXPECT_EQ(LineNumbers(Find(Text, "e")), (TPairs{"5"}));
}

TEST(FindStringInFileTest, PiecesHoldBytesBeforeAndAfterTheOccurrence) {
    struct TCase {
        std::string Text, Pattern;
        TPairs Expected;
    };
    const TCase Cases[] = {
        {"0123456789<a href=\"page.htm\">", "href", {"1", "a href=\"page."}},
        {"href=\"index.html\"", "href", {"1", "href=\"index.h"}}, // at the very start: still 13
        {" href=\"index.html\"", "href", {"1", " href=\"index."}},
        {"x href", "href", {"1", "x href"}}, // near the end: shorter
        {"<a\r\nhref=x>", "href", {"2", "\r\nhref=x>"}},
        {"<a href=x>", "HREF", {}},
        {"", "href", {}},
        {"href", "", {}},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(Find(C.Text, C.Pattern), C.Expected) << C.Text;
}

TEST(FindStringInFileTest, OccurrencesNeverOverlapAndPiecesStartAfterThePreviousOne) {
    EXPECT_EQ(Find("aaaa", "aa", false, 0, 0), (TPairs{"1", "aa", "1", "aa"}));
    EXPECT_EQ(Find("aaaaa", "aa"), (TPairs{"1", "aaaaa", "1", "aaa"}));
    EXPECT_EQ(Find("href href", "href"), (TPairs{"1", "href href", "1", " href"}));
}

TEST(FindStringInFileTest, IgnoreCaseFoldsAsciiLetters) {
    EXPECT_EQ(Find("<A HREF=x>", "href", true), (TPairs{"1", "A HREF=x>"}));
    EXPECT_EQ(Find("<a href=x>", "HREF", true), (TPairs{"1", "a href=x>"}));
    EXPECT_EQ(Find("<A HREF=x>", "href", false), TPairs{});
}

TEST(FindStringInFileTest, PiecesAreWidenedToWholeCharactersOfTheFilesCharset) {
    // UTF-8: HIRAGANA A and I take 3 bytes, the grinning face 4. CP932: "\x95\x5C" and
    // "\x83\x5C" (HYOU, KATAKANA SO) end in a backslash byte, "\x83\x41" (KATAKANA A) in the
    // letter A. EUC-JP and GBK: "\xC9\xBD" and "\xB1\xED" are HYOU.
    const TCharset Gbk = TCharset::FromLabel("GBK");
    struct TCase {
        TCharset Charset;
        std::string Text;
        size_t BytesBefore, BytesAfter;
        std::string Expected;
    };
    const TCase Cases[] = {
        {TCharset::Utf8(), "\xE3\x81\x82\xE3\x81\x84xyz0123456789", 2, 7,
         "\xE3\x81\x84xyz0123456"}, // the start inside a character
        {TCharset::Utf8(), "xyz01234567\xE3\x81\x82z", 2, 7, "xyz01234567\xE3\x81\x82"},
        {TCharset::Utf8(), "xyz012345\xF0\x9F\x98\x80z", 2, 7, "xyz012345\xF0\x9F\x98\x80"},
        {TCharset(), "xyz01234567\xE3\x81\x82z", 2, 7, "xyz01234567\xE3\x81\x82"}, // code page
        {TCharset::Cp932(),
         "\x83\x5C"
         "axyz0123456789",
         2, 7,
         "\x83\x5C"
         "axyz0123456"}, // the start on a second byte that is a backslash
        {TCharset::Cp932(), "a\x95\x5Cxyz0123456789", 2, 7, "\x95\x5Cxyz0123456"},
        {TCharset::Cp932(), "xyz01234567\x95\x5Cz", 2, 7, "xyz01234567\x95\x5C"},
        {TCharset::Cp932(), "xyz0123456\x95\x5Cz", 2, 7, "xyz0123456\x95\x5C"},
        {TCharset::Cp932(), "\x83\x41\x83\x41xyz0123456789", 1, 3, "\x83\x41xyz012"},
        {TCharset::Cp932(), "AAxyz0123456789", 1, 3, "Axyz012"}, // the same byte, a letter
        {TCharset::EucJp(),
         "\xC9\xBD"
         "axyz0123456789",
         2, 7,
         "\xC9\xBD"
         "axyz0123456"},
        {Gbk,
         "\xB1\xED"
         "axyz0123456789",
         2, 7,
         "\xB1\xED"
         "axyz0123456"},
        {Gbk, "xyz01234567\xB1\xEDz", 2, 7, "xyz01234567\xB1\xED"},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(Find(C.Text, "xyz", false, C.BytesBefore, C.BytesAfter, C.Charset),
                  (TPairs{"1", C.Expected}))
            << C.Charset.Name() << " " << C.Text;
}

TEST(FindStringInFileTest, ReadingErrorsReachTheCaller) {
    TTempDir Temp;
    const std::string Missing = Temp.Path() + "missing.htm";
    TRecordingHost Host;
    EXPECT_THROW(FindStringInFile(Missing, "href", Before, After, false, {}, Host), EInOutError);
    ASSERT_EQ(Host.Messages.size(), 1u); // only the reader's own message
    EXPECT_EQ(Host.Messages[0].Text, "ファイルをオープンできません\r\n" + Missing);

    const std::string Binary = Temp.Write("image.gif", std::string(20, '\x01') + "href");
    TRecordingHost BinaryHost;
    EXPECT_THROW(FindStringInFile(Binary, "href", Before, After, false, {}, BinaryHost),
                 ENotTextFileError);
    EXPECT_TRUE(BinaryHost.Messages.empty());
}

} // namespace
} // namespace orvel::test
