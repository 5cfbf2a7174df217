#include "analysis/LinkDiagnosis.h"

#include "analysis/BrowserLink.h"
#include "analysis/RunContext.h"
#include "support/CharacterReferences.h"
#include "support/CharsetConvert.h"
#include "support/CodePage.h"
#include "support/FoldedText.h"
#include "support/UrlText.h"
#include "support/Utf8.h"

#include <algorithm>
#include <vector>

namespace orvel {

const char* LinkReasonName(TLinkReason Reason) {
    static const char* const Names[] = {"case",     "html5-id", "anchor", "folder", "extension",
                                        "encoding", "charset",  "moved",  "missing"};
    return Names[static_cast<int>(Reason)];
}

int EditDistanceWithin(std::string_view A, std::string_view B, int Limit) {
    const int La = static_cast<int>(A.size()), Lb = static_cast<int>(B.size());
    if (std::abs(La - Lb) > Limit) return Limit + 1;
    const int Over = Limit + 1;
    // Only the cells within Limit of the diagonal can stay within Limit.
    std::vector<int> Row(static_cast<size_t>(Lb) + 1, Over), Next(Row.size(), Over);
    for (int J = 0; J <= std::min(Lb, Limit); ++J)
        Row[static_cast<size_t>(J)] = J;
    for (int I = 1; I <= La; ++I) {
        std::fill(Next.begin(), Next.end(), Over);
        if (I <= Limit) Next[0] = I;
        int Best = Next[0];
        for (int J = std::max(1, I - Limit); J <= std::min(Lb, I + Limit); ++J) {
            const size_t Ju = static_cast<size_t>(J);
            const bool Same = AsciiUpper(A[static_cast<size_t>(I - 1)]) == AsciiUpper(B[Ju - 1]);
            const int Cell =
                std::min({Row[Ju - 1] + (Same ? 0 : 1), Row[Ju] + 1, Next[Ju - 1] + 1});
            Next[Ju] = std::min(Cell, Over);
            Best = std::min(Best, Next[Ju]);
        }
        if (Best > Limit) return Over;
        Row.swap(Next);
    }
    return Row[static_cast<size_t>(Lb)];
}

namespace {

// A link cut where a suggestion changes it: the target text between an optional "http:" and
// the query or anchor, which stay as the author wrote them.
struct TLinkText {
    std::string_view Lead, Target, Tail;
    std::string With(std::string_view NewTarget) const {
        std::string Result(Lead);
        Result += NewTarget;
        Result += Tail;
        return Result;
    }
};

TLinkText CutLink(std::string_view Link) {
    TLinkText Text;
    if (Link.substr(0, 5) == "http:") {
        Text.Lead = Link.substr(0, 5);
        Link.remove_prefix(5);
    }
    const size_t End = std::min(Link.find('#'), Link.find('?'));
    Text.Target = Link.substr(0, End);
    Text.Tail = End == std::string_view::npos ? std::string_view() : Link.substr(End);
    return Text;
}

// The segments of a path or link target between its separators, empty ones included.
std::vector<std::string_view> Segments(std::string_view Path, TPathStyle Style) {
    std::vector<std::string_view> Result;
    size_t Start = 0;
    for (size_t I = 0; I <= Path.size(); ++I)
        if (I == Path.size() || IsPathSeparatorAt(Path, I, Style)) {
            Result.push_back(Path.substr(Start, I - Start));
            Start = I + 1;
        }
    return Result;
}

// Target with each named segment that matches the real path's segment at the same place from
// the end, but for case, spelled as the real one. ImpliedName: the real path ends in the default
// file name that a target ending in a separator implies.
std::string Respell(std::string_view Target, std::string_view Real, TPathStyle Style,
                    bool ImpliedName) {
    std::vector<std::string_view> RealParts = Segments(Real, Style);
    if (ImpliedName && !RealParts.empty()) RealParts.pop_back();
    const std::vector<std::string_view> Parts = Segments(Target, Style);
    std::vector<std::string_view> Spelled = Parts;
    size_t Next = RealParts.size();
    for (size_t I = Parts.size(); I-- > 0 && Next > 0;) {
        const std::string_view Part = Parts[I];
        if (Part.empty() || Part == ".") continue;
        if (Part == "..") break;
        --Next;
        if (FoldedEqual(Part, RealParts[Next])) Spelled[I] = RealParts[Next];
    }
    std::string Result;
    size_t Pos = 0; // the separators of the target stay as they are
    for (size_t I = 0; I < Parts.size(); ++I) {
        Result += Spelled[I];
        Pos += Parts[I].size();
        if (Pos < Target.size()) Result += Target[Pos++];
    }
    return Result;
}

bool IsAscii(std::string_view Text) {
    return std::all_of(Text.begin(), Text.end(),
                       [](char C) { return static_cast<unsigned char>(C) < 0x80; });
}

// The separator the author writes: a backslash where the target has only those, else "/".
char AuthorSeparator(std::string_view Target, TPathStyle Style) {
    return Style == TPathStyle::psWindows && Target.find('\\') != std::string_view::npos &&
                   Target.find('/') == std::string_view::npos
               ? '\\'
               : '/';
}

// The path of Target relative to the folder From (both absolute), with Separator between.
std::string RelativePathTo(std::string_view From, std::string_view Target, TPathStyle Style,
                           char Separator) {
    const std::vector<std::string_view> FromParts = Segments(From, Style);
    const std::vector<std::string_view> ToParts = Segments(Target, Style);
    // From ends in a separator: its last segment is empty.
    const size_t Folders = FromParts.size() - 1;
    size_t Common = 0;
    while (Common < Folders && Common + 1 < ToParts.size() && FromParts[Common] == ToParts[Common])
        ++Common;
    std::string Result;
    for (size_t I = Common; I < Folders; ++I) {
        Result += "..";
        Result += Separator;
    }
    for (size_t I = Common; I < ToParts.size(); ++I) {
        if (I > Common) Result += Separator;
        Result += ToParts[I];
    }
    return Result;
}

// Where the extension of the path's bare name begins, or npos.
size_t ExtensionStart(std::string_view Path, TPathStyle Style) {
    const size_t Dot = Path.rfind('.');
    return Dot != std::string_view::npos && Dot > BareFileNameStart(Path, Style)
               ? Dot
               : std::string_view::npos;
}

} // namespace

TLinkDiagnoser::TLinkDiagnoser(const TRunContext& Run) : Run(Run) {
    ByBareName.reserve(static_cast<size_t>(Run.FileObjects.Count()));
    ByStem.reserve(static_cast<size_t>(Run.FileObjects.Count()));
    for (const auto& File : Run.FileObjects) {
        const std::string_view Path = File->Path;
        const size_t Name = BareFileNameStart(Path, Run.PathStyle());
        TNamed& Named = ByBareName[FoldedHash(Path.substr(Name))];
        if (Named.Count++ == 0) Named.First = File.get();
        if (const size_t Dot = ExtensionStart(Path, Run.PathStyle());
            Dot != std::string::npos && File->Kind != fkOther)
            ByStem.emplace(FoldedHash(Path.substr(0, Dot)), File.get());
        // Each folder once: the walk up stops at the first one already known.
        for (size_t End = Name; End > 1;) {
            const std::string_view Folder = Path.substr(0, End - 1); // without its separator
            if (!Folders.insert(FoldedHash(Folder)).second) break;
            End = BareFileNameStart(Folder, Run.PathStyle());
        }
    }
}

bool TLinkDiagnoser::IsSiteFolder(const std::string& Path) const {
    std::string_view Folder = Path;
    while (Folder.size() > 1 && IsPathSeparatorAt(Folder, Folder.size() - 1, Run.PathStyle()))
        Folder.remove_suffix(1);
    return Folders.contains(FoldedHash(Folder));
}

const TFileObject* TLinkDiagnoser::OnlyFileNamed(std::string_view Name) const {
    const auto Found = ByBareName.find(FoldedHash(Name));
    if (Found == ByBareName.end() || Found->second.Count != 1) return nullptr;
    const std::string& Path = Found->second.First->Path;
    return FoldedEqual(std::string_view(Path).substr(BareFileNameStart(Path, Run.PathStyle())),
                       Name)
               ? Found->second.First
               : nullptr;
}

bool TLinkDiagnoser::Acceptable(const TFileObject& File, const std::string& Suggestion) const {
    // Under the original rules a space would cut the suggestion short when the page is read.
    if (!Run.Settings.ModernHTML && !Run.Settings.isSpaceValid &&
        Suggestion.find(' ') != std::string::npos)
        return false;
    return File.ClassOf(Suggestion) == TLinkClass::lcValid;
}

int LinksValidByModernRules(const TRunContext& Run) {
    int Count = 0;
    if (Run.Settings.ModernHTML) return Count;
    TBrowserLink Read;
    for (const auto& File : Run.FileObjects)
        for (const std::string& Link : File->InvalidLinks)
            Count += File->ResolveAsBrowser(Link, Read).Class == TLinkClass::lcValid;
    return Count;
}

bool TLinkDiagnoser::ModernReason(const TFileObject& File, const std::string& Link,
                                  TLinkDiagnosis& Result) const {
    TBrowserLink Read;
    const TLinkResolution Modern = File.ResolveAsBrowser(Link, Read);
    Result.ValidByModernRules = Modern.Class == TLinkClass::lcValid;
    if (!Result.ValidByModernRules) return false;
    if (Read.Converted) {
        // In the bytes of the file name the link would be garbled in its page: none suggested.
        Result.Reason = TLinkReason::lrCharset;
    } else if (Read.Decoded) {
        Result.Reason = TLinkReason::lrEncoding;
        const TLinkText Text = CutLink(Link);
        std::string Decoded(Text.Target);
        if (Decoded.find('&') != std::string::npos) Decoded = DecodeCharacterReferences(Decoded);
        if (std::string Suggestion = Text.With(PercentDecoded(Decoded));
            Acceptable(File, Suggestion))
            Result.Suggestion = std::move(Suggestion);
    } else if (Modern.Target && Modern.Anchor >= Modern.Target->Anchors.Count()) {
        Result.Reason = TLinkReason::lrHtml5Id; // the link is right as it is
    } else if (Modern.Target && Modern.Anchor >= 0 &&
               Modern.Target->Anchors[Modern.Anchor] != Read.Anchor) {
        // The anchor as the target's page writes it differs from what the link names.
        Result.Reason = Modern.Target->Charset.OrCodePage() == TCharset::Utf8()
                            ? TLinkReason::lrEncoding
                            : TLinkReason::lrCharset;
    } else {
        return false; // for another reason, which the rest may find
    }
    return true;
}

std::optional<TLinkDiagnoser::TStart> TLinkDiagnoser::Start(const TFileObject& File,
                                                            const std::string& Link) const {
    TStart Start;
    if (Run.Settings.ModernHTML) {
        TBrowserLink Read;
        ReadBrowserLink(File, Link, Read);
        if (Read.Kind != TBrowserLinkKind::bkInSite && Read.Kind != TBrowserLinkKind::bkRooted)
            return std::nullopt; // a file: URL or one the site does not hold
        Start.Resolved = std::move(Read.Path);
        Start.Anchor = std::move(Read.Anchor);
        Start.ImpliedName = Read.ImpliedName;
        Start.Rooted = Read.Kind == TBrowserLinkKind::bkRooted;
        return Start;
    }
    Start.Rooted = !Link.empty() && Link[0] == '/';
    if (Link.find("://") != std::string::npos ||
        (Start.Rooted && Run.CurrentProject.ServerRoot.empty()))
        return std::nullopt; // a "file://" link or one the site does not hold
    std::string Room, Joined;
    const TLinkParts Split = File.SplitLink(std::string_view(Link), Room);
    Run.CurrentProject.ResolveLinkInto(Start.Resolved, Joined, File.Path, Split.Target);
    Start.Anchor = Split.Anchor;
    Start.ImpliedName = !Link.empty() && Link.back() == '/';
    return Start;
}

TLinkDiagnosis TLinkDiagnoser::Diagnose(const TFileObject& File, const std::string& Link) const {
    const TPathStyle Style = Run.PathStyle();
    const TOrvelProject& Project = Run.CurrentProject;
    const bool IgnoreCase = Run.Settings.IgnoreCase;
    TLinkDiagnosis Result;
    const auto Give = [&](TLinkReason Reason, std::optional<std::string> Suggestion) {
        Result.Reason = Reason;
        if (Suggestion && Acceptable(File, *Suggestion)) Result.Suggestion = std::move(Suggestion);
        return Result;
    };
    if (!Run.Settings.ModernHTML && ModernReason(File, Link, Result)) return Result;
    const std::optional<TStart> Found = Start(File, Link);
    if (!Found) return Result;
    const TStart& Start = *Found;
    const std::string& Resolved = Start.Resolved;
    const bool ImpliedName = Start.ImpliedName;
    const TLinkText Text = CutLink(Link);
    const TFileObject* Exact = Run.FileObjects.FindByPath(Resolved, IgnoreCase);

    if (!Exact) {
        if (const TFileObject* Folded =
                IgnoreCase ? nullptr : Run.FileObjects.FindByPath(Resolved, true))
            return Give(TLinkReason::lrCase,
                        Text.With(Respell(Text.Target, Folded->Path, Style, ImpliedName)));
    } else if (!Start.Anchor.empty()) {
        std::optional<std::string> Suggestion;
        const TSortedStringList& Anchors = Exact->Anchors;
        int Near = 0;
        for (int I = 0; I < Anchors.Count() && Near < 2; ++I)
            if (EditDistanceWithin(Start.Anchor, Anchors[I], 2) <= 2 && Near++ == 0)
                Suggestion = Link.substr(0, Link.find('#') + 1) + Anchors[I];
        return Give(TLinkReason::lrAnchor, Near == 1 ? Suggestion : std::nullopt);
    }
    if (!Exact && IsSiteFolder(Resolved)) {
        const TFileObject* Implied = Run.FileObjects.FindByPath(
            IncludeTrailingSeparator(Resolved, Style) + Run.Settings.DefaultFileName, IgnoreCase);
        return Give(TLinkReason::lrFolder,
                    Implied ? std::optional(Text.With(std::string(Text.Target) + '/'))
                            : std::nullopt);
    }
    if (!Exact && !ImpliedName) {
        const size_t Dot = ExtensionStart(Resolved, Style);
        const size_t TargetDot = Text.Target.rfind('.');
        if (Dot != std::string::npos && TargetDot != std::string_view::npos) {
            const std::string_view Stem = std::string_view(Resolved).substr(0, Dot);
            const auto Found = ByStem.find(FoldedHash(Stem));
            if (Found != ByStem.end() && ExtensionStart(Found->second->Path, Style) == Dot &&
                FoldedEqual(std::string_view(Found->second->Path).substr(0, Dot), Stem)) {
                const std::string& Other = Found->second->Path;
                const std::string Target =
                    std::string(Text.Target.substr(0, TargetDot)) + Other.substr(Dot);
                return Give(TLinkReason::lrExtension,
                            Text.With(Respell(Target, Other, Style, false)));
            }
        }
    }
    if (!Exact && Text.Target.find('%') != std::string_view::npos) {
        const auto Resolve = [&](std::string_view Target) {
            std::string Path, Joined;
            Project.ResolveLinkInto(Path, Joined, File.Path, Target);
            return Path;
        };
        std::string Decoded = PercentDecoded(Text.Target);
        const TFileObject* Named = Run.FileObjects.FindByPath(Resolve(Decoded), true);
        // Escapes of UTF-8 bytes name a file whose name is in the code page's own bytes.
        if (!Named && CurrentCodePage() == TCodePage::cpCp932 && IsValidUtf8(Decoded)) {
            const TStrictConversion Local = ConvertCharsetStrictly("CP932", "UTF-8", Decoded);
            if (Local.Ok()) {
                Decoded = Local.Out;
                Named = Run.FileObjects.FindByPath(Resolve(Decoded), true);
            }
        }
        if (Named)
            return Give(TLinkReason::lrEncoding,
                        Text.With(Respell(Decoded, Named->Path, Style, ImpliedName)));
    }
    if (!Exact && !ImpliedName) {
        if (const TFileObject* Only = OnlyFileNamed(BareFileName(Resolved, Style))) {
            const char Separator = AuthorSeparator(Text.Target, Style);
            std::string Target =
                Start.Rooted
                    ? '/' + RelativePathTo(Project.ServerRoot, Only->Path, Style, Separator)
                    : RelativePathTo(ExtractFolder(File.Path, Style), Only->Path, Style, Separator);
            if (Start.Rooted && !Only->Path.starts_with(Project.ServerRoot))
                return Give(TLinkReason::lrMoved, std::nullopt);
            return Give(TLinkReason::lrMoved, InPageCharset(File, Text.With(Target)));
        }
    }
    return Result;
}

std::optional<std::string> TLinkDiagnoser::InPageCharset(const TFileObject& File,
                                                         std::string FileNames) const {
    const TCharset Page = File.Charset.OrCodePage(), Names = TCharset::OfCodePage();
    if (!Run.Settings.ModernHTML || Page == Names || IsAscii(FileNames)) return FileNames;
    TEncodedText Encoded =
        EncodePageText(ConvertCharsetStrictly("UTF-8", Names.Name().c_str(), FileNames).Out, Page);
    if (!Encoded.Unencodable.empty()) return std::nullopt;
    return std::move(Encoded.Bytes);
}

} // namespace orvel
