// The case-insensitive search that folds only the ASCII letters a-z.
#include "support/FindIgnoringCase.h"

#include <gtest/gtest.h>
#include <string>

namespace orvel::test {
namespace {

using namespace std::string_literals;
constexpr size_t No = std::string_view::npos;

struct TPosCase {
    std::string Pattern, Text;
    size_t Position;
};

TEST(FindIgnoringCaseTest, FindsTheFirstOccurrenceWithoutRegardToAsciiCase) {
    const TPosCase Cases[] = {
        {"HREF", "<a href=x>", 3},
        {"href", "<A HREF=x>", 3},
        {"a", "A", 0},
        {"b", "abcb", 1},
        {"aab", "aaab", 1}, // a partial match at 0 does not hide the match at 1
        {"abc", "ab", No},
        {"href", "<a src=x>", No},
        {"[", "{", No}, // only letters are folded
        {"@", "`", No},
    };
    for (const TPosCase& C : Cases)
        EXPECT_EQ(FindIgnoringCase(C.Text, C.Pattern), C.Position) << C.Pattern << " in " << C.Text;
}

TEST(FindIgnoringCaseTest, EmptyPatternOrTextFindsNothing) {
    EXPECT_EQ(FindIgnoringCase("abc", ""), No);
    EXPECT_EQ(FindIgnoringCase("", "a"), No);
    EXPECT_EQ(FindIgnoringCase("", ""), No);
}

TEST(FindIgnoringCaseTest, StopsAtTheFirstZeroByte) {
    EXPECT_EQ(FindIgnoringCase("abc\0href"s, "href"), No);
    EXPECT_EQ(FindIgnoringCase("abc\0"s, "c"), 2u);
    EXPECT_EQ(FindIgnoringCase("abc\0d"s, "c\0d"s), No);
}

TEST(FindIgnoringCaseTest, ComparesOtherBytesAsTheyAre) {
    const TPosCase Cases[] = {
        {"\xC3\xA9", "caf\xC3\xA9", 3},  // e-acute in UTF-8
        {"\xC3\x89", "caf\xC3\xA9", No}, // E-acute is not folded to e-acute
        {"\x83\x41", "\x83\x61", 0},     // a letter byte inside a double-byte character folds
        {"abc",
         "\x83\x41"
         "BC",
         1},                                  // a match may begin at any byte
        {"\xEF\xBC\xA1", "\xEF\xBD\x81", No}, // full-width A and a stay apart
    };
    for (const TPosCase& C : Cases)
        EXPECT_EQ(FindIgnoringCase(C.Text, C.Pattern), C.Position);
}

} // namespace
} // namespace orvel::test
