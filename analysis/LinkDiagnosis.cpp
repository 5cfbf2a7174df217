#include "analysis/LinkDiagnosis.h"

#include "analysis/BrowserLink.h"
#include "analysis/FileObject.h"
#include "analysis/RunContext.h"
#include "analysis/UrlToPath.h"
#include "support/CharacterReferences.h"
#include "support/CharsetConvert.h"
#include "support/CodePage.h"
#include "support/FoldedText.h"
#include "support/NearNames.h"
#include "support/UrlText.h"
#include "support/Utf8.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace orvel {

const char* LinkReasonName(TLinkReason Reason) {
    static const char* const Names[] = {"case",      "html5-id",   "anchor",  "folder",
                                        "extension", "encoding",   "charset", "moved",
                                        "typo",      "local-file", "missing"};
    return Names[static_cast<int>(Reason)];
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

// Whether a link that names Missing in a page of PageFolder names Candidate but for the number
// of folders it climbs: with the folders they share at their ends taken away, both are left in
// folders on the page's path. All three end in separators.
bool MissesByDepth(std::string_view MissingFolder, std::string_view CandidateFolder,
                   std::string_view PageFolder, TPathStyle Style) {
    std::vector<std::string_view> A = Segments(MissingFolder, Style),
                                  B = Segments(CandidateFolder, Style);
    A.pop_back(); // the empty segment after the last separator
    B.pop_back();
    while (!A.empty() && !B.empty() && FoldedEqual(A.back(), B.back())) {
        A.pop_back();
        B.pop_back();
    }
    const auto OnPagePath = [&](const std::vector<std::string_view>& Parts) {
        const std::vector<std::string_view> Page = Segments(PageFolder, Style);
        return Parts.size() < Page.size() &&
               std::equal(Parts.begin(), Parts.end(), Page.begin(),
                          [](std::string_view X, std::string_view Y) { return FoldedEqual(X, Y); });
    };
    return A.size() != B.size() && OnPagePath(A) && OnPagePath(B);
}

// The folder of a path, with its trailing separator.
std::string_view FolderOf(std::string_view Path, TPathStyle Style) {
    return Path.substr(0, BareFileNameStart(Path, Style));
}

// The folder's key: without its trailing separator.
std::uint64_t FolderKey(std::string_view Folder) {
    return FoldedHash(Folder.substr(0, Folder.size() > 1 ? Folder.size() - 1 : Folder.size()));
}

constexpr size_t MostCandidates = 5;

// Text with the bytes that a link's path cannot hold as they are escaped: blanks and controls,
// and the characters that would end the path or start an escape.
std::string EscapedWhereNeeded(std::string_view Text) {
    static const char* const Hex = "0123456789ABCDEF";
    std::string Result;
    for (const char C : Text) {
        const unsigned char B = static_cast<unsigned char>(C);
        if (B <= 0x20 || B == 0x7F || C == '%' || C == '#' || C == '?' || C == '"') {
            Result += '%';
            Result += Hex[B >> 4];
            Result += Hex[B & 15];
        } else {
            Result += C;
        }
    }
    return Result;
}

// The pages that link to each of some keys: the first one and whether there are more.
class TLinkingPages {
public:
    void Add(std::uint64_t Key, std::uint64_t Page) {
        const auto [At, New] = Pages.try_emplace(Key, TPages{Page});
        if (!New && At->second.First != Page) At->second.Several = true;
    }
    // Whether a page other than Page links to Key.
    bool OtherThan(std::uint64_t Key, std::uint64_t Page) const {
        const auto At = Pages.find(Key);
        return At != Pages.end() && (At->second.Several || At->second.First != Page);
    }

private:
    struct TPages {
        std::uint64_t First;
        bool Several = false;
    };
    std::unordered_map<std::uint64_t, TPages> Pages;
};

} // namespace

struct TLinkDiagnoser::TQuery {
    const TFileObject& File;
    const std::string& Link;
    const TStart& Start;
    TLinkText Text;
    const TFileObject* Exact; // the file the link names, whose anchor is missing
};

