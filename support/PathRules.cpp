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

void ExpandFileNameInto(std::string& Result, std::string_view Path, TPathStyle Style) {
    const char Sep = PathSeparator(Style);
    std::string Relative; // holds the joined path when Path is relative
    std::string_view View = Path;
    // The root: "/" for POSIX; "X:\" or "\\server\share\" for Windows.
    size_t Rest = 0;
    if (Style == TPathStyle::psPosix) {
        if (View.empty() || View[0] != '/') {
            char Buffer[4096];
            Relative =
                IncludeTrailingSeparator(getcwd(Buffer, sizeof Buffer) ? Buffer : "/", Style);
            Relative += Path;
            View = Relative;
        }
        Result.assign(1, '/');
        Rest = 1;
    } else if (View.size() >= 2 && View[1] == ':') {
        Result.assign(View.substr(0, 2));
        Result += Sep;
        Rest = 2;
    } else if (View.size() >= 2 && IsPathSeparatorAt(View, 0, Style) &&
               IsPathSeparatorAt(View, 1, Style)) {
        // Server and share are part of the root and never climbed out of.
        size_t Count = 0, I = 2;
        for (; I < View.size() && Count < 2; ++I)
            if (IsPathSeparatorAt(View, I, Style)) ++Count;
        Result.assign("\\\\");
        Result += View.substr(2, I - 2);
        if (Count < 2 && !IsPathSeparatorAt(Result, Result.size() - 1, Style)) Result += Sep;
        Rest = I;
    } else {
        Result.assign(1, Sep);
    }
    Result.reserve(Result.size() + View.size());
    const size_t RootSize = Result.size();

    // Where each kept segment begins in Result, so that ".." can drop the last one.
    thread_local std::vector<size_t> Starts;
    Starts.clear();
    size_t Start = Rest;
    const auto Take = [&](size_t Cut) {
        const std::string_view Segment = View.substr(Start, Cut - Start);
        Start = Cut + 1;
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
    };
    ForEachSeparator(View, Style, [&](size_t I) {
        if (I >= Rest) Take(I);
    });
    Take(View.size());
    const bool TrailingSeparator =
        View.size() > Rest && IsPathSeparatorAt(View, View.size() - 1, Style);
    if (TrailingSeparator && !Starts.empty()) Result.push_back(Sep);
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
