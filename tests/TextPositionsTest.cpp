// Lines and columns of places in a text, as editors number them.
#include "support/TextPositions.h"

#include <gtest/gtest.h>

namespace orvel::test {
namespace {

TEST(TextPositionsTest, LinesEndAtEveryKindOfBreakAndColumnsCountCharacters) {
    // Lines: "ab", "c" (CR LF), "d" (lone CR), then "é日x" and "y" after LF.
    const std::string Text = "ab\r\nc\rd\n\xC3\xA9\xE6\x97\xA5x\ny";
    const std::vector<size_t> Offsets = {13, 0, 1, 4, 6, 8, 10, 15, 99};
    const std::vector<TTextPosition> Expected = {{4, 3}, {1, 1}, {1, 2}, {2, 1}, {3, 1},
                                                 {4, 1}, {4, 2}, {5, 1}, {0, 0}};
    const std::vector<TTextPosition> Found = TextPositions(Text, Offsets, TCharset::Utf8());
    ASSERT_EQ(Found.size(), Expected.size());
    for (size_t I = 0; I < Found.size(); ++I) {
        EXPECT_EQ(Found[I].Line, Expected[I].Line) << "offset " << Offsets[I];
        EXPECT_EQ(Found[I].Column, Expected[I].Column) << "offset " << Offsets[I];
    }
    // Shift_JIS: a double-byte character is one column, its second byte no line break.
    const std::vector<TTextPosition> Sjis =
        TextPositions("\x95\x5C\x8E\xA6<a\n\x82\xA0\x0A", {4, 8}, TCharset::Cp932());
    EXPECT_EQ(Sjis[0].Column, 3);
    EXPECT_EQ(Sjis[1].Line, 2);
    EXPECT_EQ(Sjis[1].Column, 2);
}

TEST(TextPositionsTest, ATextReadPieceByPieceCountsAcrossThePieces) {
    // Lines of an odd length: the pieces end at every place of a line, within a character and
    // between CR and LF.
    std::string LineText;
    for (int I = 0; I < 100; ++I)
        LineText += "\x82\xA0"; // Shift_JIS of あ
    LineText += "x<a\r\n";
    std::string Text;
    std::vector<size_t> Offsets;
    while (Text.size() < 3'000'000) {
        Offsets.push_back(Text.size() + 201);
        Text += LineText;
    }
    const std::vector<TTextPosition> Found = TextPositions(Text, Offsets, TCharset::Cp932());
    for (size_t I = 0; I < Found.size(); ++I) {
        ASSERT_EQ(Found[I].Line, static_cast<int>(I) + 1);
        ASSERT_EQ(Found[I].Column, 102) << "line " << I + 1;
    }
    // The next, shorter text ends where it ends, whatever the last one left behind.
    EXPECT_EQ(TextPositions("ab", {5}, TCharset::Cp932())[0].Line, 0);
}

} // namespace
} // namespace orvel::test