struct TLinkDiagnoser::TLazy {
    // By the Sequence of the file their valid links lead to.
    std::optional<TLinkingPages> LinkingFiles;
    // By the FoldedHash of the missing path their invalid links name.
    std::optional<TLinkingPages> NamingMissing;
    std::unordered_map<std::uint64_t, TNearNames> Anchors; // by the page's Sequence
    struct TFolderNames {
        std::vector<const TFileObject*> Files;
        TNearNames Near;
    };
    std::unordered_map<std::uint64_t, TFolderNames> Names; // by FolderKey
};

TLinkDiagnoser::TLinkDiagnoser(const TRunContext& Context)
    : Run(Context), Lazy(std::make_unique<TLazy>()) {
    const size_t Count = static_cast<size_t>(Run.FileObjects.Count());
    ByBareName.reserve(Count);
    ByStem.reserve(Count);
    ByFolder.reserve(Count);
    for (const auto& File : Run.FileObjects) {
        const std::string_view Path = File->Path;
        const size_t Name = BareFileNameStart(Path, Run.PathStyle());
        ByBareName.emplace_back(FoldedHash(Path.substr(Name)), File.get());
        ByFolder.emplace_back(FolderKey(Path.substr(0, Name)), File.get());
        if (const size_t Dot = ExtensionStart(Path, Run.PathStyle()); Dot != std::string::npos)
            ByStem.emplace_back(FoldedHash(Path.substr(0, Dot)), File.get());
        // Each folder once: the walk up stops at the first one already known.
        for (size_t End = Name; End > 1;) {
            const std::string_view Folder = Path.substr(0, End - 1); // without its separator
            if (!Folders.insert(FoldedHash(Folder)).second) break;
            End = BareFileNameStart(Folder, Run.PathStyle());
        }
    }
    // Stable: the files of one key stay in scan order.
    for (TKeyed* Index : {&ByBareName, &ByStem, &ByFolder})
        std::stable_sort(Index->begin(), Index->end(),
                         [](const auto& A, const auto& B) { return A.first < B.first; });
}

TLinkDiagnoser::~TLinkDiagnoser() = default;

void TLinkDiagnoser::ForgetLinks() {
    Lazy = std::make_unique<TLazy>();
}

std::span<const std::pair<std::uint64_t, const TFileObject*>>
TLinkDiagnoser::Keyed(const TKeyed& Index, std::uint64_t Key) {
    const auto Range = std::equal_range(
        Index.begin(), Index.end(), std::pair<std::uint64_t, const TFileObject*>(Key, nullptr),
        [](const auto& A, const auto& B) { return A.first < B.first; });
    return {Range.first, Range.second};
}

bool TLinkDiagnoser::IsSiteFolder(std::string_view Folder) const {
    while (Folder.size() > 1 && IsPathSeparatorAt(Folder, Folder.size() - 1, Run.PathStyle()))
        Folder.remove_suffix(1);
    return Folders.contains(FoldedHash(Folder));
}

std::vector<const TFileObject*> TLinkDiagnoser::FilesNamed(std::string_view Name,
                                                           size_t Most) const {
    std::vector<const TFileObject*> Files;
    for (const auto& [Key, File] : Keyed(ByBareName, FoldedHash(Name)))
        if (Files.size() < Most &&
            FoldedEqual(
                std::string_view(File->Path).substr(BareFileNameStart(File->Path, Run.PathStyle())),
                Name))
            Files.push_back(File);
    return Files;
}

bool TLinkDiagnoser::Give(const TFileObject& File, TLinkDiagnosis& Result, TLinkReason Reason,
                          std::optional<std::string> Suggestion) const {
    Result.Reason = Reason;
    if (Suggestion) Suggest(File, std::move(*Suggestion), Result);
    return true;
}

