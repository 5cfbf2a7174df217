#include "support/FindStringInFile.h"

#include "support/FindIgnoringCase.h"
#include "support/ReadFileAll.h"
#include "support/Translation.h"

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

// The bytes from Start to End widened to whole characters, read from the start of Rest.
std::string_view WholeCharacters(std::string_view Rest, size_t Start, size_t End,
                                 TCharset Charset) {
    size_t From = 0;
    for (size_t Next; (Next = From + CharLength(Rest, From, Charset)) <= Start;)
        From = Next;
    size_t To = From;
    while (To < End)
        To += CharLength(Rest, To, Charset);
    return Rest.substr(From, To - From);
}
} // namespace

std::vector<std::string> FindStringInFile(const std::string& Path, const std::string& Pattern,
                                          size_t BytesBefore, size_t BytesAfter, bool IgnoreCase,
                                          TCharset Charset, TMessageHost& Host) {
    const std::string Text = UniformLineBreaks(ReadFileAll(Path, Host));
    std::vector<std::string> Result;
    try {
        size_t Lines = 0;
        std::string_view Rest(Text);
        while (!Pattern.empty()) {
            const size_t B = IgnoreCase ? FindIgnoringCase(Rest, Pattern) : Rest.find(Pattern);
            if (B == std::string_view::npos) break;
            Lines += static_cast<size_t>(
                std::count(Rest.begin(), Rest.begin() + static_cast<std::ptrdiff_t>(B), '\r'));
            const size_t Start = B > BytesBefore ? B - BytesBefore : 0;
            const size_t End =
                std::min(Rest.size(), Start + Pattern.size() + BytesBefore + BytesAfter);
            const std::string_view Piece = WholeCharacters(Rest, Start, End, Charset);
            Result.push_back(std::to_string(Lines + 1));
            Result.emplace_back(Piece);
            Rest.remove_prefix(B + Pattern.size());
        }
    } catch (const std::exception&) {
        Host.ShowMessageBox(TMessageKind::mkError, Tr("予期せぬエラーです。(T_T)"));
    }
    return Result;
}

} // namespace orvel
