#include "cli/Report.h"

#include "analysis/BackLinks.h"
#include "analysis/RunContext.h"
#include "cli/JsonWriter.h"
#include "support/CodePage.h"
#include "support/Translation.h"

#include <algorithm>
#include <map>
#include <ostream>

namespace orvel::cli {

namespace {

const std::string& HaltedText() {
    return Tr("halted: the check was interrupted; files it had not read are left out");
}

void AppendHex(std::string& Out, unsigned char C) {
    const char* const Digits = "0123456789abcdef";
    Out += "\\x";
    Out += Digits[C >> 4];
    Out += Digits[C & 15];
}

// Whether the byte at I starts a control character: C0 and DEL, and under UTF-8 the C1
// controls, which terminals take for escapes too. Returns its length, or 0.
size_t ControlAt(std::string_view Text, size_t I, bool Utf8) {
    const auto C = static_cast<unsigned char>(Text[I]);
    if (C < 0x20 || C == 0x7f) return 1;
    if (Utf8 && C == 0xc2 && I + 1 < Text.size() &&
        (static_cast<unsigned char>(Text[I + 1]) & 0xe0) == 0x80)
        return 2;
    return 0;
}

// A path as the location of a compiler-style line: in double quotes, as a C string, when it
// holds what would end the location early or forge another (a colon, a control character, a
// quote or a blank at either end).
std::string LocationPath(std::string_view Path) {
    std::string Plain = Escaped(Path);
    if (!Path.empty() && Plain.size() == Path.size() &&
        Path.find_first_of(":\"\\") == std::string_view::npos && Path.front() != ' ' &&
        Path.back() != ' ')
        return Plain;
    return '"' + Escaped(Path, true) + '"';
}

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
        Json << "{\n  \"version\": 1,\n  \"home\": ";
        Json.String(Project.HomeDir) << ", \"serverRoot\": ";
        Json.String(Project.ServerRoot) << ", \"halted\": ";
        Json.Bool(Model.Facts.Halted) << ",\n  \"topFiles\": ";
        Json.Array(Project.TopFiles) << ", \"ignoreFiles\": ";
        Json.Array(Project.IgnoreFiles) << ", \"wildCards\": ";
        Json.Array(Project.WildCards) << ", \"ignoreLinks\": ";
        Json.Array(Project.IgnoreLinks) << ",\n  \"summary\": {\"files\": ";
        Json.Number(Run.FileObjects.Count()) << ", \"htmlFiles\": ";
        Json.Number(Model.HtmlFiles) << ", \"filesWithInvalidLinks\": ";
        Json.Number(Model.FilesWithInvalidLinks) << ", \"invalidLinks\": ";
        Json.Number(Model.InvalidLinks) << ", \"orphanFiles\": ";
        Json.Number(static_cast<long long>(Model.Orphans.size())) << '}';
        if (Run.External.Checked) ExternalSummary();
    }

    void ExternalSummary() {
        Json << ",\n  \"externalSummary\": {\"links\": ";
        Json.Number(static_cast<long long>(Run.External.ByLink.size()));
        for (const auto Outcome :
             {TExternalResult::ok, TExternalResult::redirect, TExternalResult::broken,
              TExternalResult::timeout, TExternalResult::skipped}) {
            Json << ", \"" << OutcomeName(Outcome) << "\": ";
            Json.Number(Run.External.Count(Outcome));
        }
        Json << ", \"halted\": ";
        Json.Bool(Run.External.Halted) << '}';
    }

    // What the servers said of each external link, in the external list's order.
    void ExternalResults(const TFileObject& Page) {
        Json << ",\n     \"externalResults\": [";
        for (int L = 0; L < Page.ExternalLinks.Count(); ++L) {
            const std::string& Link = Page.ExternalLinks[L];
            const TExternalLinkResult* Result = Run.External.Of(Link);
            static const TExternalLinkResult Unasked;
            if (!Result) Result = &Unasked;
            Json << (L == 0 ? "{\"url\": " : ", {\"url\": ");
            Json.String(Link) << ", \"outcome\": \"" << OutcomeName(Result->Outcome)
                              << "\", \"code\": ";
            if (Result->Code > 0)
                Json.Number(Result->Code);
            else
                Json << "null";
            Json << ", \"finalUrl\": ";
            NullOrString(Result->FinalUrl);
            Json << ", \"error\": ";
            NullOrString(Result->MissingAnchor ? std::string("no such anchor") : Result->Error);
            Json << '}';
            Json.FlushWhenLarge();
        }
        Json << ']';
    }