bool TLinkDiagnoser::Suggest(const TFileObject& File, std::string Suggestion,
                             TLinkDiagnosis& Result) const {
    // Under the original rules a space would cut the suggestion short when the page is read.
    if (!Run.Settings.ModernHTML && !Run.Settings.isSpaceValid &&
        Suggestion.find(' ') != std::string::npos)
        return false;
    const TLinkResolution Resolved = File.Resolve(Suggestion);
    if (Resolved.Class != TLinkClass::lcValid) return false;
    Result.Suggestion = std::move(Suggestion);
    Result.Leads = Resolved.Target;
    return true;
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
        const TLinkText Text = CutLink(Link);
        std::string Decoded(Text.Target);
        if (Decoded.find('&') != std::string::npos) Decoded = DecodeCharacterReferences(Decoded);
        return Give(File, Result, TLinkReason::lrEncoding, Text.With(PercentDecoded(Decoded)));
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

std::optional<std::string> TLinkDiagnoser::NamedPath(const TFileObject& File,
                                                     const std::string& Link) {
    std::optional<TStart> Named = Start(File, Link);
    if (!Named) return std::nullopt;
    return std::move(Named->Resolved);
}

bool NamesUnreachedFile(const TFileObject& File, const std::string& Link) {
    const std::optional<std::string> Path = TLinkDiagnoser::NamedPath(File, Link);
    return Path && !File.Run.FileObjects.FindByPath(*Path, false) &&
           File.Run.FileSystem->FileExists(*Path);
}

int CheckedInvalidLinks(const TFileObject& File) {
    int Count = 0;
    for (const std::string& Link : File.InvalidLinks)
        Count += !NamesUnreachedFile(File, Link);
    return Count;
}

std::optional<TLinkDiagnoser::TStart> TLinkDiagnoser::Start(const TFileObject& File,
                                                            const std::string& Link) {
    TStart Start;
    if (File.Run.Settings.ModernHTML) {
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
        (Start.Rooted && File.Run.CurrentProject.ServerRoot.empty()))
        return std::nullopt; // a "file://" link or one the site does not hold
    std::string Room, Joined;
    const TLinkParts Split = File.SplitLink(std::string_view(Link), Room);
    File.Run.CurrentProject.ResolveLinkInto(Start.Resolved, Joined, File.Path, Split.Target);
    Start.Anchor = Split.Anchor;
    Start.ImpliedName = !Link.empty() && Link.back() == '/';
    return Start;
}

TLinkDiagnosis TLinkDiagnoser::Diagnose(const TFileObject& File, const std::string& Link) const {
    TLinkDiagnosis Result;
    if (!Run.Settings.ModernHTML && ModernReason(File, Link, Result)) return Result;
    const std::optional<TStart> Found = Start(File, Link);
    if (!Found) {
        LocalFileReason(File, Link, Result);
        return Result;
    }
    const TQuery Q{File, Link, *Found, CutLink(Link),
                   Run.FileObjects.FindByPath(Found->Resolved, Run.Settings.IgnoreCase)};
    if (Q.Exact)
        AnchorReason(Q, Result);
    else
        CaseReason(Q, Result) || FolderReason(Q, Result) || ExtensionReason(Q, Result) ||
            EscapeReason(Q, Result) || NameElsewhereReason(Q, Result) || TypoReason(Q, Result);
    return Result;
}

bool TLinkDiagnoser::LocalFileReason(const TFileObject& File, const std::string& Link,
                                     TLinkDiagnosis& Result) const {
    // The modern rules find a file: URL's file whatever the setting says.
    if (Run.Settings.ModernHTML || Run.Settings.CheckLocalFile != 0 ||
        !StartsWithFolded(Link, 0, "FILE://"))
        return false;
    std::string Room;
    const TLinkParts Split = File.SplitLink(std::string_view(Link), Room);
    const std::optional<std::string> Path = URLToPath(std::string(Split.Target), Run.PathStyle());
    if (!Path || !Run.FileSystem->FileExists(*Path)) return false;
    std::optional<std::string> Suggestion;
    if (Path->starts_with(Run.CurrentProject.HomeDir)) {
        Suggestion =
            RelativePathTo(FolderOf(File.Path, Run.PathStyle()), *Path, Run.PathStyle(), '/');
        if (!Split.Anchor.empty()) *Suggestion += '#' + std::string(Split.Anchor);
    }
    return Give(File, Result, TLinkReason::lrLocalFile, std::move(Suggestion));
}

bool TLinkDiagnoser::CaseReason(const TQuery& Q, TLinkDiagnosis& Result) const {
    if (Run.Settings.IgnoreCase) return false;
    const TFileObject* Folded = Run.FileObjects.FindByPath(Q.Start.Resolved, true);
    return Folded && Give(Q.File, Result, TLinkReason::lrCase,
                          Q.Text.With(Respell(Q.Text.Target, Folded->Path, Run.PathStyle(),
                                              Q.Start.ImpliedName)));
}

bool TLinkDiagnoser::AnchorReason(const TQuery& Q, TLinkDiagnosis& Result) const {
    if (Q.Start.Anchor.empty()) return false;
    const TSortedStringList& Anchors = Q.Exact->Anchors;
    auto Index = Lazy->Anchors.find(Q.Exact->Sequence);
    if (Index == Lazy->Anchors.end()) {
        std::vector<std::string_view> Names;
        Names.reserve(static_cast<size_t>(Anchors.Count()));
        for (const std::string& Anchor : Anchors)
            Names.emplace_back(Anchor);
        Index = Lazy->Anchors.emplace(Q.Exact->Sequence, TNearNames(Names)).first;
    }
    // Exactly one anchor within two edits.
    const std::vector<int> Near = Index->second.Near(Q.Start.Anchor, 2, 2);
    return Give(Q.File, Result, TLinkReason::lrAnchor,
                Near.size() == 1
                    ? std::optional(Q.Link.substr(0, Q.Link.find('#') + 1) + Anchors[Near[0]])
                    : std::nullopt);
}

bool TLinkDiagnoser::FolderReason(const TQuery& Q, TLinkDiagnosis& Result) const {
    const std::string& Resolved = Q.Start.Resolved;
    const TPathStyle Style = Run.PathStyle();
    if (IsSiteFolder(Resolved)) {
        const TFileObject* Implied = Run.FileObjects.FindByPath(
            IncludeTrailingSeparator(Resolved, Style) + Run.Settings.DefaultFileName,
            Run.Settings.IgnoreCase);
        return Give(Q.File, Result, TLinkReason::lrFolder,
                    Implied ? std::optional(Q.Text.With(std::string(Q.Text.Target) + '/'))
                            : std::nullopt);
    }
    // A folder named with its separator, without the default page.
    return Q.Start.ImpliedName && IsSiteFolder(FolderOf(Resolved, Style)) &&
           Give(Q.File, Result, TLinkReason::lrFolder, std::nullopt);
}

bool TLinkDiagnoser::ExtensionReason(const TQuery& Q, TLinkDiagnosis& Result) const {
    const TPathStyle Style = Run.PathStyle();
    const std::string& Resolved = Q.Start.Resolved;
    const size_t Dot = ExtensionStart(Resolved, Style);
    const size_t TargetDot = Q.Text.Target.rfind('.');
    if (Q.Start.ImpliedName || Dot == std::string::npos || TargetDot == std::string_view::npos)
        return false;
    // The one file of the same stem, when the settings' lists know its extension.
    const std::string_view Stem = std::string_view(Resolved).substr(0, Dot);
    const TFileObject* Other = nullptr;
    for (const auto& [Key, File] : Keyed(ByStem, FoldedHash(Stem)))
        if (ExtensionStart(File->Path, Style) == Dot &&
            FoldedEqual(std::string_view(File->Path).substr(0, Dot), Stem)) {
            if (Other) return false;
            Other = File;
        }
    if (!Other || Other->Kind == fkOther) return false;
    const std::string Target =
        std::string(Q.Text.Target.substr(0, TargetDot)) + Other->Path.substr(Dot);
    return Give(Q.File, Result, TLinkReason::lrExtension,
                Q.Text.With(Respell(Target, Other->Path, Style, false)));
}

bool TLinkDiagnoser::EscapeReason(const TQuery& Q, TLinkDiagnosis& Result) const {
    const TLinkText& Text = Q.Text;
    if (Text.Target.find('%') == std::string_view::npos) return false;
    const auto Resolve = [&](std::string_view Target) {
        std::string Path, Joined;
        Run.CurrentProject.ResolveLinkInto(Path, Joined, Q.File.Path, Target);
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
        return Give(Q.File, Result, TLinkReason::lrEncoding,
                    Text.With(Respell(Decoded, Named->Path, Run.PathStyle(), Q.Start.ImpliedName)));
    // Escapes of the page's charset, or escapes escaped again: the text with every level of
    // escapes decoded and only what a link cannot hold escaped once more, or failing that with
    // fewer levels decoded, may resolve as it is read.
    std::string Spelling(Text.Target);
    for (int Level = 0; Level < 3 && Spelling.find('%') != std::string::npos; ++Level)
        Spelling = PercentDecoded(Spelling);
    if (Suggest(Q.File, Text.With(EscapedWhereNeeded(Spelling)), Result)) {
        Result.Reason = TLinkReason::lrEncoding;
        return true;
    }
    Spelling = Text.Target;
    for (int Level = 0; Level < 3 && Spelling.find('%') != std::string::npos; ++Level) {
        Spelling = PercentDecoded(Spelling);
        if (Suggest(Q.File, Text.With(Spelling), Result)) {
            Result.Reason = TLinkReason::lrEncoding;
            return true;
        }
    }
    return false;
}

bool TLinkDiagnoser::NameElsewhereReason(const TQuery& Q, TLinkDiagnosis& Result) const {
    const TPathStyle Style = Run.PathStyle();
    if (Q.Start.ImpliedName) return false;
    const std::string Name = BareFileName(Q.Start.Resolved, Style);
    // One more than can be listed, to know when there are too many to list.
    std::vector<const TFileObject*> Named = FilesNamed(Name, MostCandidates + 1);
    if (Named.empty()) return false;
    if (Named.size() > 1 || !LikelyMoved(Q, *Named[0])) {
        // A guess that would lead elsewhere as often as not: the files are listed, none
        // suggested; not when there are many, nor for a name that every folder may have.
        Result.Reason = TLinkReason::lrMissing;
        if (Named.size() <= MostCandidates && !FoldedEqual(Name, Run.Settings.DefaultFileName))
            Result.Candidates = std::move(Named);
        return true;
    }
    const TFileObject& Only = *Named[0];
    const TOrvelProject& Project = Run.CurrentProject;
    if (Q.Start.Rooted && !Only.Path.starts_with(Project.ServerRoot))
        return Give(Q.File, Result, TLinkReason::lrMoved, std::nullopt);
    const std::optional<std::string> Target = InPageCharset(
        Q.File, RelativePathTo(Q.Start.Rooted ? std::string_view(Project.ServerRoot)
                                              : FolderOf(Q.File.Path, Style),
                               Only.Path, Style, AuthorSeparator(Q.Text.Target, Style)));
    return Give(Q.File, Result, TLinkReason::lrMoved,
                Target ? std::optional(Q.Text.With((Q.Start.Rooted ? "/" : "") + *Target))
                       : std::nullopt);
}

bool TLinkDiagnoser::LikelyMoved(const TQuery& Q, const TFileObject& Candidate) const {
    TLazy& L = *Lazy;
    if (!L.LinkingFiles) {
        L.LinkingFiles.emplace();
        for (const auto& File : Run.FileObjects)
            for (const std::uint64_t Target : File->ValidTargets)
                if (Target != File->Sequence && Target != NoTarget)
                    L.LinkingFiles->Add(Target, File->Sequence);
    }
    // A file that has moved has lost the links to it; one that others still reach is another.
    if (!L.LinkingFiles->OtherThan(Candidate.Sequence, Q.File.Sequence)) return true;
    // A folder's default page belongs to its folder: another folder's is another page.
    if (FoldedEqual(BareFileName(Candidate.Path, Run.PathStyle()), Run.Settings.DefaultFileName))
        return false;
    // Else only a link that climbs too few or too many folders to reach it.
    const TPathStyle Style = Run.PathStyle();
    return MissesByDepth(FolderOf(Q.Start.Resolved, Style), FolderOf(Candidate.Path, Style),
                         FolderOf(Q.File.Path, Style), Style);
}

bool TLinkDiagnoser::NamedElsewhere(const TQuery& Q) const {
    TLazy& L = *Lazy;
    if (!L.NamingMissing) {
        L.NamingMissing.emplace();
        for (const auto& File : Run.FileObjects)
            for (const std::string& Link : File->InvalidLinks)
                if (const std::optional<TStart> Named = Start(*File, Link))
                    L.NamingMissing->Add(FoldedHash(Named->Resolved), File->Sequence);
    }
    return L.NamingMissing->OtherThan(FoldedHash(Q.Start.Resolved), Q.File.Sequence);
}

std::vector<const TFileObject*> TLinkDiagnoser::NearInFolder(std::string_view Resolved) const {
    const TPathStyle Style = Run.PathStyle();
    const std::string_view Folder = FolderOf(Resolved, Style);
    auto Names = Lazy->Names.find(FolderKey(Folder));
    if (Names == Lazy->Names.end()) {
        std::vector<const TFileObject*> Files;
        std::vector<std::string_view> Bare;
        for (const auto& [Key, File] : Keyed(ByFolder, FolderKey(Folder)))
            if (FoldedEqual(FolderOf(File->Path, Style), Folder)) {
                Files.push_back(File);
                Bare.push_back(std::string_view(File->Path).substr(Folder.size()));
            }
        Names =
            Lazy->Names
                .emplace(FolderKey(Folder), TLazy::TFolderNames{std::move(Files), TNearNames(Bare)})
                .first;
    }
    std::vector<const TFileObject*> Near;
    for (const int I : Names->second.Near.Near(Resolved.substr(Folder.size()), 2, 2))
        Near.push_back(Names->second.Files[static_cast<size_t>(I)]);
    return Near;
}

void TLinkDiagnoser::AddSameStem(std::string_view Resolved,
                                 std::vector<const TFileObject*>& Near) const {
    const TPathStyle Style = Run.PathStyle();
    const size_t Dot = ExtensionStart(Resolved, Style);
    if (Dot == std::string::npos) return;
    const std::string_view Stem = Resolved.substr(0, Dot);
    for (const auto& [Key, File] : Keyed(ByStem, FoldedHash(Stem)))
        if (ExtensionStart(File->Path, Style) == Dot &&
            FoldedEqual(std::string_view(File->Path).substr(0, Dot), Stem) &&
            std::ranges::find(Near, File) == Near.end())
            Near.push_back(File);
}

bool TLinkDiagnoser::TypoReason(const TQuery& Q, TLinkDiagnosis& Result) const {
    const TPathStyle Style = Run.PathStyle();
    const size_t Slash = Q.Text.Target.find_last_of(Style == TPathStyle::psWindows ? "/\\" : "/");
    const std::string_view Written =
        Q.Text.Target.substr(Slash == std::string_view::npos ? 0 : Slash + 1);
    if (Q.Start.ImpliedName || Written.empty()) return false;
    // The files of the folder within two edits of the name, and those of the same stem.
    std::vector<const TFileObject*> Near = NearInFolder(Q.Start.Resolved);
    AddSameStem(Q.Start.Resolved, Near);
    // A misspelling is one page's slip; where several pages name the missing file, a file of a
    // near name is another page.
    if (Near.size() != 1 || NamedElsewhere(Q)) return false;
    const std::optional<std::string> Name =
        InPageCharset(Q.File, Near[0]->Path.substr(FolderOf(Q.Start.Resolved, Style).size()));
    return Name && Give(Q.File, Result, TLinkReason::lrTypo,
                        Q.Text.With(std::string(Q.Text.Target.substr(0, Q.Text.Target.size() -
                                                                            Written.size())) +
                                    *Name));
}

std::optional<std::string> TLinkDiagnoser::InPageCharset(const TFileObject& File,
                                                         std::string FileNames) const {
    const TCharset Page = File.Charset.OrCodePage(), Names = TCharset::OfCodePage();
    if (!Run.Settings.ModernHTML || Page == Names || IsAscii(FileNames)) return FileNames;
    // A name that is not text in the file names' own charset cannot be written in the page's.
    const TStrictConversion Text = ConvertCharsetStrictly("UTF-8", Names.Name().c_str(), FileNames);
    if (!Text.Ok()) return std::nullopt;
    TEncodedText Encoded = EncodePageText(Text.Out, Page);
    if (!Encoded.Unencodable.empty()) return std::nullopt;
    return std::move(Encoded.Bytes);
}

} // namespace orvel
