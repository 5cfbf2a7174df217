#include "mylib/PathRules.h"

#include "mylib/CodePage.h"

#include <unistd.h>
#include <vector>

namespace orvel {

char PathSeparator(TPathStyle Style) {
    return Style == TPathStyle::psWindows ? '\\' : '/';
}

namespace {
// Calls F(index) for each separator of the path, passing over double-byte characters whole.
template <typename F> void ForEachSeparator(std::string_view Path, TPathStyle Style, F&& Visit) {
    const bool Cp932 = CurrentCodePage() == TCodePage::cpCp932;
    for (size_t I = 0; I < Path.size(); ++I) {
        const unsigned char B = static_cast<unsigned char>(Path[I]);
        if (Cp932 && IsLeadByte(B)) {
            ++I;
            continue;
        }
        if (B == '/' || (Style == TPathStyle::psWindows && B == '\\')) Visit(I);
    }
}
} // namespace

bool IsPathSeparatorAt(std::string_view Path, size_t Index, TPathStyle Style) {
    if (Index >= Path.size()) return false;
    const char C = Path[Index];
    if (C == '/') return true;
    return Style == TPathStyle::psWindows && C == '\\' && !IsTrailByteAt(Path, Index);
}

size_t LastSeparator(std::string_view Path, TPathStyle Style) {
    size_t Last = std::string_view::npos;
    ForEachSeparator(Path, Style, [&](size_t I) { Last = I; });
    return Last;
}

std::string BareFileName(std::string_view Path, TPathStyle Style) {
    size_t Start = LastSeparator(Path, Style);
    Start = Start == std::string_view::npos ? 0 : Start + 1;
    if (Style == TPathStyle::psWindows) {
        const size_t Colon = Path.rfind(':');
        if (Colon != std::string_view::npos && Colon + 1 > Start) Start = Colon + 1;
    }
    return std::string(Path.substr(Start));
}

std::string ExtractFolder(std::string_view Path, TPathStyle Style) {
    const size_t Last = LastSeparator(Path, Style);
    return Last == std::string_view::npos ? std::string() : std::string(Path.substr(0, Last + 1));
}

std::string ExtractExtension(std::string_view Path, TPathStyle Style) {
    const std::string Name = BareFileName(Path, Style);
    const size_t Dot = Name.rfind('.');
    return Dot == std::string::npos ? std::string() : Name.substr(Dot);
}

std::string IncludeTrailingSeparator(std::string_view Path, TPathStyle Style) {
    std::string Result(Path);
    if (Result.empty() || !IsPathSeparatorAt(Result, Result.size() - 1, Style))
        Result.push_back(PathSeparator(Style));
    return Result;
}

std::string ExpandFileName(std::string_view Path, TPathStyle Style) {
    const char Sep = PathSeparator(Style);
    std::string Full(Path);
    // The root: "/" for POSIX; "X:\" or "\\server\share\" for Windows.
    std::string Root;
    size_t Rest = 0;
    if (Style == TPathStyle::psPosix) {
        if (Full.empty() || Full[0] != '/') {
            char Buffer[4096];
            const std::string Cwd = getcwd(Buffer, sizeof Buffer) ? Buffer : "/";
            Full = IncludeTrailingSeparator(Cwd, Style) + Full;
        }
        Root = "/";
        Rest = 1;
    } else if (Full.size() >= 2 && Full[1] == ':') {
        Root = Full.substr(0, 2) + Sep;
        Rest = 2;
    } else if (Full.size() >= 2 && IsPathSeparatorAt(Full, 0, Style) &&
               IsPathSeparatorAt(Full, 1, Style)) {
        // Server and share are part of the root and never climbed out of.
        size_t Count = 0, I = 2;
        for (; I < Full.size() && Count < 2; ++I)
            if (IsPathSeparatorAt(Full, I, Style)) ++Count;
        Root = "\\\\" + Full.substr(2, I - 2);
        if (Count < 2) Root = IncludeTrailingSeparator(Root, Style);
        Rest = I;
    } else {
        Root = std::string(1, Sep);
    }

    std::vector<std::string_view> Segments;
    const std::string_view View(Full);
    size_t Start = Rest;
    std::vector<size_t> Cuts;
    ForEachSeparator(View, Style, [&](size_t I) {
        if (I >= Rest) Cuts.push_back(I);
    });
    Cuts.push_back(View.size());
    for (size_t Cut : Cuts) {
        const std::string_view Segment = View.substr(Start, Cut - Start);
        Start = Cut + 1;
        if (Segment.empty() || Segment == ".") continue;
        if (Segment == "..") {
            if (!Segments.empty()) Segments.pop_back();
            continue;
        }
        Segments.push_back(Segment);
    }
    std::string Result = Root;
    for (size_t I = 0; I < Segments.size(); ++I) {
        if (I) Result.push_back(Sep);
        Result.append(Segments[I]);
    }
    const bool TrailingSeparator =
        !View.empty() && View.size() > Rest && IsPathSeparatorAt(View, View.size() - 1, Style);
    if (TrailingSeparator && !Segments.empty()) Result.push_back(Sep);
    return Result;
}

std::string ContainingFolder(std::string_view Path, TPathStyle Style) {
    const size_t Last = LastSeparator(Path, Style);
    if (Last == std::string_view::npos) return std::string();
    // Only Windows paths have drives; in POSIX paths a colon is an ordinary name byte.
    const bool AfterDrive = Style == TPathStyle::psWindows && Last > 0 && Path[Last - 1] == ':';
    const bool KeepSeparator = Last == 0 || AfterDrive || IsPathSeparatorAt(Path, Last - 1, Style);
    return std::string(Path.substr(0, KeepSeparator ? Last + 1 : Last));
}

} // namespace orvel
