#include "support/FindStringInFile.h"

#include "support/CodePage.h"
#include "support/IgnoreCasePos.h"
#include "support/ReadFileAll.h"

#include <algorithm>
#include <exception>

namespace orvel {

namespace {
// Every kind of line break becomes CR LF.
std::string UniformLineBreaks(const std::string& Text) {
    std::string Result;
    Result.reserve(Text.size() + Text.size() / 16);
    for (size_t I = 0; I < Text.size(); ++I) {
        const char C = Text[I];
        if (C != '\r' && C != '\n') {
            Result.push_back(C);
            continue;
        }
        const char Other = C == '\r' ? '\n' : '\r';
        if (I + 1 < Text.size() && Text[I + 1] == Other) ++I;
        Result.append("\r\n");
    }
    return Result;
}

bool IsUtf8Continuation(char C) {
    return (static_cast<unsigned char>(C) & 0xC0) == 0x80;
}

size_t Utf8SequenceLength(unsigned char Lead) {
    if (Lead >= 0xF0) return 4;
    if (Lead >= 0xE0) return 3;
    if (Lead >= 0xC0) return 2;
    return 1;
}

// True when Text[Index] is the second byte of a double-byte character, reading from Text's start.
class TCp932Reader {
public:
    explicit TCp932Reader(std::string_view Text) : Text(Text) {}
    bool IsTrail(size_t Index) {
        for (; Pos < Index; ++Pos)
            Trail = !Trail && IsLeadByte(static_cast<unsigned char>(Text[Pos]));
        return Trail;
    }

private:
    std::string_view Text;
    size_t Pos = 0;
    bool Trail = false; // whether the byte at Pos is a trail byte
};

// The piece never begins or ends inside a character of the code page.
std::string_view TrimPiece(std::string_view Rest, size_t Start, size_t Length, size_t Limit) {
    if (CurrentCodePage() == TCodePage::cpCp932) {
        TCp932Reader Reader(Rest);
        if (Reader.IsTrail(Start)) ++Start;
        std::string_view Piece = Rest.substr(Start, Length);
        bool Trail = false;
        for (size_t I = 0; I < Piece.size(); ++I) {
            const bool Lead = !Trail && IsLeadByte(static_cast<unsigned char>(Piece[I]));
            if (Lead && I + 1 == Piece.size()) Piece.remove_suffix(1);
            Trail = Lead;
        }
        return Piece;
    }
    while (Start < Limit && IsUtf8Continuation(Rest[Start]))
        ++Start;
    std::string_view Piece = Rest.substr(Start, Length);
    for (size_t Back = 1; Back <= std::min<size_t>(3, Piece.size()); ++Back) {
        const unsigned char B = static_cast<unsigned char>(Piece[Piece.size() - Back]);
        if (IsUtf8Continuation(static_cast<char>(B))) continue;
        if (Utf8SequenceLength(B) > Back) Piece.remove_suffix(Back);
        break;
    }
    return Piece;
}
} // namespace

std::vector<std::string> FindStringInFile(const std::string& Path, const std::string& Pattern,
                                          size_t BytesBefore, size_t BytesAfter, bool IgnoreCase,
                                          TMessageHost& Host) {
    const std::string Text = UniformLineBreaks(ReadFileAll(Path, Host));
    std::vector<std::string> Result;
    try {
        size_t Lines = 0;
        std::string_view Rest(Text);
        while (!Pattern.empty()) {
            size_t B; // 0-based position in Rest
            if (IgnoreCase) {
                const size_t Pos = IgnoreCasePos(Pattern, Rest);
                if (Pos == 0) break;
                B = Pos - 1;
            } else {
                B = Rest.find(Pattern);
                if (B == std::string_view::npos) break;
            }
            Lines += static_cast<size_t>(
                std::count(Rest.begin(), Rest.begin() + static_cast<std::ptrdiff_t>(B), '\r'));
            const size_t Start = B > BytesBefore ? B - BytesBefore : 0;
            const std::string_view Piece =
                TrimPiece(Rest, Start, Pattern.size() + BytesBefore + BytesAfter, B);
            Result.push_back(std::to_string(Lines + 1));
            Result.emplace_back(Piece);
            Rest.remove_prefix(B + Pattern.size());
        }
    } catch (const std::exception&) {
        Host.ShowMessageBox(TMessageKind::mkError, "予期せぬエラーです。(T_T)");
    }
    return Result;
}

} // namespace orvel
