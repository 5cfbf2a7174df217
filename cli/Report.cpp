#include "cli/Report.h"

#include "analysis/BackLinks.h"
#include "analysis/RunContext.h"
#include "cli/JsonWriter.h"
#include "support/CodePage.h"

#include <filesystem>
#include <ostream>

namespace orvel::cli {

namespace {

// The last line of a text report, when ModernHTML would make links valid.
const char* const ModernSummary = "ModernHTML=1 で有効になるリンクの数 ";

const char* KindName(TFileKind Kind) {
    return Kind == fkHtml ? "html" : Kind == fkImage ? "image" : "other";
}

const char* ReachName(TReachState State) {
    return State == rsReached ? "reached" : State == rsTop ? "top" : "unreached";
}

// The JSON report, part by part.
class TJsonReport {
public:
    TJsonReport(std::ostream& Stream, const TReportModel& ReportModel)
        : Model(ReportModel), Run(ReportModel.Run), Json(Stream), BackLinks(Run),
          Suggested(Run, [&](int File, int Invalid) {
              return Model.Diagnosed[static_cast<size_t>(File)][static_cast<size_t>(Invalid)]
                  .Diagnosis.Leads;
          }) {}

    void Write() {
        Head();
        Json << ",\n  \"files\": [";
        for (int F = 0; F < Run.FileObjects.Count(); ++F) {
            Json << (F == 0 ? "\n    {\"path\": " : ",\n    {\"path\": ");
            File(Run.FileObjects[F], static_cast<size_t>(F));
            Json << '}';
            Json.FlushWhenLarge();
        }
        Json << (Run.FileObjects.Count() == 0 ? "]" : "\n  ]");
        Tail();
        Json << "\n}\n";
        Json.Flush();
    }

private:
    // The project and the summary.
    void Head() {
        const TOrvelProject& Project = Run.CurrentProject;
        Json << "{\n  \"home\": ";
        Json.String(Project.HomeDir) << ", \"serverRoot\": ";
        Json.String(Project.ServerRoot) << ", \"halted\": ";
        Json.Bool(Model.Facts.Halted) << ",\n  \"topFiles\": ";
        Json.Array(Project.TopFiles) << ", \"ignoreFiles\": ";
        Json.Array(Project.IgnoreFiles) << ", \"wildCards\": ";
        Json.Array(Project.WildCards) << ", \"ignoreLinks\": ";
        Json.Array(Project.IgnoreLinks) << ",\n  \"summary\": {\"files\": ";
        Json.Number(Run.FileObjects.Count()) << ", \"htmlFiles\": ";
        Json.Number(Model.HtmlFiles) << ", \"filesWithInvalidLinks\": ";
        Json.Number(Run.InvalidLinkFileCount) << ", \"invalidLinks\": ";
        Json.Number(Run.InvalidLinkTotal) << ", \"orphanFiles\": ";
        Json.Number(static_cast<long long>(Model.Orphans.size())) << '}';
    }

    // A file's members after "path".
    void File(const TFileObject& Page, size_t Index) {
        Json.String(Model.RelativePath(Page.Path))
            << ", \"kind\": \"" << KindName(Page.Kind) << "\", \"reach\": \""
            << ReachName(Page.ReachState) << "\", \"ignored\": ";
        Json.Bool(Page.Ignored) << ", \"flagged\": ";
        Json.Bool(Page.Flagged);
        // The charset the strings of the page are in, for a tool that decodes their bytes.
        Json << ", \"charset\": "
             << (Page.Charset.Known() ? '"' + Page.Charset.Name() + '"' : std::string("null"));
        Json << ",\n     \"links\": ";
        Json.Array(Page.Links) << ", \"valid\": ";
        Json.Array(Page.ValidLinks) << ", \"invalid\": ";
        Json.Array(Page.InvalidLinks) << ", \"external\": ";
        Json.Array(Page.ExternalLinks) << ",\n     \"anchors\": ";
        Json.Array(Page.Anchors);
        ReachedAnchors(Page);
        Diagnoses(Model.Diagnosed[Index]);
        LinkingFiles(Page);
    }