    void NullOrString(const std::string& Text) {
        if (Text.empty())
            Json << "null";
        else
            Json.String(Text);
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
        ReportedLinks(Model.Diagnosed[Index]);
        Json << ", \"external\": ";
        Json.Array(Page.ExternalLinks);
        if (Run.External.Checked) ExternalResults(Page);
        Json << ",\n     \"anchors\": ";
        Json.Array(Page.Anchors);
        ReachedAnchors(Page);
        Diagnoses(Model.Diagnosed[Index]);
        LinkingFiles(Page);
    }

    void ReachedAnchors(const TFileObject& Page) {
        Json << ", \"reachedAnchors\": [";
        for (int I = 0, Written = 0; I < Page.Anchors.Count(); ++I)
            if (static_cast<size_t>(I) < Page.AnchorsReached.size() &&
                Page.AnchorsReached[static_cast<size_t>(I)]) {
                if (Written++ > 0) Json << ", ";
                Json.String(Page.Anchors[I]);
                Json.FlushWhenLarge();
            }
        Json << ']';
    }

    // The invalid links that the report gives: all but after a halt.
    void ReportedLinks(const std::vector<TDiagnosedLink>& Diagnosed) {
        Json << '[';
        bool First = true;
        for (const TDiagnosedLink& Item : Diagnosed)
            if (Item.Reported) {
                if (!std::exchange(First, false)) Json << ", ";
                Json.String(Item.Link);
                Json.FlushWhenLarge();
            }
        Json << ']';
    }

