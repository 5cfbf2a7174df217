// orvel-check run as a real process on temporary sites.
#include "DiagnosisSite.h"
#include "TestSupport.h"

#include "project/Settings.h"
#include "support/CharsetConvert.h"
#include "support/CodePage.h"
#include "support/StringUtils.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <pty.h>
#include <regex>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvel::test;

namespace {

struct TResult {
    int Status; // exit status, or 128 + signal
    std::string Out, Err;
};

int ExitStatusOf(int WaitStatus) {
    return WIFEXITED(WaitStatus) ? WEXITSTATUS(WaitStatus) : 128 + WTERMSIG(WaitStatus);
}

std::vector<char*> Argv(std::vector<std::string>& Arguments) {
    std::vector<char*> Result;
    for (std::string& A : Arguments)
        Result.push_back(A.data());
    Result.push_back(nullptr);
    return Result;
}

enum class TUser { Same, Unprivileged };

// Runs orvel-check with the arguments; the settings file is one that does not exist. For an
// unprivileged run the superuser goes through setpriv, on a copy of the program that the
// unprivileged user can reach. Environment: "NAME=value" settings for the run.
TResult Check(const std::vector<std::string>& Arguments, TUser User = TUser::Same,
              std::string OutPath = {}, std::vector<std::string> Environment = {}) {
    TTempDir Output;
    ::chmod(Output.Path().c_str(), 0755);
    const std::string Settings = Output.Path() + "none.ini";
    std::vector<std::string> Command = {ORVEL_CHECK, "--settings", Settings};
    if (User == TUser::Unprivileged && ::geteuid() == 0) {
        const std::string Copy = Output.Write("orvel-check", ReadWholeFile(ORVEL_CHECK));
        ::chmod(Copy.c_str(), 0755);
        Command = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", Copy,
                   "--settings",       Settings};
    }
    Command.insert(Command.end(), Arguments.begin(), Arguments.end());
    if (OutPath.empty()) OutPath = Output.Path() + "out";
    const std::string ErrPath = Output.Path() + "err";
    const pid_t Pid = ::fork();
    if (Pid == 0) {
        const int Out = ::open(OutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int Err = ::open(ErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(Out, 1);
        ::dup2(Err, 2);
        for (std::string& Setting : Environment)
            ::putenv(Setting.data());
        ::execv(Command[0].c_str(), Argv(Command).data());
        ::_exit(127);
    }
    // A run that hangs is killed, so that the test fails instead of hanging with it.
    int WaitStatus = 0;
    for (int Waited = 0; ::waitpid(Pid, &WaitStatus, WNOHANG) == 0; ++Waited) {
        if (Waited == 6000) ::kill(Pid, SIGKILL);
        ::usleep(10000);
    }
    return {ExitStatusOf(WaitStatus), OutPath == "/dev/full" ? "" : ReadWholeFile(OutPath),
            ReadWholeFile(ErrPath)};
}

class OrvelCheck : public ::testing::Test {
protected:
    std::string Home() const { return Site.Path(); }
    TTempDir Site;
};

TEST_F(OrvelCheck, CleanSiteExitsZero) {
    Site.WriteSite({{"index.html", "<a href=a.html><a href=\"http://example.org/\">"},
                    {"a.html", "<a href=index.html>"}});
    const TResult R = Check({"--top", "index.html", Home()});
    EXPECT_EQ(R.Status, 0) << R.Err;
    EXPECT_EQ(R.Out, "無効リンクを含むファイルの数 0\n無効リンクの総数 0\n");
    EXPECT_EQ(R.Err, ""); // not a terminal: no progress
}

TEST_F(OrvelCheck, InvalidLinksAndOrphansExitOne) {
    Site.WriteSite({{"index.html", "<a href=gone.html><a href=a.html#nope>"},
                    {"a.html", ""},
                    {"sub/orphan.html", "<a href=../gone.html><img src=\"../gone.html\">"}});
    const TResult R = Check({"--top", "index.html", Home()});
    EXPECT_EQ(R.Status, 1);
    // a.html is linked only through an invalid link, which is not followed; gone.html is one
    // broken target, whatever the pages write for it.
    EXPECT_EQ(R.Out,
              "sub/orphan.html\n    ../gone.html\nindex.html\n    a.html#nope\n    gone.html\n"
              "broken targets:\n    gone.html    (missing)    2 files, 3 places\n"
              "    a.html#nope    (anchor)    1 file, 1 place\n"
              "orphan files:\n    sub/orphan.html\n    a.html\n"
              "無効リンクを含むファイルの数 2\n無効リンクの総数 3\n");

    Site.WriteSite({{"index.html", "<a href=a.html>"}, {"sub/orphan.html", ""}});
    EXPECT_EQ(Check({"--top", "index.html", Home()}).Status, 1); // the orphan alone
    EXPECT_EQ(Check({Home()}).Status, 0); // without a TOP page there are no orphans
}

TEST_F(OrvelCheck, DiagnosesInJsonGnuAndText) {
    WriteDiagnosisSite(Site);
    const std::vector<std::string> Original = {"--set", "ModernHTML=0"};
    const auto Run = [&](std::vector<std::string> Arguments) {
        Arguments.insert(Arguments.begin(), Original.begin(), Original.end());
        Arguments.push_back(Home());
        return Check(Arguments).Out;
    };
    const nlohmann::json Report =
        nlohmann::json::parse(Run({"--format", "json", "--top", "index.html"}));
    const std::string Gnu = Run({"--format", "gnu"});
    const std::string Text = Run({});
    size_t Rows = 0, ValidWhenModern = 0;
    for (const TDiagnosisRow& Row : DiagnosisRows()) {
        SCOPED_TRACE(Row.From + ": " + Row.Link);
        // Each link stands in an A tag at the start of its line.
        const std::string Link = Row.LinkIn(Home()), Reason = Row.ReasonUnder(false),
                          Suggestion = Row.SuggestionUnder(false, Home());
        const nlohmann::json Expected = {
            {"link", Link},
            {"reason", Reason},
            {"suggestion", Suggestion.empty() ? nlohmann::json() : nlohmann::json(Suggestion)},
            {"candidates", Row.Candidates},
            {"line", DiagnosisLine(Row)},
            {"column", 4}};
        bool Found = false;
        for (const nlohmann::json& File : Report.at("files"))
            if (File.at("path") == Row.From)
                for (const nlohmann::json& Diagnosis : File.at("diagnoses"))
                    Found = Found || Diagnosis == Expected;
        EXPECT_TRUE(Found);
        const std::string Line =
            Home() + Row.From + ":" + std::to_string(DiagnosisLine(Row)) + ":4: invalid link \"" +
            Link + "\" (" + Reason +
            (Suggestion.empty() ? "" : "; did you mean \"" + Suggestion + "\"?") + ")\n";
        EXPECT_NE(Gnu.find(Line), std::string::npos) << Gnu;
        const std::string Listed =
            "    " + Link +
            (Suggestion.empty() ? "\n"
                                : "    (" + Reason + "; did you mean \"" + Suggestion + "\"?)\n");
        EXPECT_NE(Text.find(Listed), std::string::npos) << Text;
        ++Rows;
        ValidWhenModern += Row.ValidWhenModern;
    }
    EXPECT_EQ(static_cast<size_t>(std::count(Gnu.begin(), Gnu.end(), '\n')), Rows);
    // The modern rules would make some links valid, and do.
    EXPECT_EQ(Report.at("html5IdLinks"), 1);
    EXPECT_EQ(Report.at("modernValidLinks"), ValidWhenModern);
    EXPECT_TRUE(Text.ends_with("ModernHTML=1 で有効になるリンクの数 " +
                               std::to_string(ValidWhenModern) + "\n"))
        << Text;
    const nlohmann::json Modern = nlohmann::json::parse(Check({"--format", "json", Home()}).Out);
    EXPECT_EQ(Modern.at("summary").at("invalidLinks"), Rows - ValidWhenModern);
    EXPECT_EQ(Modern.at("modernValidLinks"), 0);
    for (const nlohmann::json& File : Report.at("files"))
        if (File.at("path") == "archive/old.html") {
            EXPECT_EQ(File.at("linkedFrom"), nlohmann::json::array());
            EXPECT_EQ(File.at("linkedFromBroken"),
                      nlohmann::json::parse(R"([{"path": "docs/guide.html", "link": "old.html#top"},
                          {"path": "index.html", "link": "old.html"}])"));
        }
}

// A link's classes: how many valid, invalid and external links its page has.
struct TClasses {
    int Valid = 0, Invalid = 0, External = 0;
    bool operator==(const TClasses&) const = default;
};

// A page of its own for each rule, read with the modern rules and with the original ones.
struct TRulesRow {
    std::string Name, Html; // UTF-8, written in Shift_JIS for a Shift_JIS page
    bool ShiftJis;
    TClasses Modern, Original;
    std::string OriginalReason; // of its first invalid link under the original rules
    int Line = 0, Column = 0;   // of its first invalid link under both
};

// clang-format off
const TRulesRow RulesRows[] = {
    {"named-reference", "<a href=\"a&amp;b.html\">", false, {1, 0, 0}, {0, 1, 0}, "encoding"},
    {"numeric-references", "<a href=\"a&#38;b.html\"><a href='a&#x26;b.html'>", false,
     {2, 0, 0}, {0, 2, 0}, "encoding"},
    {"reference-for-a-letter", "<a href=\"caf&eacute;.html\">", false, {1, 0, 0}, {0, 1, 0},
     "encoding"},
    {"old-reference-before-a-letter-stays", "<a href=\"a&ampb.html\">", false, {0, 1, 0},
     {0, 1, 0}, "missing"},
    {"escaped-space", "<a href=\"my%20page.html\">", false, {1, 0, 0}, {0, 1, 0}, "encoding"},
    {"escaped-utf8", "<a href=\"caf%C3%A9.html\">", false, {1, 0, 0}, {0, 1, 0}, "encoding"},
    {"percent-without-hex-stays", "<a href=\"100%.html\">", false, {1, 0, 0}, {1, 0, 0}, ""},
    {"shift-jis-page-utf8-name", "<a href=\"会社概要.html\">", true, {1, 0, 0}, {0, 1, 0},
     "charset"},
    {"shift-jis-page-escapes-are-bytes",
     "<a href=\"%E4%BC%9A%E7%A4%BE%E6%A6%82%E8%A6%81.html\">", true, {1, 0, 0}, {0, 1, 0},
     "encoding"},
    {"shift-jis-page-to-utf8-anchor", "<a href=\"docs/guide.html#沿革\">", true, {1, 0, 0},
     {0, 1, 0}, "charset"},
    {"utf8-page-to-shift-jis-anchor", "<a href=\"sjis/anchors.html#沿革\">", false, {1, 0, 0},
     {0, 1, 0}, "charset"},
    {"id-of-any-element", "<a href=\"docs/guide.html#notes\">", false, {1, 0, 0}, {0, 1, 0},
     "html5-id"},
    {"relative-base", "<base href=\"sub/\"><a href=\"page.html\">", false, {1, 0, 0},
     {0, 1, 0}, "moved"},
    {"web-base", "<base href=\"http://example.org/\"><a href=\"page.html\">", false,
     {0, 0, 1}, {0, 1, 0}, "moved"},
    {"both-spellings", "<a href=\"A.html\"><a href=\"a.html\">", false, {1, 1, 0}, {0, 1, 0},
     "case"},
    {"data-url", "<img src=\"data:image/gif;base64,R0lGOD\">", false, {0, 0, 1}, {0, 1, 0},
     "missing"},
    {"other-scheme-and-host", "<a href=\"tel:+81-3-0000\"><a href=\"//example.org/x\">", false,
     {0, 0, 2}, {0, 1, 1}, "missing"},
    {"file-url-of-another-host", "<a href=\"file://elsewhere/a.html\">", false, {0, 1, 0},
     {0, 1, 0}, "missing"},
    {"escaped-slash-opens-no-file", "<a href=\"sub%2Fpage.html\">", false, {0, 1, 0}, {0, 1, 0},
     "encoding"},
    {"folder-by-dot", "<a href=\"sub/.\">", false, {1, 0, 0}, {0, 1, 0}, "folder"},
    {"top-of-any-page", "<a href=\"#top\"><a href=\"a.html#TOP\">", false, {2, 0, 0}, {0, 2, 0},
     "anchor"},
    {"anchor-of-no-page", "<svg><use href=\"sprite.svg#icon\"/></svg>", false, {1, 0, 0},
     {0, 0, 0}, ""},
    {"line-and-column-of-the-attribute", "<p>old/gone.html\n<a\n  title=x href=\"gone.html\">",
     false, {0, 1, 0}, {0, 1, 0}, "missing", 4, 11},
    {"column-in-characters", "<p>会社概要 <a href=\"gone.html\">", true, {0, 1, 0}, {0, 1, 0},
     "missing", 2, 12},
};
// clang-format on

TEST_F(OrvelCheck, ModernRulesFindWhatBrowsersFindAndTheOriginalRulesStay) {
    const auto ShiftJis = [](const std::string& Utf8) {
        return orvel::ConvertCharset("CP932", "UTF-8", Utf8, "?");
    };
    Site.WriteSite(
        {{"a&b.html", ""},
         {"café.html", ""},
         {"my page.html", ""},
         {"100%.html", ""},
         {"会社概要.html", ""},
         {"a.html", ""},
         {"sub/page.html", ""},
         {"sub/index.html", ""},
         {"sprite.svg", "<svg/>"},
         {"docs/guide.html", "<h2 id=intro>Guide</h2><a name=\"沿革\"></a><section id=notes>"},
         {"sjis/anchors.html", ShiftJis("<meta charset=Shift_JIS>\n<a name=\"沿革\"></a>")}});
    for (const TRulesRow& Row : RulesRows)
        Site.Write(Row.Name + ".html", Row.ShiftJis
                                           ? ShiftJis("<meta charset=Shift_JIS>\n" + Row.Html)
                                           : "<!doctype html>\n" + Row.Html);
    for (const bool Modern : {true, false}) {
        SCOPED_TRACE(Modern ? "modern rules" : "original rules");
        const nlohmann::json Report = nlohmann::json::parse(
            Check({"--format", "json", "--set", Modern ? "ModernHTML=1" : "ModernHTML=0", Home()})
                .Out);
        int MadeValid = 0;
        for (const TRulesRow& Row : RulesRows) {
            SCOPED_TRACE(Row.Name);
            const TClasses& Expected = Modern ? Row.Modern : Row.Original;
            for (const nlohmann::json& File : Report.at("files")) {
                if (File.at("path") != Row.Name + ".html") continue;
                EXPECT_EQ((TClasses{static_cast<int>(File.at("valid").size()),
                                    static_cast<int>(File.at("invalid").size()),
                                    static_cast<int>(File.at("external").size())}),
                          Expected);
                if (Expected.Invalid == 0) continue;
                const nlohmann::json& First = File.at("diagnoses").at(0);
                if (!Modern) {
                    EXPECT_EQ(First.at("reason"), Row.OriginalReason);
                }
                if (Row.Line > 0) {
                    EXPECT_EQ(First.at("line"), Row.Line);
                    EXPECT_EQ(First.at("column"), Row.Column);
                }
            }
            // The original rules' invalid links that the modern rules neither keep invalid nor
            // send out of the site.
            MadeValid += std::max(0, Row.Original.Invalid - Row.Modern.Invalid -
                                         (Row.Modern.External - Row.Original.External));
        }
        EXPECT_EQ(Report.at("modernValidLinks"), Modern ? 0 : MadeValid);
    }
}

TEST_F(OrvelCheck, UsageAndMissingInputsExitTwo) {
    const TResult Missing = Check({Home() + "nothere"});
    EXPECT_EQ(Missing.Status, 2);
    EXPECT_EQ(Missing.Err, "orvel-check: " + Home() + "nothere: ディレクトリが存在しません\n");
    EXPECT_EQ(Missing.Out, "");

    const TResult NoProject = Check({"--project", Home() + "x.opr"});
    EXPECT_EQ(NoProject.Status, 2);
    EXPECT_EQ(NoProject.Err, "orvel-check: " + Home() + "x.opr: が見つかりません\n");

    for (const std::vector<std::string>& Bad : {std::vector<std::string>{},
                                                {"--bogus", Home()},
                                                {"--top"},
                                                {"--format", "xml", Home()},
                                                {"--set", "NoSuchKey=1", Home()},
                                                {Home(), Home()},
                                                {
                                                    "--project",
                                                    "p.opr",
                                                    "--top",
                                                    "x",
                                                }})
        EXPECT_EQ(Check(Bad).Status, 2);
    EXPECT_EQ(Check({"--help"}).Status, 0);
}

TEST_F(OrvelCheck, FixedLinesAndErrorsInTheLanguageAndCharsetOfTheLocale) {
    Site.WriteSite({{"index.html", "<a href=無.html>"}, {"orphan.html", ""}});
    TTempDir Locales;
    const bool HasShiftJis = std::system(("localedef --no-warnings=ascii -i ja_JP -f SHIFT_JIS " +
                                          Locales.Path() + "ja_JP.SJIS >/dev/null 2>&1")
                                             .c_str()) == 0;
    const std::string Lines =
        "index.html\n    無.html\nbroken targets:\n    無.html    (missing)    "
        "1 file, 1 place\norphan files:\n    orphan.html\n";
    const std::string Japanese = Lines + "無効リンクを含むファイルの数 1\n無効リンクの総数 1\n";
    const struct {
        std::vector<std::string> Environment;
        std::string Out, Err; // in UTF-8
    } Rows[] = {
        {{"LANGUAGE=en", "LC_ALL=C.UTF-8"},
         Lines + "Files with invalid links: 1\nInvalid links in all: 1\n",
         "x.opr: Not found"},
        {{"LANGUAGE=en", "LC_ALL=C"}, Japanese, "x.opr: が見つかりません"},
        {{"LANGUAGE=", "LOCPATH=" + Locales.Path(), "LC_ALL=ja_JP.SJIS"},
         Japanese,
         "x.opr: が見つかりません"},
    };
    for (const auto& Row : Rows) {
        SCOPED_TRACE(Row.Environment.back());
        const bool ShiftJis = Row.Environment.back().ends_with("SJIS");
        if (ShiftJis && !HasShiftJis) GTEST_SKIP() << "localedef cannot make ja_JP.SJIS";
        const auto InLocale = [&](const std::string& Text) {
            return ShiftJis ? orvel::ConvertCharset("CP932", "UTF-8", Text, "?") : Text;
        };
        EXPECT_EQ(Check({"--top", "index.html", Home()}, TUser::Same, {}, Row.Environment).Out,
                  InLocale(Row.Out));
        const TResult Missing = Check({"--project", "x.opr"}, TUser::Same, {}, Row.Environment);
        EXPECT_EQ(Missing.Err, InLocale("orvel-check: " + Row.Err + "\n"));
    }
}

TEST_F(OrvelCheck, JsonReportFieldByField) {

    // b.txt is excluded and linked from nowhere: reached, and no orphan.
    Site.WriteSite({{"index.html", "<a href=\"docs/a.html#s\"><a href=mailto:x@y>"
                                   "<img src=logo.gif><h1 id=top>"},
                    {"docs/a.html", "<a name=s><a name=t><a href=../missing.html>"},
                    {"logo.gif", "GIF89a"},
                    {"b.txt", ""},
                    {"old.bak", ""}});
    const TResult R = Check({"--format", "json", "--top", "index.html", "--exclude", "b.txt",
                             "--wildcard", "*.bak", "--ignore-folder", "tmp", Home()});
    EXPECT_EQ(R.Status, 1);
    const std::string Up = orvel::AnsiUpperCase(Home());
    EXPECT_EQ(
        R.Out,
        "{\n  \"version\": 1,\n  \"home\": \"" + Home() +
            "\", \"serverRoot\": \"\", \"halted\": false,\n"
            "  \"topFiles\": [\"" +
            Up + "INDEX.HTML\"], \"ignoreFiles\": [\"" + Up +
            "B.TXT\"], "
            "\"wildCards\": [\"*.bak\", \"" +
            Up +
            "TMP/\"], \"ignoreLinks\": [],\n"
            "  \"summary\": {\"files\": 4, \"htmlFiles\": 2, \"filesWithInvalidLinks\": 1, "
            "\"invalidLinks\": 1, \"orphanFiles\": 0},\n"
            "  \"files\": [\n"
            "    {\"path\": \"docs/a.html\", \"kind\": \"html\", \"reach\": \"reached\", "
            "\"ignored\": false, \"flagged\": true, \"charset\": \"UTF-8\",\n"
            "     \"links\": [\"../missing.html\"], \"valid\": [], \"invalid\": "
            "[\"../missing.html\"], "
            "\"external\": [],\n"
            "     \"anchors\": [\"s\", \"t\"], \"reachedAnchors\": [\"s\"],\n"
            "     \"diagnoses\": [{\"link\": \"../missing.html\", \"reason\": \"missing\", "
            "\"suggestion\": null, \"candidates\": [], \"line\": 1, \"column\": 24}], "
            "\"linkedFrom\": [\"index.html\"], \"linkedFromBroken\": []},\n"
            "    {\"path\": \"b.txt\", \"kind\": \"other\", \"reach\": \"reached\", "
            "\"ignored\": true, \"flagged\": true, \"charset\": null,\n"
            "     \"links\": [], \"valid\": [], \"invalid\": [], \"external\": [],\n"
            "     \"anchors\": [], \"reachedAnchors\": [],\n"
            "     \"diagnoses\": [], \"linkedFrom\": [], \"linkedFromBroken\": []},\n"
            "    {\"path\": \"index.html\", \"kind\": \"html\", \"reach\": \"top\", "
            "\"ignored\": false, \"flagged\": true, \"charset\": \"UTF-8\",\n"
            "     \"links\": [\"docs/a.html#s\", \"logo.gif\", \"mailto:x@y\"], "
            "\"valid\": [\"docs/a.html#s\", \"logo.gif\"], \"invalid\": [], "
            "\"external\": [\"mailto:x@y\"],\n"
            "     \"anchors\": [\"top\"], \"reachedAnchors\": [],\n"
            "     \"diagnoses\": [], \"linkedFrom\": [], \"linkedFromBroken\": []},\n"
            "    {\"path\": \"logo.gif\", \"kind\": \"image\", \"reach\": \"reached\", "
            "\"ignored\": false, \"flagged\": true, \"charset\": null,\n"
            "     \"links\": [], \"valid\": [], \"invalid\": [], \"external\": [],\n"
            "     \"anchors\": [], \"reachedAnchors\": [],\n"
            "     \"diagnoses\": [], \"linkedFrom\": [\"index.html\"], \"linkedFromBroken\": []}\n"
            "  ],\n  \"orphans\": [],\n  \"errors\": [],\n  \"html5IdLinks\": 0, "
            "\"modernValidLinks\": 0,\n"
            "  \"brokenTargets\": [{\"target\": \"missing.html\", \"reason\": \"missing\", "
            "\"suggestion\": null, \"candidates\": [], \"links\": [{\"path\": \"docs/a.html\", "
            "\"link\": "
            "\"../missing.html\", \"line\": 1, \"column\": 24}]}]\n}\n");
}

TEST_F(OrvelCheck, UndecodableBytesBecomeReplacementCharacters) {
    Site.Write("index.html", "<a href=\"caf\xe9.html\"><a href=\"\xe6\x97\xa5.html\">");
    const TResult R = Check({"--format", "json", Home()});
    EXPECT_NE(R.Out.find("\"caf\xef\xbf\xbd.html\""), std::string::npos) << R.Out;
    EXPECT_NE(R.Out.find("\"\xe6\x97\xa5.html\""), std::string::npos);
}

TEST_F(OrvelCheck, ShiftJisLinksReadInTheTextReportAndKeptAsBytesInJson) {
    // HYOU-JI (the first byte pair ends in a backslash) in Shift-JIS, MU in UTF-8.
    Site.WriteSite({{"sjis.html", "<meta charset=Shift_JIS><a href=\"\x95\x5C\x8E\xA6.html\">"},
                    {"utf8.html", "<a href=\"\xE7\x84\xA1.html\">"}});
    EXPECT_EQ(Check({Home()}).Out, "sjis.html\n    表示.html\nutf8.html\n    無.html\n"
                                   "broken targets:\n    無.html    (missing)    1 file, 1 place\n"
                                   "    表示.html    (missing)    1 file, 1 place\n"
                                   "無効リンクを含むファイルの数 2\n無効リンクの総数 2\n");
    const std::string Json = Check({"--format", "json", Home()}).Out;
    const std::string Fffd = "\xEF\xBF\xBD";
    EXPECT_NE(Json.find("\"flagged\": true, \"charset\": \"CP932\",\n     \"links\": [\"" + Fffd +
                        "\\\\" + Fffd + Fffd + ".html\"]"),
              std::string::npos)
        << Json;
    EXPECT_NE(Json.find("\"charset\": \"UTF-8\",\n     \"links\": [\"無.html\"]"),
              std::string::npos);
}

TEST_F(OrvelCheck, SettingsComeFromTheFileAndFromSet) {
    Site.WriteSite({{"index.html", "<a href=A.HTML><a href=\"my page.html\">"},
                    {"a.html", ""},
                    {"my page.html", ""}});
    EXPECT_EQ(Check({Home()}).Status, 1);
    EXPECT_EQ(Check({"--set", "IgnoreCase=1", "--set", "isSpaceValid=1", Home()}).Status, 0);
    TTempDir Config;
    const std::string Settings = Config.Write("s.ini", "[Option]\nIgnoreCase=1\nisSpaceValid=1\n");
    EXPECT_EQ(Check({"--settings", Settings, Home()}).Status, 0);
}

TEST_F(OrvelCheck, ProjectFileRunsAsLoadingIt) {
    Site.WriteSite({{"index.html", "<a href=a.html>"}, {"a.html", ""}, {"lost.html", ""}});
    TTempDir Projects;
    const std::string Project = Projects.Write(
        "site.opr", "[OrvelProject]\nHomeDir=" + Home() +
                        "\nTopFile0=" + orvel::AnsiUpperCase(Home() + "index.html") +
                        "\nIgnoreFile0=" + orvel::AnsiUpperCase(Home() + "lost.html") + "\n");
    const TResult R = Check({"--project", Project});
    EXPECT_EQ(R.Status, 0) << R.Out << R.Err;
    const TResult NoHome = Check({"--project", Projects.Write("empty.opr", "[OrvelProject]\n")});
    EXPECT_EQ(NoHome.Status, 2);
}

// Each way a run can check nothing or nothing that was asked for, and each way of saying
// "no settings", which checks as usual.
TEST_F(OrvelCheck, FailuresExitTwoWithTheirMessage) {
    Site.WriteSite({{"index.html", "<a href=a.html><a href=docs/guide.html>"},
                    {"a.html", ""},
                    {"docs/guide.html", ""}});
    ::chmod(Home().c_str(), 0755);
    ::chmod((Home() + "docs").c_str(), 0755);
    TTempDir Files;
    ::chmod(Files.Path().c_str(), 0755);
    const std::string Fifo = Files.Path() + "fifo.ini";
    ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
    const std::string Large = Files.Write("large.opr", "[OrvelProject]\nHomeDir=" + Home() + "\n");
    ASSERT_EQ(::truncate(Large.c_str(), 17 << 20), 0);
    const std::string Locked = Files.Write("locked.ini", "[Option]\n");
    ::chmod(Locked.c_str(), 0);
    const std::string Stale =
        Files.Write("stale.opr", "[OrvelProject]\nHomeDir=" + Home() + "\nTopFile0=" +
                                     orvel::AnsiUpperCase(Home() + "gone.html") + "\n");
    const std::string Empty = Files.Path() + "empty/", Closed = Files.Path() + "closed/";
    ::mkdir(Empty.c_str(), 0755);
    ::mkdir(Closed.c_str(), 0);
    const struct {
        std::vector<std::string> Arguments;
        TUser User;
        int Status;
        std::string Err; // after "orvel-check: "
    } Rows[] = {
        {{"--settings", Fifo, Home()},
         TUser::Same,
         2,
         "cannot open file " + Fifo + ": not a regular file"},
        {{"--settings", "/dev/zero", Home()},
         TUser::Same,
         2,
         "cannot open file /dev/zero: not a regular file"},
        {{"--settings", Locked, Home()},
         TUser::Unprivileged,
         2,
         "cannot open file " + Locked + ": Permission denied"},
        {{"--project", Large},
         TUser::Same,
         2,
         "cannot read file " + Large + ": larger than 16 MiB"},
        {{"--top", "indx.html", Home()},
         TUser::Same,
         2,
         "indx.html: the TOP page names no file of the site; did you mean \"index.html\"?"},
        {{"--top", "docs/guide.htm", "--exclude", "nothing-near.png", Home()},
         TUser::Same,
         2,
         "docs/guide.htm: the TOP page names no file of the site; did you mean "
         "\"docs/guide.html\"?\norvel-check: nothing-near.png: the excluded file names no file "
         "of the site"},
        {{"--project", Stale},
         TUser::Same,
         2,
         orvel::AnsiUpperCase(Home() + "gone.html") + ": the TOP page names no file of the site"},
        {{"--server-root", "www", Home()},
         TUser::Same,
         2,
         Home() + "www/: the server root names no folder"},
        {{Empty}, TUser::Same, 2, Empty + ": the home folder holds no file"},
        {{Closed},
         TUser::Unprivileged,
         2,
         Closed + ": cannot read the home folder: フォルダの中を見る権限がありません"},
        {{"--top", "index.html", "--settings", "/dev/null", Home()}, TUser::Same, 0, ""},
        {{"--top", "index.html", "--no-settings", "--settings", Locked, Home()},
         TUser::Unprivileged,
         0,
         ""},
    };
    for (const auto& Row : Rows) {
        SCOPED_TRACE(Row.Err);
        const TResult R = Check(Row.Arguments, Row.User);
        EXPECT_EQ(R.Status, Row.Status);
        EXPECT_EQ(R.Err, Row.Err.empty() ? "" : "orvel-check: " + Row.Err + "\n");
        if (Row.Status == 2) {
            EXPECT_EQ(R.Out, "");
        }
    }
    // A report that cannot be written fails the run.
    const TResult Full = Check({Home()}, TUser::Same, "/dev/full");
    EXPECT_EQ(Full.Status, 2);
    EXPECT_EQ(Full.Err,
              "orvel-check: standard output: cannot write the report: No space left on device\n");
}

// A page that cannot be read is an error of every report; page texts and names cannot move the
// terminal's cursor, break a line or forge a location.
TEST_F(OrvelCheck, InvalidLinksOrphansAndUnreadablePagesInEveryFormat) {
    Site.WriteSite({{"index.html", "<a href=\"gone\x1b[2J.html\"><a href=secret.html>"},
                    {"secret.html", ""},
                    {"sub/orphan.html", ""},
                    {"c:1:\nx.html", ""}});
    ::chmod(Home().c_str(), 0755);
    ::chmod((Home() + "sub").c_str(), 0755);
    ::chmod((Home() + "secret.html").c_str(), 0);
    const auto Run = [&](const char* Format) {
        const TResult R =
            Check({"--format", Format, "--top", "index.html", Home()}, TUser::Unprivileged);
        EXPECT_EQ(R.Status, 1) << R.Err;
        return R.Out;
    };
    const std::string Unreadable = "ファイルをオープンできません";
    EXPECT_EQ(Run("gnu"),
              "\"" + Home() + "c:1:\\x0ax.html\":1:1: orphan file (no TOP page links to it)\n" +
                  Home() + "index.html:1:4: invalid link \"gone\\x1b[2J.html\" (missing)\n" +
                  Home() + "secret.html:1:1: unreadable (" + Unreadable + ")\n" + Home() +
                  "sub/orphan.html:1:1: orphan file (no TOP page links to it)\n");
    const std::string Text = Run("text");
    EXPECT_NE(Text.find("index.html\n    gone\\x1b[2J.html\n"), std::string::npos) << Text;
    EXPECT_NE(Text.find("orphan files:\n    sub/orphan.html\n    c:1:\\x0ax.html\nunreadable:\n    "
                        "secret.html: " +
                        Unreadable + "\n"),
              std::string::npos)
        << Text;
    const nlohmann::json Json = nlohmann::json::parse(Run("json"));
    EXPECT_EQ(Json["errors"], nlohmann::json::parse(R"([{"path": "secret.html", "message": ")" +
                                                    Unreadable + "\"}]"));
    EXPECT_EQ(Json["orphans"], nlohmann::json::parse(R"(["sub/orphan.html", "c:1:\nx.html"])"));
}

TEST_F(OrvelCheck, ProjectFolderIsRelativeToTheProjectFileAndNamesNoOtherFolder) {
    Site.WriteSite({{"site/index.html", "<a href=a.html><a href=/b.html>"},
                    {"site/a.html", ""},
                    {"site/root/b.html", ""}});
    const std::string Relative =
        Site.Write("p.opr", "[OrvelProject]\nHomeDir=site\nServerRoot=site/root\n");
    const TResult R = Check({"--format", "json", "--project", Relative});
    EXPECT_EQ(R.Status, 0) << R.Out << R.Err;
    EXPECT_NE(R.Out.find("\"home\": \"" + Home() + "site/\", \"serverRoot\": \"" + Home() +
                         "site/root/\""),
              std::string::npos)
        << R.Out;

    // The system would read the folder only up to the NUL: it names no folder at all.
    using namespace std::string_literals;
    const std::string Nul =
        Site.Write("nul.opr", "[OrvelProject]\nHomeDir="s + Home() + "site\0/elsewhere\n"s);
    const TResult WithNul = Check({"--project", Nul});
    EXPECT_EQ(WithNul.Status, 2);
    EXPECT_EQ(WithNul.Err,
              "orvel-check: " + Home() + "site\\x00/elsewhere/: ディレクトリが存在しません\n");

    EXPECT_EQ(WithNul.Out, "");
}

TEST_F(OrvelCheck, FolderThatCanBeListedButNotSearchedIsAFolderWithoutEntries) {
    Site.WriteSite({{"index.html", "<a href=locked/sub><a href=locked/sub/a.html>"},
                    {"locked/sub/a.html", ""}});
    ::chmod(Home().c_str(), 0755);
    ::chmod((Home() + "locked").c_str(), 0744); // others may list it, not search it
    const TResult R = Check({"--format", "json", Home()}, TUser::Unprivileged);
    EXPECT_EQ(R.Status, 1) << R.Err;
    EXPECT_EQ(R.Err, "");
    EXPECT_NE(R.Out.find("\"summary\": {\"files\": 1, \"htmlFiles\": 1, "
                         "\"filesWithInvalidLinks\": 1, \"invalidLinks\": 2"),
              std::string::npos)
        << R.Out;
    ::chmod((Home() + "locked").c_str(), 0755);
}

// Every report says that the run was halted, and none calls a link invalid for naming a file
// that the run had not read yet: zz/last.html, which every page links to, is read last.
TEST_F(OrvelCheck, CtrlCHaltsAndStillReports) {
    for (int I = 0; I < 6000; ++I)
        Site.Write("d" + std::to_string(I % 30) + "/p" + std::to_string(I) + ".html",
                   "<a href=p" + std::to_string(I + 1) +
                       ".html><a href=../zz/last.html><a href=../index.html><h2 id=x>");
    Site.Write("zz/last.html", "");
    TTempDir Output;
    const std::string OutPath = Output.Path() + "out";
    const std::pair<const char*, const char*> Formats[] = {
        {"json", "\"halted\": true"},
        {"text", "\nhalted: the check was interrupted; files it had not read are left out\n"},
        {"gnu", "orvel-check: halted: the check was interrupted; files it had not read are left "
                "out\n"}};
    for (const auto& [Format, Halted] : Formats) {
        SCOPED_TRACE(Format);
        std::vector<std::string> Arguments = {ORVEL_CHECK, "--settings", Output.Path() + "none.ini",
                                              "--format",  Format,       Home()};
        int Master = -1;
        const pid_t Pid = ::forkpty(&Master, nullptr, nullptr, nullptr);
        ASSERT_GE(Pid, 0);
        if (Pid == 0) {
            const int Out = ::open(OutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(Out, 1);
            ::execv(ORVEL_CHECK, Argv(Arguments).data());
            ::_exit(127);
        }
        // Progress on the terminal shows that the run is under way.
        char Buffer[256];
        ASSERT_GT(::read(Master, Buffer, sizeof Buffer), 0);
        ::kill(Pid, SIGINT);
        int WaitStatus = 0;
        ::waitpid(Pid, &WaitStatus, 0);
        ::close(Master);
        EXPECT_EQ(ExitStatusOf(WaitStatus), 130);
        const std::string Report = ReadWholeFile(OutPath);
        EXPECT_NE(Report.find(Halted), std::string::npos) << Report.substr(0, 300);
        if (std::string(Format) != "json") {
            EXPECT_EQ(Report.find("last.html"), std::string::npos) << Report.substr(0, 300);
            EXPECT_TRUE(Report.ends_with(Halted));
            continue;
        }
        const nlohmann::json Json = nlohmann::json::parse(Report);
        for (const nlohmann::json& File : Json.at("files"))
            for (const nlohmann::json& Link : File["invalid"])
                EXPECT_NE(Link, "../zz/last.html");
    }
}

TEST(OrvelCheckDocuments, NameEveryOptionAndSettingsKey) {
    std::set<std::string> Names;
    for (const orvel::TSettingKey& Key : orvel::SettingKeys())
        if (Key.Check) Names.insert(Key.Name);
    const std::string Usage = Check({"--help"}).Out;
    const std::regex Option("--[a-z-]+"), Word("[A-Za-z0-9_-]+");
    for (std::sregex_iterator It(Usage.begin(), Usage.end(), Option), End; It != End; ++It)
        Names.insert(It->str());
    ASSERT_TRUE(Names.count("--format"));
    for (const char* Document : {ORVEL_SOURCE_DIR "/man/orvel-check.1",
                                 ORVEL_SOURCE_DIR "/cli/orvel-check-completion.bash"}) {
        const std::string Text =
            orvel::ReplaceAll(ReadWholeFile(Document), "\\-", "-"); // roff minus
        std::set<std::string> Words;
        for (std::sregex_iterator It(Text.begin(), Text.end(), Word), End; It != End; ++It)
            Words.insert(It->str());
        for (const std::string& Name : Names)
            EXPECT_TRUE(Words.count(Name)) << Name << " is missing from " << Document;
    }
}

TEST_F(OrvelCheck, WrittenProjectChecksAMovedCopyOfTheSiteAlike) {
    Site.WriteSite({{"site/index.html", "<a href=Docs/Guide.html><a href=gone.html><a href=old.php>"
                                        "<a href=/r.html><img src=logo.gif>"},
                    {"site/Docs/Guide.html", "<a href=../index.html><a href=missing.html>"},
                    {"site/logo.gif", "GIF89a"},
                    {"site/drafts/new.html", "<a href=nowhere.html>"},
                    {"site/tmp/t.html", "<a href=x.html>"},
                    {"site/x.bak", ""},
                    {"site/root/r.html", ""},
                    {"site/orphan.html", ""}});
    const std::string Home = this->Home() + "site/", Project = Home + "site.opr";
    const TResult Written =
        Check({"--format", "json", "--write-project", Project, "--top", "INDEX.HTML", "--exclude",
               "drafts/new.html", "--wildcard", "*.bak", "--ignore-folder", "tmp", "--server-root",
               "root", "--ignore-link", "*.php", "--wildcard", "*.opr", Home});
    EXPECT_EQ(Written.Status, 1) << Written.Err;
    EXPECT_EQ(ReadWholeFile(Project).find(Site.Path()), std::string::npos)
        << ReadWholeFile(Project);
    TTempDir Elsewhere;
    std::filesystem::copy(Home, Elsewhere.Path() + "copy",
                          std::filesystem::copy_options::recursive);
    std::filesystem::remove_all(Home);
    const std::string Moved = Elsewhere.Path() + "copy/";
    const TResult Read = Check({"--format", "json", "--project", Moved + "site.opr"});
    EXPECT_EQ(Read.Status, 1) << Read.Err;
    // The paths of the project's lists without the home folder's; the rest as it stands.
    const auto Relative = [](nlohmann::json Report, const std::string& Folder) {
        EXPECT_EQ(Report.at("home"), Folder);
        Report.erase("home");
        for (const char* List : {"topFiles", "ignoreFiles", "wildCards"})
            for (nlohmann::json& Entry : Report.at(List))
                if (const std::string Text = Entry; Text.starts_with(orvel::AnsiUpperCase(Folder)))
                    Entry = Text.substr(Folder.size());
        Report["serverRoot"] = Report.at("serverRoot").get<std::string>().substr(Folder.size());
        return Report;
    };
    const nlohmann::json Before = Relative(nlohmann::json::parse(Written.Out), Home);
    const nlohmann::json After = Relative(nlohmann::json::parse(Read.Out), Moved);
    EXPECT_EQ(Before, After);
    EXPECT_EQ(After.at("topFiles"), nlohmann::json::parse(R"(["INDEX.HTML"])"));
    EXPECT_EQ(After.at("ignoreFiles"), nlohmann::json::parse(R"(["DRAFTS/NEW.HTML"])"));
    EXPECT_EQ(After.at("wildCards"), nlohmann::json::parse(R"(["*.bak", "TMP/", "*.opr"])"));
    EXPECT_EQ(After.at("ignoreLinks"), nlohmann::json::parse(R"(["*.php"])"));
    EXPECT_EQ(After.at("serverRoot"), "root/");
    EXPECT_EQ(After.at("orphans"), nlohmann::json::parse(R"(["orphan.html"])"));
    EXPECT_EQ(After.at("summary").at("invalidLinks"), 3); // the excluded page's too
}

TEST_F(OrvelCheck, ProjectThatCannotBeWrittenExitsTwoBeforeTheCheck) {
    Site.Write("index.html", "<a href=gone.html>");
    const std::string Project = Home() + "no/such/folder/site.opr";
    const TResult R = Check({"--write-project", Project, Home()});
    EXPECT_EQ(R.Status, 2);
    EXPECT_EQ(R.Err, "orvel-check: " + Project + " に書き込めません\n");
    EXPECT_EQ(R.Out, "");
    const std::string Existing = Site.Write("p.opr", "[OrvelProject]\nHomeDir=./\n");
    EXPECT_EQ(Check({"--write-project", Home() + "q.opr", "--project", Existing}).Status, 2);
}

// A page with links of each class, checked with link patterns.
struct TIgnoreLinkRow {
    std::vector<std::string> Arguments; // before the folder, or with the project file
    bool WithProject;                   // whose [IgnoreLinks] holds "*.php"
    std::vector<std::string> Invalid, Valid, External, IgnoreLinks;
    int Status;
};

TEST_F(OrvelCheck, IgnoredLinksAreNeitherInvalidNorCountedAndValidLinksStay) {
    Site.WriteSite({{"index.html", "<a href=a.html><a href=gone.php><a href=GONE.PHP>"
                                   "<a href=http://x.org/><a href=missing.html>"},
                    {"a.html", ""}});
    TTempDir Projects;
    const std::string Project =
        Projects.Write("p.opr", "[OrvelProject]\nHomeDir=" + Home() + "\nTopFile0=" + Home() +
                                    "index.html\n[IgnoreLinks]\nPattern0=*.php\n");
    using S = std::vector<std::string>;
    const S All = {"GONE.PHP", "gone.php", "missing.html"};
    const TIgnoreLinkRow Rows[] = {
        {{}, false, All, {"a.html"}, {"http://x.org/"}, {}, 1},
        {{"--ignore-link", "*.php"},
         false,
         {"GONE.PHP", "missing.html"},
         {"a.html"},
         {"http://x.org/"},
         {"*.php"},
         1},
        {{"--ignore-link=*.php", "--set", "IgnoreCase=1"},
         false,
         {"missing.html"},
         {"a.html"},
         {"http://x.org/"},
         {"*.php"},
         1},
        // a.html stays valid and reached: no orphan, so the invalid links alone make status 1
        {{"--ignore-link", "*.html"},
         false,
         {"GONE.PHP", "gone.php"},
         {"a.html"},
         {"http://x.org/"},
         {"*.html"},
         1},
        {{"--ignore-link", "missing.*", "--ignore-link", "*.?HP", "--set", "IgnoreCase=1"},
         false,
         {},
         {"a.html"},
         {"http://x.org/"},
         {"missing.*", "*.?HP"},
         0},
        {{"--ignore-link", "http:*"}, false, All, {"a.html"}, {"http://x.org/"}, {"http:*"}, 1},
        {{}, true, {"GONE.PHP", "missing.html"}, {"a.html"}, {"http://x.org/"}, {"*.php"}, 1},
        {{"--ignore-link", "missing.html", "--ignore-link", "*.PHP"},
         true,
         {},
         {"a.html"},
         {"http://x.org/"},
         {"*.php", "missing.html", "*.PHP"},
         0},
    };
    for (const TIgnoreLinkRow& Row : Rows) {
        std::vector<std::string> Arguments = {"--format", "json"};
        Arguments.insert(Arguments.end(), Row.Arguments.begin(), Row.Arguments.end());
        if (Row.WithProject) {
            Arguments.insert(Arguments.end(), {"--project", Project});
        } else {
            Arguments.insert(Arguments.end(), {"--top", "index.html", Home()});
        }
        SCOPED_TRACE(orvel::ReplaceAll(nlohmann::json(Arguments).dump(), Home(), ""));
        const TResult R = Check(Arguments);
        EXPECT_EQ(R.Status, Row.Status) << R.Err;
        const nlohmann::json Report = nlohmann::json::parse(R.Out);
        EXPECT_EQ(Report.at("ignoreLinks"), nlohmann::json(Row.IgnoreLinks));
        EXPECT_EQ(Report.at("summary").at("invalidLinks"), Row.Invalid.size());
        EXPECT_EQ(Report.at("orphans"), nlohmann::json::array());
        for (const nlohmann::json& File : Report.at("files")) {
            if (File.at("path") != "index.html") continue;
            const auto Sorted = [](const nlohmann::json& List) {
                S Links = List;
                std::sort(Links.begin(), Links.end());
                return Links;
            };
            EXPECT_EQ(Sorted(File.at("invalid")), Row.Invalid);
            EXPECT_EQ(Sorted(File.at("valid")), Row.Valid);
            EXPECT_EQ(Sorted(File.at("external")), Row.External);
        }
    }
}

// A result of the SARIF report: its rule, level, message and where it stands.
struct TSarifRow {
    std::string RuleId, Level, Message, Uri;
    int Line = 0, Column = 0; // 0: no region
    auto operator<=>(const TSarifRow&) const = default;
};

TEST_F(OrvelCheck, SarifResultsNameTheirRulesAndPlaces) {
    const std::string ShiftJisPage =
        "<meta charset=Shift_JIS>\n  <a href=\"\x95\x5C\x8E\xA6.html\">";
    Site.WriteSite(
        {{"index.html", "<!doctype html>\n<a href=\"gone page.html\">\n  <a "
                        "href=a.html#nope><a href=sjis.html><a href=locked.html><a href=a.html>"},
         {"a.html", ""},
         {"sjis.html", ShiftJisPage},
         {"locked.html", ""},
         {"orphan 100% #1?.html", ""},
         {"café/孤立.html", ""},
         {"closed/inside.html", ""}});
    ::chmod(Home().c_str(), 0755);
    ::chmod((Home() + "locked.html").c_str(), 0);
    ::chmod((Home() + "closed").c_str(), 0);
    const TResult R =
        Check({"--format", "sarif", "--top", "index.html", Home()}, TUser::Unprivileged);
    ::chmod((Home() + "closed").c_str(), 0755);
    // clang-format off
    std::vector<TSarifRow> Expected = {
        {"invalid-link/missing", "error", "invalid link \"gone page.html\" (missing)",
         "index.html", 2, 4},
        {"invalid-link/anchor", "error", "invalid link \"a.html#nope\" (anchor)", "index.html", 3, 6},
        {"invalid-link/missing", "error", "invalid link \"表示.html\" (missing)", "sjis.html", 2, 6},
        {"orphan-file", "error", "orphan file \"orphan 100% #1?.html\" (no TOP page links to it)",
         "orphan%20100%25%20%231%3F.html"},
        {"orphan-file", "error", "orphan file \"café/孤立.html\" (no TOP page links to it)",
         "caf%C3%A9/%E5%AD%A4%E7%AB%8B.html"},
        {"unreadable", "error", "フォルダの中を見る権限がありません", "closed/"},
        {"unreadable", "error", "ファイルをオープンできません", "locked.html"},
    };
    // clang-format on
    const nlohmann::json Report = nlohmann::json::parse(R.Out);
    const nlohmann::json& Run = Report.at("runs").at(0);
    EXPECT_EQ(Run.at("originalUriBaseIds").at("%SRCROOT%").at("uri"), "file://" + Home());
    const nlohmann::json& Rules = Run.at("tool").at("driver").at("rules");
    std::vector<TSarifRow> Results;
    for (const nlohmann::json& Result : Run.at("results")) {
        const nlohmann::json& Where = Result.at("locations").at(0).at("physicalLocation");
        EXPECT_EQ(Where.at("artifactLocation").at("uriBaseId"), "%SRCROOT%");
        EXPECT_EQ(Rules.at(Result.at("ruleIndex").get<size_t>()).at("id"), Result.at("ruleId"));
        const nlohmann::json Region = Where.value("region", nlohmann::json::object());
        Results.push_back({Result.at("ruleId"), Result.at("level"), Result.at("message").at("text"),
                           Where.at("artifactLocation").at("uri"), Region.value("startLine", 0),
                           Region.value("startColumn", 0)});
    }
    std::sort(Expected.begin(), Expected.end());
    std::sort(Results.begin(), Results.end());
    EXPECT_EQ(Results, Expected) << R.Out;
}

} // namespace
