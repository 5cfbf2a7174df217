// File-name patterns: "*" for any run of bytes, "?" for exactly one byte, all else literal.
#include "support/WildCard.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace orvel::test {
namespace {

struct TMatchCase {
    const char* Pattern;
    const char* Name;
    bool Matches;
};

void ExpectMatches(const std::vector<TMatchCase>& Cases) {
    for (const TMatchCase& C : Cases)
        EXPECT_EQ(WildCardMatch(C.Pattern, C.Name), C.Matches)
            << "pattern '" << C.Pattern << "', name '" << C.Name << "'";
}

TEST(WildCardTest, StarMatchesAnyRun) {
    ExpectMatches({
        {"*", "", true},
        {"*", "index.html", true},
        {"*.*", "a.b", true},
        {"*.*", ".", true},
        {"*.*", "README", false},
        {"*.htm", "index.htm", true},
        {"*.htm", "index.html", false},
        {"*.txt", "a.b.txt", true}, // the first dot fails, the second succeeds
        {"*.txt", "a.txt.bak", false},
        {"a*", "a", true},
        {"a*b*c", "abbbc", true},
        {"a*b", "abab", true},
        {"a*b", "abac", false},
        {"*ab", "aab", true},
        {"*a*b", "xaybz", false},
        {"**", "x", true},
        {"*x*", "abc", false},
        {"~*", "~index.htm", true},
        {"~*", "index.htm~", false},
    });
}

TEST(WildCardTest, QuestionMarkTakesExactlyOneByte) {
    ExpectMatches({
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"a?c", "abbc", false},
        {"??", "ab", true},
        {"??", "a", false},
        {"??", "abc", false},
        {"?", "", false},
    });
}

TEST(WildCardTest, MixedRunsNeedAsManyBytesAsQuestionMarks) {
    ExpectMatches({
        {"*?", "a", true},
        {"*?", "abc", true},
        {"*?", "", false},
        {"?*", "a", true},
        {"?*", "abc", true},
        {"?*", "", false},
        {"*?*?*", "a", false},
        {"*?*?*", "ab", true},
        {"a*??", "ab", false},
        {"a*??", "abc", true},
        {"a?*?b", "axyb", true},
        {"a?*?b", "axb", false},
    });
}

TEST(WildCardTest, EveryOtherByteIsLiteralAndCaseSensitive) {
    ExpectMatches({
        {"", "", true},
        {"", "a", false},
        {"a", "", false},
        {"*.BAK", "x.bak", false},
        {"*.bak", "x.bak", true},
        {"a.c", "abc", false},  // the dot is no metacharacter
        {"a\\b", "a\\b", true}, // nor is the backslash an escape
        {"a\\*", "a\\xyz", true},
        {"[ab]", "a", false}, // no character classes
        {"[ab]", "[ab]", true},
    });
}

TEST(WildCardTest, MatchingIsOnBytesNotCharacters) {
    // HIRAGANA A is three bytes in UTF-8; "\x95\x5C" is one CP932 character whose second byte
    // is a backslash.
    ExpectMatches({
        {"?", "\xE3\x81\x82", false},
        {"???", "\xE3\x81\x82", true},
        {"*.htm", "\xE3\x81\x82.htm", true},
        {"*\\", "\x95\x5C", true},
        {"*\\*", "\x95\x5C.htm", true},
    });
}

TEST(WildCardTest, ManyStarsAgainstALongNameFinishAtOnce) {
    const std::string Pattern = "*a*a*a*a*a*a*a*a*b";
    const std::string Name(100000, 'a');
    EXPECT_FALSE(WildCardMatch(Pattern, Name));
    EXPECT_TRUE(WildCardMatch(Pattern, Name + "b"));
    EXPECT_FALSE(WildCardMatch("*?*?*?*?*?*?*?*?c", Name));
}

// The plain recursive matcher: after a run of metacharacters with a "*", try each occurrence of
// the next literal byte from left to right.
bool ReferenceMatch(std::string_view Pattern, std::string_view Name) {
    while (!Pattern.empty()) {
        if (Pattern[0] != '*' && Pattern[0] != '?') {
            if (Name.empty() || Name[0] != Pattern[0]) return false;
            Pattern.remove_prefix(1);
            Name.remove_prefix(1);
            continue;
        }
        size_t Questions = 0;
        bool Star = false;
        while (!Pattern.empty() && (Pattern[0] == '*' || Pattern[0] == '?')) {
            Questions += Pattern[0] == '?';
            Star = Star || Pattern[0] == '*';
            Pattern.remove_prefix(1);
        }
        if (Name.size() < Questions) return false;
        Name.remove_prefix(Questions);
        if (!Star) continue;
        if (Pattern.empty()) return true;
        for (size_t At = Name.find(Pattern[0]); At != std::string_view::npos;
             At = Name.find(Pattern[0], At + 1))
            if (ReferenceMatch(Pattern, Name.substr(At))) return true;
        return false;
    }
    return Name.empty();
}

// Every text of up to MaxLength bytes over the alphabet.
std::vector<std::string> AllTexts(std::string_view Alphabet, size_t MaxLength) {
    std::vector<std::string> Texts = {""};
    for (size_t I = 0; I < Texts.size(); ++I)
        if (Texts[I].size() < MaxLength)
            for (char C : Alphabet)
                Texts.push_back(Texts[I] + C);
    return Texts;
}

TEST(WildCardTest, AgreesWithTheRecursiveMatcherOnAllSmallCases) {
    const std::vector<std::string> Patterns = AllTexts("ab*?", 5);
    const std::vector<std::string> Names = AllTexts("ab", 6);
    ASSERT_EQ(Patterns.size(), 1u + 4 + 16 + 64 + 256 + 1024);
    ASSERT_EQ(Names.size(), 127u);
    int Mismatches = 0;
    for (const std::string& Pattern : Patterns)
        for (const std::string& Name : Names)
            if (WildCardMatch(Pattern, Name) != ReferenceMatch(Pattern, Name) && ++Mismatches <= 10)
                ADD_FAILURE() << "pattern '" << Pattern << "', name '" << Name << "'";
    EXPECT_EQ(Mismatches, 0);
}

} // namespace
} // namespace orvel::test