    void ReachedAnchors(const TFileObject& Page) {
        Json << ", \"reachedAnchors\": [";
        for (int I = 0, Written = 0; I < Page.Anchors.Count() && I < Page.Node->Count(); ++I)
            if (Page.Node->Item(I)->Reached) {
                if (Written++ > 0) Json << ", ";
                Json.String(Page.Anchors[I]);
                Json.FlushWhenLarge();
            }
        Json << ']';
    }

    void Diagnoses(const std::vector<TDiagnosedLink>& Diagnosed) {
        Json << ",\n     \"diagnoses\": [";
        for (size_t I = 0; I < Diagnosed.size(); ++I) {
            Json << (I == 0 ? "{\"link\": " : ", {\"link\": ");
            Json.String(Diagnosed[I].Link);
            Reason(Diagnosed[I].Diagnosis);
            Position(Diagnosed[I].Position);
            Json << '}';
            Json.FlushWhenLarge();
        }
        Json << ']';
    }

    // The files that link here validly, and the pages whose invalid links would lead here once
    // fixed as suggested.
    void LinkingFiles(const TFileObject& Page) {
        Json << ", \"linkedFrom\": [";
        bool First = true;
        for (const TFileObject* Source : BackLinks.LinkingFiles(Page)) {
            if (!std::exchange(First, false)) Json << ", ";
            Json.String(Model.RelativePath(Source->Path));
        }
        Json << "], \"linkedFromBroken\": [";
        First = true;
        for (const TBrokenLink& Source : Suggested.LinksTo(Page)) {
            Json << (std::exchange(First, false) ? "{\"path\": " : ", {\"path\": ");
            Json.String(Model.RelativePath(Source.Page->Path)) << ", \"link\": ";
            Json.String(Source.Link()) << '}';
        }
        Json << ']';
    }

    // The orphans, the counts of the diagnoses and the broken targets.
    void Tail() {
        Json << ",\n  \"orphans\": ";
        Json.Array(Model.Orphans);
        // How many invalid links are html5-id ones, and how many ModernHTML would make valid.
        Json << ",\n  \"html5IdLinks\": ";
        Json.Number(Model.Html5IdLinks) << ", \"modernValidLinks\": ";
        Json.Number(Model.ModernValid);
        BrokenTargets();
    }

    void BrokenTargets() {
        Json << ",\n  \"brokenTargets\": [";
        for (size_t T = 0; T < Model.Targets.size(); ++T) {
            const TBrokenTarget& Target = Model.Targets[T];
            Json << (T == 0 ? "{\"target\": " : ", {\"target\": ");
            Json.String(Target.Target);
            Reason(Model.Of(Target.Links[0]).Diagnosis);
            Json << ", \"links\": [";
            for (size_t L = 0; L < Target.Links.size(); ++L) {
                const TBrokenLink& Link = Target.Links[L];
                Json << (L == 0 ? "{\"path\": " : ", {\"path\": ");
                Json.String(Model.RelativePath(Link.Page->Path)) << ", \"link\": ";
                Json.String(Link.Link());
                Position(Model.Of(Link).Position);
                Json << '}';
                Json.FlushWhenLarge();
            }
            Json << "]}";
        }
        Json << ']';
    }

    // The members of a diagnosis: reason, suggestion and candidates.
    void Reason(const TLinkDiagnosis& Diagnosis) {
        Json << ", \"reason\": \"" << LinkReasonName(Diagnosis.Reason) << "\", \"suggestion\": ";
        if (Diagnosis.Suggestion)
            Json.String(*Diagnosis.Suggestion);
        else
            Json << "null";
        Json << ", \"candidates\": [";
        for (size_t I = 0; I < Diagnosis.Candidates.size(); ++I) {
            if (I > 0) Json << ", ";
            Json.String(Model.RelativePath(Diagnosis.Candidates[I]->Path));
        }
        Json << ']';
    }

