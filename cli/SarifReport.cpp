#include "cli/SarifReport.h"

#include "analysis/RunContext.h"
#include "cli/JsonWriter.h"
#include "cli/Report.h"
#include "support/UrlText.h"

#include <algorithm>
#include <iterator>
#include <ostream>

namespace orvel::cli {

namespace {

// The base of the results' relative URIs: the current folder when the site lies below it (a
// repository's root, whose paths code-scanning services know), else the home folder.
const char* const SiteBase = "%SRCROOT%";

constexpr int ReasonCount = static_cast<int>(TLinkReason::lrMissing) + 1;
// The rules after those of the reasons, which come in the reasons' order.
constexpr int OrphanRule = ReasonCount, UnreadableRule = ReasonCount + 1;
// Then, when the external links were checked, one rule per outcome that needs attention.
constexpr int ExternalRule = ReasonCount + 2;
const TExternalResult::TOutcome ExternalRules[] = {
    TExternalResult::broken, TExternalResult::timeout, TExternalResult::redirect};
const char* const ExternalDescriptions[][2] = {
    {"The server of an external link answers that it has no such page, or cannot be reached.",
     "warning"},
    {"The server of an external link did not answer in time.", "warning"},
    {"An external link's page has moved for good; the link can name its new place.", "note"},
};

// What each reason says, in the reasons' order.
const char* const ReasonDescriptions[] = {
    "A file of the site differs from the link's target only in letter case.",
    "The anchor is the id of an element, which only the modern rules take as an anchor.",
    "The target file exists but has no such anchor.",
    "The link names a folder.",
    "The target exists with another extension.",
    "The target exists once the link's character references or escapes are decoded.",
    "The target exists only in the file names' charset, not in its page's.",
    "The only file of the site with the target's name is in another folder.",
    "A file of the target's folder has a name close to the target's.",
    "A file: URL to an existing file, while local files are not checked.",
    "The target does not exist.",
};
static_assert(std::size(ReasonDescriptions) == ReasonCount, "a reason without its description");

class TSarifReport {
public:
    TSarifReport(std::ostream& Stream, const TReportModel& ReportModel)
        : Model(ReportModel), Run(ReportModel.Run), Json(Stream),
          Base(FolderAboveHome(Run.CurrentProject.HomeDir)) {
        if (Base.empty()) Base = Run.CurrentProject.HomeDir;
        HomeInBase = Run.CurrentProject.HomeDir.substr(Base.size());
    }

    void Write() {
        Json << "{\n  \"$schema\": "
                "\"https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/"
                "sarif-schema-2.1.0.json\",\n"
                "  \"version\": \"2.1.0\",\n  \"runs\": [{\n"
                "    \"tool\": {\"driver\": {\"name\": \"orvel-check\", \"version\": "
                "\"" ORVEL_VERSION
                "\", \"informationUri\": \"https://example.org/orvel\",\n      \"rules\": [";
        Rules();
        Json << "]}},\n    \"invocations\": [{\"executionSuccessful\": ";
        Json.Bool(!Model.Facts.Halted)
            << "}],\n    \"originalUriBaseIds\": {\"" << SiteBase << "\": {\"uri\": ";
        Json.String("file://" + PercentEncodedPath(Base))
            << "}},\n    \"columnKind\": \"unicodeCodePoints\",\n    \"results\": [";
        InvalidLinks();
        ExternalLinks();
        for (const std::string& Path : Model.Orphans) {
            Result(OrphanRule, "error");
            Json.String("orphan file \"" + Path + "\" (no TOP page links to it)");
            Location(Path);
            Json << "}}]}";
        }
        for (const TReportError& Error : Model.Errors) {
            Result(UnreadableRule, "error");
            Json.String(Error.Message);
            Location(Error.Path);
            Json << "}}]}";
        }
        Json << (Results == 0 ? "]\n  }]\n}\n" : "\n    ]\n  }]\n}\n");
        Json.Flush();
    }

private:
    void Rules() {
        for (int R = 0; R < ReasonCount; ++R)
            Rule(R, ReasonDescriptions[R], "error");
        Rule(OrphanRule, "No TOP page reaches the file through valid links.", "error");
        Rule(UnreadableRule, "The check could not read the page or list the folder.", "error");
        if (Run.External.Checked)
            for (int R = 0; R < int(std::size(ExternalRules)); ++R)
                Rule(ExternalRule + R, ExternalDescriptions[R][0], ExternalDescriptions[R][1]);
    }

