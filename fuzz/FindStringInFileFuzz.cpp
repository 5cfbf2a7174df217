// Finding a text in a file: pairs of a line number and a piece, line numbers from 1 and never
// decreasing, pieces no longer than the pattern and the bytes around it widened to whole
// characters; no unexpected error.
//
// Input: one switch byte (code page, letter case, charset), the pattern, a NUL byte, the text.
#include "FuzzSupport.h"

#include "support/FindStringInFile.h"
#include "support/ReadFileAll.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

using namespace orvel;
using namespace orvel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    static TMemoryFile File;
    UseCodePageOf(Data[0]);
    const bool IgnoreCase = Data[0] & 2;
    const TCharset Charsets[] = {TCharset(),
                                 TCharset::Utf8(),
                                 TCharset::Cp932(),
                                 TCharset::EucJp(),
                                 TCharset::FromLabel("ISO-8859-1"),
                                 TCharset::FromLabel("GBK")};
    const TCharset Charset = Charsets[(Data[0] >> 2) % std::size(Charsets)];
    const std::string_view Input(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    const size_t Split = Input.find('\0');
    if (Split == std::string_view::npos) return 0;
    const std::string Pattern(Input.substr(0, Split));
    const std::string Path = File.Hold(Input.substr(Split + 1));
    TQuietHost Host;
    std::vector<std::string> Found;
    try {
        Found = FindStringInFile(Path, Pattern, 2, 7, IgnoreCase, Charset, Host);
    } catch (const ENotTextFileError&) {
        return 0;
    }
    Require(Host.LastMessage.empty(), "no unexpected error");
    Require(Found.size() % 2 == 0, "line numbers and pieces come in pairs");
    long Previous = 1;
    for (size_t I = 0; I < Found.size(); I += 2) {
        const long Line = std::stol(Found[I]);
        Require(Line >= Previous, "line numbers start at 1 and never decrease");
        Previous = Line;
        // A character of at most four bytes may widen each end by three.
        Require(Found[I + 1].size() <= Pattern.size() + 9 + 6, "a piece is no longer than asked");
    }
    return 0;
}
