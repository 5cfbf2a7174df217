// The system code page: lead and trail bytes, the two upper-casings and the case-insensitive
// comparison, in UTF-8 and in CP932.
#include "CodePageFixture.h"

#include "support/CodePage.h"

#include <clocale>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace orvel::test {
namespace {

struct TByteCase {
    unsigned char Byte;
    bool Lead;
};

TEST(CodePageTest, Utf8LeadBytesBeginMultiByteSequences) {
    const TByteCase Cases[] = {
        {'a', false},  {0x7F, false}, {0x80, false}, {0xA9, false},
        {0xBF, false}, {0xC3, true},  {0xE3, true},  {0xF0, true},
    };
    for (const TByteCase& C : Cases)
        EXPECT_EQ(IsLeadByte(C.Byte), C.Lead) << "byte " << int(C.Byte);
}

class CodePageCp932Test : public TCp932Test {};

TEST_F(CodePageCp932Test, LeadBytesAreTheTwoShiftJisRanges) {
    const TByteCase Cases[] = {
        {'a', false},  {0x5C, false}, {0x80, false}, {0x81, true}, {0x9F, true},  {0xA0, false},
        {0xB1, false}, {0xDF, false}, {0xE0, true},  {0xFC, true}, {0xFD, false}, {0xFF, false},
    };
    for (const TByteCase& C : Cases)
        EXPECT_EQ(IsLeadByte(C.Byte), C.Lead) << "byte " << int(C.Byte);
}

TEST(CodePageTest, Utf8TrailBytesAreContinuationBytes) {
    const std::string Text = "a\xE3\x81\x82z"; // a, HIRAGANA A (3 bytes), z
    EXPECT_FALSE(IsTrailByteAt(Text, 0));
    EXPECT_FALSE(IsTrailByteAt(Text, 1));
    EXPECT_TRUE(IsTrailByteAt(Text, 2));
    EXPECT_TRUE(IsTrailByteAt(Text, 3));
    EXPECT_FALSE(IsTrailByteAt(Text, 4));
    EXPECT_FALSE(IsTrailByteAt(Text, 5)); // past the end
}

TEST_F(CodePageCp932Test, TrailBytesAreFoundByReadingFromTheStart) {
    // "\x83\x41" is one character whose second byte is the letter A; "\x82\x82" is one character
    // whose second byte is itself in the lead range.
    const std::string Text = "\x83\x41"
                             "A"
                             "\x82\x82\x82\x82";
    EXPECT_FALSE(IsTrailByteAt(Text, 0));
    EXPECT_TRUE(IsTrailByteAt(Text, 1));
    EXPECT_FALSE(IsTrailByteAt(Text, 2)); // the same byte value, but a character of its own
    EXPECT_FALSE(IsTrailByteAt(Text, 3));
    EXPECT_TRUE(IsTrailByteAt(Text, 4));
    EXPECT_FALSE(IsTrailByteAt(Text, 5));
    EXPECT_TRUE(IsTrailByteAt(Text, 6));
    EXPECT_FALSE(IsTrailByteAt(Text, 7)); // past the end
}

TEST(CodePageTest, Utf8UpperCasingFoldsOnlyAsciiLetters) {
    // "\xC3\xA4" is a-umlaut and "\xEF\xBD\x81" a full-width a: both stay as they are.
    EXPECT_EQ(AnsiUpperCase("index.html"), "INDEX.HTML");
    EXPECT_EQ(AnsiUpperCase("/site/\xC3\xA4/\xEF\xBD\x81z.htm"),
              "/SITE/\xC3\xA4/\xEF\xBD\x81Z.HTM");
    EXPECT_EQ(AnsiUpperCase(""), "");
    EXPECT_EQ(AnsiUpperCase("a-z{`@[}"), "A-Z{`@[}");
}

TEST_F(CodePageCp932Test, LocaleUpperCasingLeavesDoubleByteCharactersIntact) {
    // The second byte of "\x83\x61" is the letter a; that of "\x82\x82" lies in the lead range,
    // so the letter after it is a character of its own and is folded.
    EXPECT_EQ(AnsiUpperCase("a\x83\x61"
                            "b"),
              "A\x83\x61"
              "B");
    EXPECT_EQ(AnsiUpperCase("\x82\x82"
                            "a"),
              "\x82\x82"
              "A");
    EXPECT_EQ(AnsiUpperCase("x\x81"), "X\x81"); // a lead byte cut off at the end
}

TEST_F(CodePageCp932Test, AsciiUpperCasingFoldsEveryLetterByte) {
    EXPECT_EQ(AsciiUpperCase("a\x83\x61"
                             "b"),
              "A\x83\x41"
              "B");
}

struct TCompareCase {
    const char* A;
    const char* B;
    int Sign;
};

int Sign(int Value) {
    return (Value > 0) - (Value < 0);
}

TEST(CodePageTest, CompareTextIgnoresLetterCase) {
    const TCompareCase Cases[] = {
        {"index.html", "INDEX.HTML", 0},
        {"", "", 0},
        {"", "a", -1},
        {"abc", "abd", -1},
        {"ab", "abc", -1},
        {"abc", "ab", 1},
        {"Z", "a", 1}, // Z after A, although 'Z' < 'a' as bytes
        {"_", "a", 1}, // compared with 'A' after upper-casing
        {"B", "a", 1},
        {"\xC3\xA4", "\xC3\x84", 1}, // a-umlaut and A-umlaut differ: only ASCII is folded
        {"p00123.html#sec2", "P00123.HTML", 1}, // equal in the first eight bytes
        {"abcdefghij", "ABCDEFGHIK", -1},
        {"abcdefgh", "abcdefghi", -1},
        {"aaaaaaaaaaaaaaaaZ", "AAAAAAAAAAAAAAAAb", 1},
    };
    for (const TCompareCase& C : Cases) {
        EXPECT_EQ(Sign(AnsiCompareText(C.A, C.B)), C.Sign) << C.A << " vs " << C.B;
        EXPECT_EQ(Sign(AnsiCompareText(C.B, C.A)), -C.Sign) << C.B << " vs " << C.A;
    }
}

// Comparing eight bytes at a time and by the sort key gives what comparing the upper-cased
// copies byte by byte gives, in either code page.
TEST(CodePageTest, CompareTextAndSortKeyAgreeWithTheUpperCasedCopies) {
    std::mt19937 Random(20261208);
    const char Alphabet[] = {'a', 'A', 'z', 'Z', '`', '{', '@', '[', '0', '\x80', '\x83', '\xff'};
    const auto Text = [&] {
        std::string T(Random() % 20, ' ');
        for (char& C : T)
            C = Alphabet[Random() % sizeof Alphabet];
        return T;
    };
    for (TCodePage CodePage : {TCodePage::cpUtf8, TCodePage::cpCp932}) {
        SetCodePage(CodePage);
        for (int Round = 0; Round < 5000; ++Round) {
            const std::string A = Text(), B = Random() % 4 ? Text() : A + Text();
            const int Expected = Sign(AnsiUpperCase(A).compare(AnsiUpperCase(B)));
            ASSERT_EQ(Sign(AnsiCompareText(A, B)), Expected) << A << " vs " << B;
            const std::uint64_t KeyA = AnsiSortKey(A), KeyB = AnsiSortKey(B);
            if (KeyA != KeyB) {
                ASSERT_EQ(KeyA < KeyB ? -1 : 1, Expected) << A << " vs " << B;
            }
        }
    }
    SetCodePage(TCodePage::cpUtf8);
}

TEST_F(CodePageCp932Test, CompareTextKeepsTrailBytesApart) {
    EXPECT_NE(AnsiCompareText("\x83\x61", "\x83\x41"), 0);
    EXPECT_EQ(AnsiCompareText("\x83\x61"
                              "x",
                              "\x83\x61"
                              "X"),
              0);
}

// Restores the locale and the code page that the other tests expect.
class CodePageLocaleTest : public ::testing::Test {
protected:
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        SetCodePage(TCodePage::cpUtf8);
    }
};

TEST_F(CodePageLocaleTest, AnyCharsetOtherThanShiftJisIsUtf8) {
    SetCodePage(TCodePage::cpCp932);
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    InitCodePageFromLocale();
    EXPECT_EQ(CurrentCodePage(), TCodePage::cpUtf8);
}

TEST_F(CodePageLocaleTest, ShiftJisLocaleIsCp932) {
    const char* const Names[] = {"ja_JP.SJIS", "ja_JP.sjis", "ja_JP.Shift_JIS", "ja_JP.CP932"};
    bool Found = false;
    for (const char* Name : Names)
        if (std::setlocale(LC_ALL, Name)) {
            Found = true;
            break;
        }
    if (!Found) GTEST_SKIP() << "no Shift-JIS locale is installed";
    InitCodePageFromLocale();
    EXPECT_EQ(CurrentCodePage(), TCodePage::cpCp932);
}

} // namespace
} // namespace orvel::test