    void Rule(int Index, const char* Description, const char* Level) {
        Json << (Index == 0 ? "\n        {\"id\": \"" : ",\n        {\"id\": \"");
        RuleId(Index);
        Json << "\", \"shortDescription\": {\"text\": ";
        Json.String(Description) << "}, \"defaultConfiguration\": {\"level\": \"" << Level
                                 << "\"}}";
    }

    void RuleId(int Index) {
        if (Index < ReasonCount)
            Json << "invalid-link/" << LinkReasonName(static_cast<TLinkReason>(Index));
        else if (Index >= ExternalRule)
            Json << "external-link/" << OutcomeName(ExternalRules[Index - ExternalRule]);
        else
            Json << (Index == OrphanRule ? "orphan-file" : "unreadable");
    }

    // Each invalid link at its place, with the words of the gnu report.
    void InvalidLinks() {
        for (int F = 0; F < Run.FileObjects.Count(); ++F) {
            const TFileObject& File = Run.FileObjects[F];
            for (const TDiagnosedLink& Item : Model.Diagnosed[static_cast<size_t>(F)]) {
                if (!Item.Reported) continue;
                const TLinkDiagnosis& Diagnosis = Item.Diagnosis;
                Result(static_cast<int>(Diagnosis.Reason), "error");
                std::string Text = "invalid link \"" + PageTextToUtf8(Item.Link, File.Charset) +
                                   "\" (" + LinkReasonName(Diagnosis.Reason);
                if (Diagnosis.Suggestion)
                    Text += "; did you mean \"" +
                            PageTextToUtf8(*Diagnosis.Suggestion, File.Charset) + "\"?";
                Json.Utf8(Text + ")");
                Location(Model.RelativePath(File.Path));
                Region(Item.Position);
                Json << "}}]}";
                Json.FlushWhenLarge();
            }
        }
    }

    // Each external link that needs attention at its place.
    void ExternalLinks() {
        for (size_t F = 0; F < Model.External.size(); ++F) {
            const TFileObject& File = Run.FileObjects[static_cast<int>(F)];
            for (const TExternalFinding& Finding : Model.External[F]) {
                const int Rule =
                    ExternalRule +
                    static_cast<int>(std::ranges::find(ExternalRules, Finding.Result.Outcome) -
                                     std::begin(ExternalRules));
                Result(Rule, ExternalDescriptions[Rule - ExternalRule][1]);
                Json.Utf8(ExternalFindingText(Finding, [&](const std::string& Text) {
                    return PageTextToUtf8(Text, File.Charset);
                }));
                Location(Model.RelativePath(File.Path));
                Region(Finding.Position);
                Json << "}}]}";
            }
        }
    }

    // A result up to its message text.
    void Result(int RuleIndex, const char* Level) {
        Json << (Results++ == 0 ? "\n      {\"ruleId\": \"" : ",\n      {\"ruleId\": \"");
        RuleId(RuleIndex);
        Json << "\", \"ruleIndex\": ";
        Json.Number(RuleIndex) << ", \"level\": \"" << Level << "\", \"message\": {\"text\": ";
    }

    // The end of the message and the start of the physical location of a file or folder, up to
    // its region: a path below the home folder is relative to the base, any other absolute.
    void Location(std::string_view Path) {
        Json << "},\n       \"locations\": [{\"physicalLocation\": {\"artifactLocation\": "
                "{\"uri\": ";
        if (Path.starts_with('/')) {
            Json.String("file://" + PercentEncodedPath(Path)) << '}';
        } else {
            Json.String(PercentEncodedPath(HomeInBase + std::string(Path)))
                << ", \"uriBaseId\": \"" << SiteBase << "\"}";
        }
    }

    void Region(const TTextPosition& At) {
        if (At.Line == 0) return;
        Json << ", \"region\": {\"startLine\": ";
        Json.Number(At.Line) << ", \"startColumn\": ";
        Json.Number(At.Column) << '}';
    }

    const TReportModel& Model;
    const TRunContext& Run;
    TJsonWriter Json;
    std::string Base;       // the folder of the relative URIs
    std::string HomeInBase; // the home folder relative to it
    int Results = 0;        // written so far
};

} // namespace

void WriteSarifReport(std::ostream& Out, const TReportModel& Model) {
    TSarifReport(Out, Model).Write();
}

} // namespace orvel::cli
