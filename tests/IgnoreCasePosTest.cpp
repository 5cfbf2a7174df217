// The case-insensitive search that folds only the ASCII letters a-z.
#include "support/IgnoreCasePos.h"

#include <gtest/gtest.h>
#include <string>

namespace orvel::test {
namespace {

using namespace std::string_literals;

struct TPosCase {
    std::string Pattern, Text;
    size_t Position;
};

TEST(IgnoreCasePosTest, FindsTheFirstOccurrenceWithoutRegardToAsciiCase) {
    const TPosCase Cases[] = {
        {"HREF", "<a href=x>", 4},
        {"href", "<A HREF=x>", 4},
        {"a", "A", 1},
        {"b", "abcb", 2},
        {"aab", "aaab", 2}, // a partial match at 1 does not hide the match at 2
        {"abc", "ab", 0},
        {"href", "<a src=x>", 0},
        {"[", "{", 0}, // only letters are folded
        {"@", "`", 0},
    };
    for (const TPosCase& C : Cases)
        EXPECT_EQ(IgnoreCasePos(C.Pattern, C.Text), C.Position) << C.Pattern << " in " << C.Text;
}

TEST(IgnoreCasePosTest, EmptyPatternOrTextGivesZero) {
    EXPECT_EQ(IgnoreCasePos("", "abc"), 0u);
    EXPECT_EQ(IgnoreCasePos("a", ""), 0u);
    EXPECT_EQ(IgnoreCasePos("", ""), 0u);
}

TEST(IgnoreCasePosTest, StopsAtTheFirstZeroByte) {
    EXPECT_EQ(IgnoreCasePos("href", "abc\0href"s), 0u);
    EXPECT_EQ(IgnoreCasePos("c", "abc\0"s), 3u);
    EXPECT_EQ(IgnoreCasePos("c\0d"s, "abc\0d"s), 0u);
}

TEST(IgnoreCasePosTest, ComparesOtherBytesAsTheyAre) {
    const TPosCase Cases[] = {
        {"\xC3\xA9", "caf\xC3\xA9", 4}, // e-acute in UTF-8
        {"\xC3\x89", "caf\xC3\xA9", 0}, // E-acute is not folded to e-acute
        {"\x83\x41", "\x83\x61", 1},    // a letter byte inside a double-byte character folds
        {"abc",
         "\x83\x41"
         "BC",
         2},                                 // a match may begin at any byte
        {"\xEF\xBC\xA1", "\xEF\xBD\x81", 0}, // full-width A and a stay apart
    };
    for (const TPosCase& C : Cases)
        EXPECT_EQ(IgnoreCasePos(C.Pattern, C.Text), C.Position);
}

} // namespace
} // namespace orvel::test
