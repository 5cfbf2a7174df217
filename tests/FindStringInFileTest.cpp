// Finding a text in a file: line numbers, the pieces of text around each occurrence, and
// what happens when the file cannot be read.
#include "CodePageFixture.h"
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
            size_t BytesBefore = Before, size_t BytesAfter = After) {
    TTempDir Temp;
    const std::string Path = Temp.Write("page.htm", Content);
    TRecordingHost Host;
    TPairs Result = FindStringInFile(Path, Pattern, BytesBefore, BytesAfter, IgnoreCase, Host);
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

TEST(FindStringInFileTest, Utf8PiecesNeverCutACharacter) {
    // HIRAGANA A and I take 3 bytes each, e-acute 2 and the grinning face 4.
    struct TCase {
        std::string Text, Expected;
    };
    const TCase Cases[] = {
        {"\xE3\x81\x82\xE3\x81\x84xyz0123456789", "xyz012345678"}, // start inside a character
        {"caf\xC3\xA9xyz0123456789", "\xC3\xA9xyz0123456"},        // start on its first byte
        {"xyz0123456\xE3\x81\x82", "xyz0123456"},                  // end after 2 of 3 bytes
        {"xyz01234567\xE3\x81\x82", "xyz01234567"},                // end after 1 of 3 bytes
        {"xyz012345\xF0\x9F\x98\x80", "xyz012345"},                // end after 3 of 4 bytes
        {"xyz012345\xE3\x81\x82z", "xyz012345\xE3\x81\x82"},       // a whole character fits
        {"xyz01234567\xC3\xA9", "xyz01234567"},
        {"xyz0123456\xC3\xA9", "xyz0123456\xC3\xA9"},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(Find(C.Text, "xyz"), (TPairs{"1", C.Expected})) << C.Text;
}

class FindStringInFileCp932Test : public TCp932Test {};

TEST_F(FindStringInFileCp932Test, PiecesNeverCutADoubleByteCharacter) {
    // "\x82\xA0" (HIRAGANA A) has a second byte above 0x7F; "\x83\x41" (KATAKANA A) has the
    // letter A as its second byte; "\x82\x82" has a second byte in the first-byte range.
    struct TCase {
        std::string Text;
        size_t BytesBefore, BytesAfter;
        std::string Expected;
    };
    const TCase Cases[] = {
        {"\x82\xA0"
         "axyz0123456789",
         2, 7, "axyz01234567"},                                // start on a second byte
        {"\x82\xA0xyz0123456789", 2, 7, "\x82\xA0xyz0123456"}, // start on a first byte
        {"\x83\x41\x83\x41xyz0123456789", 1, 3, "xyz0123"},    // a second byte that is a letter
        {"AAxyz0123456789", 1, 3, "Axyz012"},                  // the same byte, a character
        {"\x82\x82"
         "Axyz0123456789",
         1, 3, "Axyz012"}, // after a second byte that looks like a first byte
        {"xyz01234567\x82\xA0", 2, 7, "xyz01234567"},       // end on a first byte
        {"xyz01234567\x82\x82", 2, 7, "xyz01234567"},       // the same value, a first byte
        {"xyz0123456\x82\x82", 2, 7, "xyz0123456\x82\x82"}, // end on a second byte
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(Find(C.Text, "xyz", false, C.BytesBefore, C.BytesAfter),
                  (TPairs{"1", C.Expected}))
            << C.Text;
}

TEST(FindStringInFileTest, ReadingErrorsReachTheCaller) {
    TTempDir Temp;
    const std::string Missing = Temp.Path() + "missing.htm";
    TRecordingHost Host;
    EXPECT_THROW(FindStringInFile(Missing, "href", Before, After, false, Host), EInOutError);
    ASSERT_EQ(Host.Messages.size(), 1u); // only the reader's own message
    EXPECT_EQ(Host.Messages[0].Text, "ファイルをオープンできません\r\n" + Missing);

    const std::string Binary = Temp.Write("image.gif", std::string(20, '\x01') + "href");
    TRecordingHost BinaryHost;
    EXPECT_THROW(FindStringInFile(Binary, "href", Before, After, false, BinaryHost),
                 ENotTextFileError);
    EXPECT_TRUE(BinaryHost.Messages.empty());
}

} // namespace
} // namespace orvel::test
