#include "support/PathRules.h"

#include "support/CodePage.h"

#include <algorithm>
#include <unistd.h>
#include <vector>

namespace orvel {

char PathSeparator(TPathStyle Style) {
    return Style == TPathStyle::psWindows ? '\\' : '/';
}

namespace {
// True when Path[I] begins a CP932 double-byte character, whose second byte is never taken for
// a separator. A "/" is never a second byte (it is no trail byte of CP932): after a lead byte
// it still separates, as IsPathSeparatorAt says.
bool BeginsDoubleByte(std::string_view Path, size_t I, bool Cp932) {
    return Cp932 && IsLeadByte(static_cast<unsigned char>(Path[I])) && I + 1 < Path.size() &&
           Path[I + 1] != '/';
}

// Calls F(index) for each separator of the path, passing over double-byte characters whole.
template <typename F> void ForEachSeparator(std::string_view Path, TPathStyle Style, F&& Visit) {
    const bool Cp932 = CurrentCodePage() == TCodePage::cpCp932;
    if (!Cp932 && Style == TPathStyle::psPosix) { // no byte hides a separator: search them
        for (size_t I = Path.find('/'); I != std::string_view::npos; I = Path.find('/', I + 1))
            Visit(I);
        return;
    }
    for (size_t I = 0; I < Path.size(); ++I) {
        if (BeginsDoubleByte(Path, I, Cp932)) {
            ++I;
            continue;
        }
        const char C = Path[I];
        if (C == '/' || (Style == TPathStyle::psWindows && C == '\\')) Visit(I);
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
    if (CurrentCodePage() != TCodePage::cpCp932 && Style == TPathStyle::psPosix)
        return Path.rfind('/');
    size_t Last = std::string_view::npos;
    ForEachSeparator(Path, Style, [&](size_t I) { Last = I; });
    return Last;
}

size_t BareFileNameStart(std::string_view Path, TPathStyle Style) {
    size_t Start = LastSeparator(Path, Style);
    Start = Start == std::string_view::npos ? 0 : Start + 1;
    if (Style == TPathStyle::psWindows) {
        const size_t Colon = Path.rfind(':');
        if (Colon != std::string_view::npos && Colon + 1 > Start) Start = Colon + 1;
    }
    return Start;
}

std::string BareFileName(std::string_view Path, TPathStyle Style) {
    return std::string(Path.substr(BareFileNameStart(Path, Style)));
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

void UnifySeparators(std::string& Path, size_t From, TPathStyle Style) {
    const char Sep = PathSeparator(Style);
    const char Other = Sep == '/' ? '\\' : '/';
    const bool Cp932 = CurrentCodePage() == TCodePage::cpCp932;
    if (!Cp932) { // no byte hides a separator: search them
        for (size_t I = Path.find(Other, From); I != std::string::npos; I = Path.find(Other, I + 1))
            Path[I] = Sep;
        return;
    }
    for (size_t I = From; I < Path.size(); ++I) {
        if (BeginsDoubleByte(Path, I, Cp932)) {
            ++I;
            continue;
        }
        if (Path[I] == Other) Path[I] = Sep;
    }
}

bool IsAbsolutePath(std::string_view Path, TPathStyle Style) {
    if (IsPathSeparatorAt(Path, 0, Style)) return true;
    return Style == TPathStyle::psWindows && Path.size() >= 2 && Path[1] == ':';
}

namespace {
// Path joined to the current folder, for a relative POSIX path.
std::string JoinedToCurrentFolder(std::string_view Path, TPathStyle Style) {
    char Buffer[4096];
    std::string Joined =
        IncludeTrailingSeparator(getcwd(Buffer, sizeof Buffer) ? Buffer : "/", Style);
    Joined += Path;
    return Joined;
}

// Puts the root "\\server\share\" of Path into Result: server and share are part of the root and
// never climbed out of. Returns where the segments after it begin.
size_t ShareRootInto(std::string& Result, std::string_view Path, TPathStyle Style) {
    size_t Count = 0, I = 2;
    for (; I < Path.size() && Count < 2; ++I)
        if (IsPathSeparatorAt(Path, I, Style)) ++Count;
    Result.assign("\\\\");
    Result += Path.substr(2, I - 2);
    if (Count < 2 && !IsPathSeparatorAt(Result, Result.size() - 1, Style))
        Result += PathSeparator(Style);
    return I;
}

// Puts the root of Path into Result: "/" for POSIX (Path is absolute then); "X:\",
// "\\server\share\" or "\" for Windows. Returns where the segments after it begin.
size_t RootInto(std::string& Result, std::string_view Path, TPathStyle Style) {
    const char Sep = PathSeparator(Style);
    if (Style == TPathStyle::psPosix) {
        Result.assign(1, '/');
        return 1;
    }
    if (Path.size() >= 2 && Path[1] == ':') {
        Result.assign(Path.substr(0, 2));
        Result += Sep;
        return 2;
    }
    if (Path.size() >= 2 && IsPathSeparatorAt(Path, 0, Style) && IsPathSeparatorAt(Path, 1, Style))
        return ShareRootInto(Result, Path, Style);
    Result.assign(1, Sep);
    return 0;
}

// The segments kept so far after the root in Result: where each begins, so that ".." can drop
// the last one.
struct TKeptSegments {
    std::string& Result;
    std::vector<size_t>& Starts;
    const size_t RootSize;
    const char Sep;

    void Take(std::string_view Segment) {
        if (Segment.empty() || Segment == ".") return;
        if (Segment == "..") {
            if (!Starts.empty()) {
                Result.resize(std::max(RootSize, Starts.back() - 1));
                Starts.pop_back();
            }
            return;
        }
        if (!Starts.empty()) Result.push_back(Sep);
        Starts.push_back(Result.size());
        Result.append(Segment);
    }
};

// Appends to Result, which holds the root, the segments of Path from Rest on, without "." and
// with ".." dropping the segment before it; keeps a trailing separator after a segment.
void AppendSegments(std::string& Result, std::string_view Path, size_t Rest, TPathStyle Style) {
    Result.reserve(Result.size() + Path.size());
    thread_local std::vector<size_t> Starts; // reused: this runs for every link
    Starts.clear();
    TKeptSegments Kept{Result, Starts, Result.size(), PathSeparator(Style)};
    size_t Start = Rest;
    ForEachSeparator(Path, Style, [&](size_t I) {
        if (I < Rest) return;
        Kept.Take(Path.substr(Start, I - Start));
        Start = I + 1;
    });
    Kept.Take(Path.substr(Start));
    const bool TrailingSeparator =
        Path.size() > Rest && IsPathSeparatorAt(Path, Path.size() - 1, Style);
    if (TrailingSeparator && !Starts.empty()) Result.push_back(Kept.Sep);
}
} // namespace

void ExpandFileNameInto(std::string& Result, std::string_view Path, TPathStyle Style) {
    std::string Joined; // holds the joined path when a POSIX path is relative
    if (Style == TPathStyle::psPosix && (Path.empty() || Path[0] != '/')) {
        Joined = JoinedToCurrentFolder(Path, Style);
        Path = Joined;
    }
    const size_t Rest = RootInto(Result, Path, Style);
    AppendSegments(Result, Path, Rest, Style);
}

std::string ExpandFileName(std::string_view Path, TPathStyle Style) {
    std::string Result;
    ExpandFileNameInto(Result, Path, Style);
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