    void Diagnoses(const std::vector<TDiagnosedLink>& Diagnosed) {
        Json << ",\n     \"diagnoses\": [";
        bool First = true;
        for (const TDiagnosedLink& Item : Diagnosed) {
            if (!Item.Reported) continue;
            Json << (std::exchange(First, false) ? "{\"link\": " : ", {\"link\": ");
            Json.String(Item.Link);
            Reason(Item.Diagnosis);
            Position(Item.Position);
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

    // The orphans, what could not be read, the counts of the diagnoses and the broken targets.
    void Tail() {
        Json << ",\n  \"orphans\": ";
        Json.Array(Model.Orphans);
        Json << ",\n  \"errors\": [";
        for (size_t I = 0; I < Model.Errors.size(); ++I) {
            Json << (I == 0 ? "{\"path\": " : ", {\"path\": ");
            Json.String(Model.Errors[I].Path) << ", \"message\": ";
            Json.String(Model.Errors[I].Message) << '}';
        }
        Json << ']';
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

// What the compiler-style report says of one path: a file's invalid links, that it is an
// orphan, and what could not be read there.
struct TGnuSubject {
    int File = -1; // with invalid links to report, its index in FileObjects
    bool Orphan = false;
    std::vector<const TReportError*> Errors;
};

void WriteGnuLink(std::ostream& Out, const TReportModel& Model, const std::string& Path, int File,
                  const TDiagnosedLink& Item) {
    const TCharset Charset = Model.Run.FileObjects[File].Charset;
    Out << Path << ':';
    if (Item.Position.Line > 0) Out << Item.Position.Line << ':' << Item.Position.Column << ':';
    Out << " invalid link \"" << Escaped(PageTextToCodePage(Item.Link, Charset)) << "\" ("
        << LinkReasonName(Item.Diagnosis.Reason);
    if (Item.Diagnosis.Suggestion)
        Out << "; did you mean \""
            << Escaped(PageTextToCodePage(*Item.Diagnosis.Suggestion, Charset)) << "\"?";
    Out << ")\n";
}

void WriteGnuExternal(std::ostream& Out, const std::string& Path, TCharset Charset,
                      const TExternalFinding& Finding) {
    Out << Path << ':';
    if (Finding.Position.Line > 0)
        Out << Finding.Position.Line << ':' << Finding.Position.Column << ':';
    Out << ' ' << ExternalFindingText(Finding, [&](const std::string& Text) {
        return Escaped(PageTextToCodePage(Text, Charset));
    }) << '\n';
}

// One line of a file about a link: an invalid link or an external finding.
struct TGnuLinkLine {
    TTextPosition Position;
    const TDiagnosedLink* Invalid;
    const TExternalFinding* External;
};

// The lines of one path, by line and column; a folder's have none.
void WriteGnuLines(std::ostream& Out, const TReportModel& Model, const std::string& Path,
                   const TGnuSubject& Subject) {
    for (const TReportError* Error : Subject.Errors)
        Out << Path << (Path.ends_with('/') ? "" : ":1:1") << ": unreadable (" << Error->Message
            << ")\n";
    std::vector<TGnuLinkLine> Lines;
    if (Subject.File >= 0) {
        const auto File = static_cast<size_t>(Subject.File);
        for (const TDiagnosedLink& Item : Model.Diagnosed[File])
            if (Item.Reported) Lines.push_back({Item.Position, &Item, nullptr});
        if (File < Model.External.size())
            for (const TExternalFinding& Finding : Model.External[File])
                Lines.push_back({Finding.Position, nullptr, &Finding});
    }
    std::ranges::stable_sort(Lines, {}, [](const TGnuLinkLine& Line) {
        return std::make_pair(Line.Position.Line, Line.Position.Column);
    });
    const auto Write = [&](const TGnuLinkLine& Line) {
        if (Line.Invalid)
            WriteGnuLink(Out, Model, Path, Subject.File, *Line.Invalid);
        else
            WriteGnuExternal(Out, Path, Model.Run.FileObjects[Subject.File].Charset,
                             *Line.External);
    };
    auto Next = Lines.begin();
    // Links of no known line come first, then the orphan's line at 1:1, then the rest.
    for (; Next != Lines.end() && Next->Position.Line == 0; ++Next)
        Write(*Next);
    if (Subject.Orphan) Out << Path << ":1:1: orphan file (no TOP page links to it)\n";
    for (; Next != Lines.end(); ++Next)
        Write(*Next);
}

// The external links that need attention, under each page that has them.
void WriteTextExternal(std::ostream& Out, const TReportModel& Model) {
    bool First = true;
    for (size_t F = 0; F < Model.External.size(); ++F) {
        if (Model.External[F].empty()) continue;
        if (std::exchange(First, false)) Out << Tr("external links:") << '\n';
        const TFileObject& File = Model.Run.FileObjects[static_cast<int>(F)];
        Out << "    " << Escaped(Model.RelativePath(File.Path)) << '\n';
        for (const TExternalFinding& Finding : Model.External[F]) {
            Out << "        " << Escaped(PageTextToCodePage(Finding.Link, File.Charset)) << "    ("
                << ExternalOutcomeText(Finding.Result);
            if (Finding.Result.Outcome == TExternalResult::redirect)
                Out << Tr("; did you mean \"")
                    << Escaped(PageTextToCodePage(Finding.Result.FinalUrl, File.Charset))
                    << Tr("\"?");
            Out << ")\n";
        }
    }
}

} // namespace

std::string ExternalOutcomeText(const TExternalLinkResult& Result) {
    std::string Text = OutcomeName(Result.Outcome);
    if (Result.MissingAnchor)
        Text += ": no such anchor";
    else if (Result.Outcome == TExternalResult::broken)
        Text += ": " + (Result.Code > 0 ? std::to_string(Result.Code) : Result.Error);
    return Text;
}

std::string ExternalFindingText(const TExternalFinding& Finding,
                                const std::function<std::string(const std::string&)>& Convert) {
    std::string Text =
        "external link \"" + Convert(Finding.Link) + "\" (" + ExternalOutcomeText(Finding.Result);
    if (Finding.Result.Outcome == TExternalResult::redirect)
        Text += "; did you mean \"" + Convert(Finding.Result.FinalUrl) + "\"?";
    return Text + ")";
}

std::string Escaped(std::string_view Text, bool CString) {
    const bool Utf8 = CurrentCodePage() == TCodePage::cpUtf8;
    std::string Out;
    Out.reserve(Text.size());
    for (size_t I = 0; I < Text.size(); ++I) {
        const size_t Control = ControlAt(Text, I, Utf8);
        if (Control == 0) {
            // The second byte of a double-byte character may look like a backslash.
            if (!Utf8 && IsLeadByte(static_cast<unsigned char>(Text[I])) && I + 1 < Text.size() &&
                static_cast<unsigned char>(Text[I + 1]) >= 0x40) {
                Out.append(Text, I++, 2);
                continue;
            }
            if (CString && (Text[I] == '"' || Text[I] == '\\')) Out += '\\';
            Out += Text[I];
            continue;
        }
        for (size_t K = 0; K < Control; ++K)
            AppendHex(Out, static_cast<unsigned char>(Text[I + K]));
        I += Control - 1;
    }
    return Out;
}

void WriteTextReport(std::ostream& Out, const TReportModel& Model) {
    const TRunContext& Run = Model.Run;
    for (int F = 0; F < Run.FileObjects.Count(); ++F) {
        const TFileObject& File = Run.FileObjects[F];
        const std::vector<TDiagnosedLink>& Links = Model.Diagnosed[static_cast<size_t>(F)];
        if (std::ranges::none_of(Links, &TDiagnosedLink::Reported)) continue;
        Out << Escaped(Model.RelativePath(File.Path)) << '\n';
        for (const TDiagnosedLink& Item : Links) {
            if (!Item.Reported) continue;
            Out << "    " << Escaped(PageTextToCodePage(Item.Link, File.Charset));
            if (Item.Diagnosis.Suggestion)
                Out << "    (" << LinkReasonName(Item.Diagnosis.Reason) << Tr("; did you mean \"")
                    << Escaped(PageTextToCodePage(*Item.Diagnosis.Suggestion, File.Charset))
                    << Tr("\"?") << ')';
            Out << '\n';
        }
    }
    if (!Model.Targets.empty()) {
        Out << Tr("broken targets:") << '\n';
        for (const TBrokenTarget& Target : Model.Targets)
            Out << "    " << Escaped(Target.Target) << "    ("
                << LinkReasonName(Model.Of(Target.Links[0]).Diagnosis.Reason) << ")    "
                << Target.Pages << (Target.Pages == 1 ? Tr(" file, ") : Tr(" files, "))
                << Target.Places << (Target.Places == 1 ? Tr(" place") : Tr(" places")) << '\n';
    }
    WriteTextExternal(Out, Model);
    if (!Model.Orphans.empty()) {
        Out << Tr("orphan files:") << '\n';
        for (const std::string& Path : Model.Orphans)
            Out << "    " << Escaped(Path) << '\n';
    }
    if (!Model.Errors.empty()) {
        Out << Tr("unreadable:") << '\n';
        for (const TReportError& Error : Model.Errors)
            Out << "    " << Escaped(Error.Path) << ": " << Error.Message << '\n';
    }
    Out << Tr("無効リンクを含むファイルの数 ") << Model.FilesWithInvalidLinks << '\n'
        << Tr("無効リンクの総数 ") << Model.InvalidLinks << '\n';
    // The last line, when ModernHTML would make links valid.
    if (Model.ModernValid > 0)
        Out << Tr("ModernHTML=1 で有効になるリンクの数 ") << Model.ModernValid << '\n';
    if (Run.External.Checked) Out << Tr("壊れた外部リンクの数 ") << Model.ExternalBroken << '\n';
    if (Model.Facts.Halted) Out << HaltedText() << '\n';
}

void WriteJsonReport(std::ostream& Out, const TReportModel& Model) {
    TJsonReport(Out, Model).Write();
}

void WriteGnuReport(std::ostream& Out, const TReportModel& Model) {
    // Paths below the current folder relative to it, as compilers write them.
    const std::string& Home = Model.Run.CurrentProject.HomeDir;
    const std::string HomeShown = Home.substr(FolderAboveHome(Home).size());
    // Every path shares the home folder's part, so the paths relative to it sort the lines.
    std::map<std::string_view, TGnuSubject> Subjects;
    const TRunContext& Run = Model.Run;
    for (int F = 0; F < Run.FileObjects.Count(); ++F)
        if (std::ranges::any_of(Model.Diagnosed[static_cast<size_t>(F)],
                                &TDiagnosedLink::Reported) ||
            (static_cast<size_t>(F) < Model.External.size() &&
             !Model.External[static_cast<size_t>(F)].empty()))
            Subjects[Model.RelativePath(Run.FileObjects[F].Path)].File = F;
    for (const std::string& Orphan : Model.Orphans)
        Subjects[Orphan].Orphan = true;
    for (const TReportError& Unread : Model.Errors)
        Subjects[Unread.Path].Errors.push_back(&Unread);
    for (const auto& [Path, Subject] : Subjects)
        WriteGnuLines(Out, Model, LocationPath(HomeShown + std::string(Path)), Subject);
    if (Model.Facts.Halted) Out << "orvel-check: " << HaltedText() << '\n';
}

} // namespace orvel::cli
