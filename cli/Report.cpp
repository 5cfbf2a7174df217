#include "cli/Report.h"

#include "analysis/BackLinks.h"
#include "analysis/BrokenTargets.h"
#include "analysis/LinkDiagnosis.h"
#include "analysis/RunContext.h"
#include "support/CharsetConvert.h"
#include "support/CodePage.h"
#include "support/InputFile.h"
#include "support/TextPositions.h"
#include "support/ThreadPool.h"
#include "support/Utf8.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <ostream>
#include <string_view>

namespace orvel::cli {

namespace {

const char* const Replacement = "\xEF\xBF\xBD"; // U+FFFD
// The last line of a text report, when ModernHTML would make links valid.
const char* const ModernSummary = "ModernHTML=1 で有効になるリンクの数 ";

// Appends UTF-8 text escaped for a JSON string, with invalid sequences as U+FFFD; runs of
// bytes that need nothing are copied whole.
void AppendEscaped(std::string& Out, std::string_view Text) {
    static const char* const Hex = "0123456789abcdef";
    for (size_t Pos = 0; Pos < Text.size();) {
        size_t Plain = Pos;
        while (Plain < Text.size()) {
            const unsigned char B = static_cast<unsigned char>(Text[Plain]);
            if (B < 0x20 || B >= 0x80 || B == '"' || B == '\\') break;
            ++Plain;
        }
        Out.append(Text.substr(Pos, Plain - Pos));
        if ((Pos = Plain) == Text.size()) break;
        const char C = Text[Pos];
        const unsigned char B = static_cast<unsigned char>(C);
        if (B >= 0x80) {
            const size_t Length = Utf8SequenceLength(Text, Pos);
            if (Length == 0) {
                Out += Replacement;
                ++Pos;
            } else {
                Out.append(Text.substr(Pos, Length));
                Pos += Length;
            }
            continue;
        }
        if (C == '"' || C == '\\') {
            Out += '\\';
            Out += C;
        } else if (C == '\n') {
            Out += "\\n";
        } else if (C == '\r') {
            Out += "\\r";
        } else if (C == '\t') {
            Out += "\\t";
        } else {
            Out += "\\u00";
            Out += Hex[B >> 4];
            Out += Hex[B & 15];
        }
        ++Pos;
    }
}

// Appends a byte string of the code page as a JSON string in UTF-8.
void AppendJsonString(std::string& Out, std::string_view Bytes) {
    Out += '"';
    if (CurrentCodePage() == TCodePage::cpCp932)
        AppendEscaped(Out, ToUtf8(std::string(Bytes)));
    else
        AppendEscaped(Out, Bytes); // UTF-8 already: only what is invalid changes
    Out += '"';
}

// Hands what the report holds so far to the stream once it is large: the report is never whole
// in memory, nor one page's part of it.
void FlushWhenLarge(std::ostream& Stream, std::string& Out) {
    if (Out.size() <= (1u << 20)) return;
    Stream << Out;
    Out.clear();
}

// With a Stream, what is appended is handed to it as it grows.
template <typename List>
void AppendJsonArray(std::string& Out, const List& Items, std::ostream* Stream = nullptr) {
    Out += '[';
    bool First = true;
    for (const std::string& Item : Items) {
        if (!First) Out += ", ";
        First = false;
        AppendJsonString(Out, Item);
        if (Stream) FlushWhenLarge(*Stream, Out);
    }
    Out += ']';
}

const char* Bool(bool Value) {
    return Value ? "true" : "false";
}

} // namespace

std::vector<std::string> OrphanPaths(const TRunContext& Run) {
    std::vector<std::string> Paths;
    if (Run.CurrentProject.TopFiles.empty()) return Paths;
    for (const auto& File : Run.FileObjects)
        if (!File->Ignored && File->ReachState == rsUnreached)
            Paths.emplace_back(Run.CurrentProject.RelativeToHome(File->Path));
    return Paths;
}

namespace {

const char* KindName(TFileKind Kind) {
    return Kind == fkHtml ? "html" : Kind == fkImage ? "image" : "other";
}

const char* ReachName(TReachState State) {
    return State == rsReached ? "reached" : State == rsTop ? "top" : "unreached";
}

// An invalid link of a file with why it is invalid and where it first stands.
struct TDiagnosedLink {
    const std::string& Link;
    TLinkDiagnosis Diagnosis;
    TTextPosition Position; // line 0: not known
};

// For each file, in FileObjects order, where its invalid links stand (empty when it has none
// or cannot be read): the pages are read again, on the thread pool and this thread.
std::vector<std::vector<TTextPosition>> InvalidLinkPositions(const TRunContext& Run) {
    std::vector<std::vector<TTextPosition>> Positions(static_cast<size_t>(Run.FileObjects.Count()));
    std::atomic<int> Next{0};
    const auto Work = [&] {
        std::vector<size_t> Offsets;
        for (int I; (I = Next++) < Run.FileObjects.Count();) {
            const TFileObject& File = Run.FileObjects[I];
            if (File.InvalidLinks.Empty()) continue;
            Offsets.clear();
            for (int L = 0; L < File.InvalidLinks.Count(); ++L) {
                const size_t Owner = static_cast<size_t>(File.InvalidLinks.OwnerIndex(L));
                Offsets.push_back(Owner < File.LinkOffsets.size() ? File.LinkOffsets[Owner]
                                                                  : NoOffset);
            }
            try {
                TInputFile Text(File.Path);
                const TTextReader Read = [&Text](char* Buffer, size_t Count) {
                    return Text.Read(Buffer, Count);
                };
                Positions[static_cast<size_t>(I)] = TextPositions(Read, Offsets, File.Charset);
            } catch (const EInOutError&) {
                // gone or unreadable since the scan: its links have no places
            }
        }
    };
    TTaskGroup Helpers;
    for (unsigned I = 1; I < TThreadPool::Shared().Size(); ++I)
        Helpers.Run([&](std::stop_token) { Work(); });
    Work();
    Helpers.Wait();
    return Positions;
}

// Every invalid link of the site diagnosed, by file in FileObjects order and invalid link.
std::vector<std::vector<TDiagnosedLink>> DiagnosedLinks(const TRunContext& Run) {
    const TLinkDiagnoser Diagnoser(Run);
    const std::vector<std::vector<TTextPosition>> Positions = InvalidLinkPositions(Run);
    std::vector<std::vector<TDiagnosedLink>> Result(Positions.size());
    for (size_t F = 0; F < Positions.size(); ++F) {
        const TFileObject& File = Run.FileObjects[static_cast<int>(F)];
        for (int I = 0; I < File.InvalidLinks.Count(); ++I) {
            const std::string& Link = File.InvalidLinks[I];
            const size_t At = static_cast<size_t>(I);
            Result[F].push_back({Link, Diagnoser.Diagnose(File, Link),
                                 At < Positions[F].size() ? Positions[F][At] : TTextPosition()});
        }
    }
    return Result;
}

// The broken targets, each with the diagnosis of its first link, its links and where they
// stand, as one member on one line; Diagnoses by file and invalid link.

// Appends the members of a diagnosis after its reason: suggestion and candidates.
void AppendSuggestion(std::string& Out, const TRunContext& Run, const TLinkDiagnosis& Diagnosis) {
    Out += ", \"suggestion\": ";
    if (Diagnosis.Suggestion)
        AppendJsonString(Out, *Diagnosis.Suggestion);
    else
        Out += "null";
    Out += ", \"candidates\": [";
    for (size_t I = 0; I < Diagnosis.Candidates.size(); ++I) {
        if (I > 0) Out += ", ";
        AppendJsonString(Out, Run.CurrentProject.RelativeToHome(Diagnosis.Candidates[I]->Path));
    }
    Out += ']';
}

void AppendPosition(std::string& Out, const TTextPosition& At) {
    Out += ", \"line\": ";
    Out += At.Line > 0 ? std::to_string(At.Line) : "null";
    Out += ", \"column\": ";
    Out += At.Line > 0 ? std::to_string(At.Column) : "null";
}

void AppendBrokenTargets(std::ostream& Stream, std::string& Out, const TRunContext& Run,
                         const std::vector<std::vector<TDiagnosedLink>>& Diagnosed) {
    const std::vector<TBrokenTarget> Targets = BrokenTargets(Run);
    Out += ",\n  \"brokenTargets\": [";
    for (size_t T = 0; T < Targets.size(); ++T) {
        const TBrokenTarget& Target = Targets[T];
        const TBrokenLink& First = Target.Links[0];
        const TLinkDiagnosis& Diagnosis =
            Diagnosed[static_cast<size_t>(First.File)][static_cast<size_t>(First.Invalid)]
                .Diagnosis;
        Out += T == 0 ? "{\"target\": " : ", {\"target\": ";
        AppendJsonString(Out, Target.Target);
        Out += ", \"reason\": \"";
        Out += LinkReasonName(Diagnosis.Reason);
        Out += '"';
        AppendSuggestion(Out, Run, Diagnosis);
        Out += ", \"links\": [";
        for (size_t L = 0; L < Target.Links.size(); ++L) {
            const TBrokenLink& Link = Target.Links[L];
            Out += L == 0 ? "{\"path\": " : ", {\"path\": ";
            AppendJsonString(Out, Run.CurrentProject.RelativeToHome(Link.Page->Path));
            Out += ", \"link\": ";
            AppendJsonString(Out, Link.Link());
            AppendPosition(
                Out, Diagnosed[static_cast<size_t>(Link.File)][static_cast<size_t>(Link.Invalid)]
                         .Position);
            Out += '}';
            FlushWhenLarge(Stream, Out);
        }
        Out += "]}";
    }
    Out += ']';
}

} // namespace

std::string ToUtf8(const std::string& Bytes) {
    if (CurrentCodePage() == TCodePage::cpCp932)
        return ConvertCharset("UTF-8", "CP932", Bytes, Replacement);
    size_t Ascii = 0;
    while (Ascii < Bytes.size() && static_cast<unsigned char>(Bytes[Ascii]) < 0x80)
        ++Ascii;
    if (Ascii == Bytes.size()) return Bytes;
    return WithValidUtf8(Bytes, Replacement);
}

void WriteTextReport(std::ostream& Out, const TRunContext& Run) {
    const TLinkDiagnoser Diagnoser(Run);
    int ModernValid = 0;
    std::vector<std::vector<TLinkReason>> Reasons(static_cast<size_t>(Run.FileObjects.Count()));
    for (int F = 0; F < Run.FileObjects.Count(); ++F) {
        const TFileObject* File = &Run.FileObjects[F];
        if (File->InvalidLinks.Empty()) continue;
        Out << Run.CurrentProject.RelativeToHome(File->Path) << '\n';
        for (const std::string& Link : File->InvalidLinks) {
            Out << "    " << PageTextToCodePage(Link, File->Charset);
            const TLinkDiagnosis Diagnosis = Diagnoser.Diagnose(*File, Link);
            Reasons[static_cast<size_t>(F)].push_back(Diagnosis.Reason);
            ModernValid += Diagnosis.ValidByModernRules;
            if (Diagnosis.Suggestion)
                Out << "    (" << LinkReasonName(Diagnosis.Reason) << "; did you mean \""
                    << PageTextToCodePage(*Diagnosis.Suggestion, File->Charset) << "\"?)";
            Out << '\n';
        }
    }
    const std::vector<TBrokenTarget> Targets = BrokenTargets(Run);
    if (!Targets.empty()) {
        Out << "broken targets:\n";
        for (const TBrokenTarget& Target : Targets)
            Out << "    " << Target.Target << "    ("
                << LinkReasonName(Reasons[static_cast<size_t>(Target.Links[0].File)]
                                         [static_cast<size_t>(Target.Links[0].Invalid)])
                << ")    " << Target.Pages << (Target.Pages == 1 ? " file, " : " files, ")
                << Target.Places << (Target.Places == 1 ? " place\n" : " places\n");
    }
    const std::vector<std::string> Orphans = OrphanPaths(Run);
    if (!Orphans.empty()) {
        Out << "orphan files:\n";
        for (const std::string& Path : Orphans)
            Out << "    " << Path << '\n';
    }
    Out << "無効リンクを含むファイルの数 " << Run.InvalidLinkFileCount << '\n'
        << "無効リンクの総数 " << Run.InvalidLinkTotal << '\n';
    if (ModernValid > 0) Out << ModernSummary << ModernValid << '\n';
}

void WriteJsonReport(std::ostream& Stream, const TRunContext& Run, const TReportFacts& Facts) {
    const TOrvelProject& Project = Run.CurrentProject;
    const std::vector<std::string> Orphans = OrphanPaths(Run);
    int HtmlFiles = 0;
    for (const auto& File : Run.FileObjects)
        HtmlFiles += File->Kind == fkHtml;
    const TBackLinks BackLinks(Run);
    const std::vector<std::vector<TDiagnosedLink>> Diagnosed = DiagnosedLinks(Run);
    const TSuggestedBackLinks Suggested(Run, [&](int File, int Invalid) {
        return Diagnosed[static_cast<size_t>(File)][static_cast<size_t>(Invalid)].Diagnosis.Leads;
    });
    size_t FileIndex = 0;
    int Html5IdLinks = 0, ModernValid = 0;

    std::string Out; // written out in large pieces
    Out += "{\n  \"home\": ";
    AppendJsonString(Out, Project.HomeDir);
    Out += ", \"serverRoot\": ";
    AppendJsonString(Out, Project.ServerRoot);
    Out += ", \"halted\": ";
    Out += Bool(Facts.Halted);
    Out += ",\n  \"topFiles\": ";
    AppendJsonArray(Out, Project.TopFiles);
    Out += ", \"ignoreFiles\": ";
    AppendJsonArray(Out, Project.IgnoreFiles);
    Out += ", \"wildCards\": ";
    AppendJsonArray(Out, Project.WildCards);
    Out += ",\n  \"summary\": {\"files\": " + std::to_string(Run.FileObjects.Count()) +
           ", \"htmlFiles\": " + std::to_string(HtmlFiles) +
           ", \"filesWithInvalidLinks\": " + std::to_string(Run.InvalidLinkFileCount) +
           ", \"invalidLinks\": " + std::to_string(Run.InvalidLinkTotal) +
           ", \"orphanFiles\": " + std::to_string(Orphans.size()) + "},\n  \"files\": [";
    bool First = true;
    for (const auto& File : Run.FileObjects) {
        Out += First ? "\n    {\"path\": " : ",\n    {\"path\": ";
        First = false;
        AppendJsonString(Out, Run.CurrentProject.RelativeToHome(File->Path));
        Out += ", \"kind\": \"";
        Out += KindName(File->Kind);
        Out += "\", \"reach\": \"";
        Out += ReachName(File->ReachState);
        Out += "\", \"ignored\": ";
        Out += Bool(File->Ignored);
        Out += ", \"flagged\": ";
        Out += Bool(File->Flagged);
        // The charset the strings of the page are in, for a tool that decodes their bytes.
        Out += ", \"charset\": ";
        Out += File->Charset.Known() ? '"' + File->Charset.Name() + '"' : "null";
        Out += ",\n     \"links\": ";
        AppendJsonArray(Out, File->Links, &Stream);
        Out += ", \"valid\": ";
        AppendJsonArray(Out, File->ValidLinks, &Stream);
        Out += ", \"invalid\": ";
        AppendJsonArray(Out, File->InvalidLinks, &Stream);
        Out += ", \"external\": ";
        AppendJsonArray(Out, File->ExternalLinks, &Stream);
        Out += ",\n     \"anchors\": ";
        AppendJsonArray(Out, File->Anchors, &Stream);
        Out += ", \"reachedAnchors\": [";
        for (int I = 0, Written = 0; I < File->Anchors.Count() && I < File->Node->Count(); ++I)
            if (File->Node->Item(I)->Reached) {
                if (Written++ > 0) Out += ", ";
                AppendJsonString(Out, File->Anchors[I]);
                FlushWhenLarge(Stream, Out);
            }
        Out += ']';
        Out += ",\n     \"diagnoses\": [";
        bool FirstDiagnosis = true;
        for (const TDiagnosedLink& Item : Diagnosed[FileIndex]) {
            Out += FirstDiagnosis ? "{\"link\": " : ", {\"link\": ";
            FirstDiagnosis = false;
            AppendJsonString(Out, Item.Link);
            Out += ", \"reason\": \"";
            Out += LinkReasonName(Item.Diagnosis.Reason);
            Out += '"';
            Html5IdLinks += Item.Diagnosis.Reason == TLinkReason::lrHtml5Id;
            ModernValid += Item.Diagnosis.ValidByModernRules;
            AppendSuggestion(Out, Run, Item.Diagnosis);
            AppendPosition(Out, Item.Position);
            Out += '}';
            FlushWhenLarge(Stream, Out);
        }
        ++FileIndex;
        Out += "], \"linkedFrom\": [";
        bool FirstSource = true;
        for (const TFileObject* Source : BackLinks.LinkingFiles(*File)) {
            if (!FirstSource) Out += ", ";
            FirstSource = false;
            AppendJsonString(Out, Run.CurrentProject.RelativeToHome(Source->Path));
        }
        // The pages whose invalid links would lead here once fixed as suggested.
        Out += "], \"linkedFromBroken\": [";
        FirstSource = true;
        for (const TBrokenLink& Source : Suggested.LinksTo(*File)) {
            Out += FirstSource ? "{\"path\": " : ", {\"path\": ";
            FirstSource = false;
            AppendJsonString(Out, Run.CurrentProject.RelativeToHome(Source.Page->Path));
            Out += ", \"link\": ";
            AppendJsonString(Out, Source.Link());
            Out += '}';
        }
        Out += ']';
        Out += '}';
        FlushWhenLarge(Stream, Out);
    }
    Out += First ? "],\n  \"orphans\": " : "\n  ],\n  \"orphans\": ";
    AppendJsonArray(Out, Orphans);
    // How many invalid links are html5-id ones, and how many ModernHTML would make valid.
    Out += ",\n  \"html5IdLinks\": " + std::to_string(Html5IdLinks) +
           ", \"modernValidLinks\": " + std::to_string(ModernValid);
    AppendBrokenTargets(Stream, Out, Run, Diagnosed);
    Out += "\n}\n";
    Stream << Out;
}

void WriteGnuReport(std::ostream& Out, const TRunContext& Run) {
    const std::vector<std::vector<TDiagnosedLink>> Diagnosed = DiagnosedLinks(Run);
    size_t FileIndex = 0;
    // Paths below the current folder relative to it, as compilers write them.
    std::error_code Error;
    const std::filesystem::path Here = std::filesystem::current_path(Error);
    const std::string Prefix = Error || Here.empty()
                                   ? std::string()
                                   : IncludeTrailingSeparator(Here.string(), TPathStyle::psPosix);
    for (const auto& File : Run.FileObjects) {
        if (File->InvalidLinks.Empty()) {
            ++FileIndex;
            continue;
        }
        std::string Path = File->Path;
        if (!Prefix.empty() && Path.starts_with(Prefix)) Path.erase(0, Prefix.size());
        for (const TDiagnosedLink& Item : Diagnosed[FileIndex++]) {
            Out << Path << ':';
            if (Item.Position.Line > 0)
                Out << Item.Position.Line << ':' << Item.Position.Column << ':';
            Out << " invalid link \"" << PageTextToCodePage(Item.Link, File->Charset) << "\" ("
                << LinkReasonName(Item.Diagnosis.Reason);
            if (Item.Diagnosis.Suggestion)
                Out << "; did you mean \""
                    << PageTextToCodePage(*Item.Diagnosis.Suggestion, File->Charset) << "\"?";
            Out << ")\n";
        }
    }
}

} // namespace orvel::cli