    void Position(const TTextPosition& At) {
        Json << ", \"line\": ";
        if (At.Line > 0)
            Json.Number(At.Line) << ", \"column\": ";
        else
            Json << "null, \"column\": ";
        if (At.Line > 0)
            Json.Number(At.Column);
        else
            Json << "null";
    }

    const TReportModel& Model;
    const TRunContext& Run;
    TJsonWriter Json;
    const TBackLinks BackLinks;
    const TSuggestedBackLinks Suggested;
};

} // namespace

void WriteTextReport(std::ostream& Out, const TReportModel& Model) {
    const TRunContext& Run = Model.Run;
    for (int F = 0; F < Run.FileObjects.Count(); ++F) {
        const TFileObject& File = Run.FileObjects[F];
        if (File.InvalidLinks.Empty()) continue;
        Out << Model.RelativePath(File.Path) << '\n';
        for (const TDiagnosedLink& Item : Model.Diagnosed[static_cast<size_t>(F)]) {
            Out << "    " << PageTextToCodePage(Item.Link, File.Charset);
            if (Item.Diagnosis.Suggestion)
                Out << "    (" << LinkReasonName(Item.Diagnosis.Reason) << "; did you mean \""
                    << PageTextToCodePage(*Item.Diagnosis.Suggestion, File.Charset) << "\"?)";
            Out << '\n';
        }
    }
    if (!Model.Targets.empty()) {
        Out << "broken targets:\n";
        for (const TBrokenTarget& Target : Model.Targets)
            Out << "    " << Target.Target << "    ("
                << LinkReasonName(Model.Of(Target.Links[0]).Diagnosis.Reason) << ")    "
                << Target.Pages << (Target.Pages == 1 ? " file, " : " files, ") << Target.Places
                << (Target.Places == 1 ? " place\n" : " places\n");
    }
    if (!Model.Orphans.empty()) {
        Out << "orphan files:\n";
        for (const std::string& Path : Model.Orphans)
            Out << "    " << Path << '\n';
    }
    Out << "無効リンクを含むファイルの数 " << Run.InvalidLinkFileCount << '\n'
        << "無効リンクの総数 " << Run.InvalidLinkTotal << '\n';
    if (Model.ModernValid > 0) Out << ModernSummary << Model.ModernValid << '\n';
}

void WriteJsonReport(std::ostream& Out, const TReportModel& Model) {
    TJsonReport(Out, Model).Write();
}

void WriteGnuReport(std::ostream& Out, const TReportModel& Model) {
    // Paths below the current folder relative to it, as compilers write them.
    std::error_code Error;
    const std::filesystem::path Here = std::filesystem::current_path(Error);
    const std::string Prefix = Error || Here.empty()
                                   ? std::string()
                                   : IncludeTrailingSeparator(Here.string(), TPathStyle::psPosix);
    const TRunContext& Run = Model.Run;
    for (int F = 0; F < Run.FileObjects.Count(); ++F) {
        const TFileObject& File = Run.FileObjects[F];
        std::string Path = File.Path;
        if (!Prefix.empty() && Path.starts_with(Prefix)) Path.erase(0, Prefix.size());
        for (const TDiagnosedLink& Item : Model.Diagnosed[static_cast<size_t>(F)]) {
            Out << Path << ':';
            if (Item.Position.Line > 0)
                Out << Item.Position.Line << ':' << Item.Position.Column << ':';
            Out << " invalid link \"" << PageTextToCodePage(Item.Link, File.Charset) << "\" ("
                << LinkReasonName(Item.Diagnosis.Reason);
            if (Item.Diagnosis.Suggestion)
                Out << "; did you mean \""
                    << PageTextToCodePage(*Item.Diagnosis.Suggestion, File.Charset) << "\"?";
            Out << ")\n";
        }
    }
}

} // namespace orvel::cli
