// A small site with one invalid link of each diagnosis reason, shared by the core and the
// orvel-check tests.
#pragma once

#include "TestSupport.h"

#include <string>
#include <vector>

namespace orvel::test {

// The reasons under the original rules; some links the modern rules find valid.
struct TDiagnosisRow {
    std::string From, Link, Reason;
    std::string Suggestion;       // empty: none
    bool ValidWhenModern = false; // the modern rules find the link
    // The reason holds under the modern rules; under the original ones the target is missing.
    bool ModernOnly = false;
    std::vector<std::string> Candidates = {}; // paths below the site's folder
    // "{home}" in the link and the suggestion stands for the site's folder.
    std::string LinkIn(const std::string& Home) const { return WithHome(Link, Home); }
    std::string SuggestionIn(const std::string& Home) const { return WithHome(Suggestion, Home); }
    std::string ReasonUnder(bool Modern) const {
        return ModernOnly && !Modern ? "missing" : Reason;
    }
    std::string SuggestionUnder(bool Modern, const std::string& Home) const {
        return ModernOnly && !Modern ? "" : SuggestionIn(Home);
    }

private:
    static std::string WithHome(std::string Text, const std::string& Home) {
        if (const size_t At = Text.find("{home}"); At != std::string::npos)
            Text.replace(At, 6, Home);
        return Text;
    }
};

// In each file its links stand one per line from line 2, in this order.
inline const std::vector<TDiagnosisRow>& DiagnosisRows() {
    static const std::vector<TDiagnosisRow> Rows = {
        {"index.html", "Docs/Guide.html#usage", "case", "docs/guide.html#usage"},
        {"index.html", "docs/guide.html#instal", "anchor", "docs/guide.html#install"},
        {"index.html", "docs/guide.html#zzz", "anchor", ""}, // nothing within two edits
        {"index.html", "docs/guide.html#notes", "html5-id", "", true},
        {"index.html", "manual", "folder", "manual/"},
        {"index.html", "empty", "folder", ""}, // no index.html in it
        {"index.html", "page.html?x=1", "extension", "page.htm?x=1"},
        // The decoded link would be read as "my" again: no suggestion.
        {"index.html", "my%20file.html", "encoding", "", true},
        {"index.html", "a&amp;b.html", "encoding", "a&b.html", true},
        {"index.html", "old.html", "moved", "archive/old.html"},
        // Moved, but the anchor is not there either: the suggestion would be invalid.
        {"index.html", "old.html#latest", "moved", ""},
        // Another page has the name and is linked from elsewhere: no guess.
        {"index.html", "news.html", "missing", "", false, false, {"archive/news.html"}},
        {"index.html", "nothing.html", "missing", ""},
        {"index.html", "pgae.htm?x", "typo", "page.htm?x"},
        {"index.html", "img/p.svg", "typo", "img/py.svg"},
        {"index.html", "img/py.vsg", "missing", ""}, // py.png and py.svg are as near
        {"index.html", "empty/", "folder", ""},
        {"index.html", "file://{home}page.htm", "local-file", "page.htm", true},
        {"index.html", "my%2520file.html", "encoding", "my%20file.html", false, true},
        {"sjis.html", "%89%EF%8E%D0.html", "encoding", "\x89\xEF\x8E\xD0.html", false, true},
        {"docs/guide.html", "../Index.HTML", "case", "../index.html"},
        {"docs/guide.html", "old.html#top", "moved", "../archive/old.html#top"},
    };
    return Rows;
}

// The line of a row's link in its file.
inline int DiagnosisLine(const TDiagnosisRow& Row) {
    int Line = 2;
    for (const TDiagnosisRow& Other : DiagnosisRows()) {
        if (&Other == &Row) return Line;
        Line += Other.From == Row.From;
    }
    return 0;
}

// Writes the site into Site.
inline void WriteDiagnosisSite(const TTempDir& Site) {
    std::string Index = "<html>\n", Sjis = "<meta charset=shift_jis>\n",
                Guide = "<a name=install><a name=usage><section id=notes>\n";
    for (const TDiagnosisRow& Row : DiagnosisRows())
        (Row.From == "index.html"  ? Index
         : Row.From == "sjis.html" ? Sjis
                                   : Guide) += "<a href=\"" + Row.LinkIn(Site.Path()) + "\">\n";
    Site.WriteSite({{"index.html", Index},
                    {"sjis.html", Sjis},
                    {"\xE4\xBC\x9A\xE7\xA4\xBE.html", ""}, // in UTF-8; the page writes Shift_JIS
                    {"img/py.png", ""},
                    {"img/py.svg", ""},
                    {"docs/guide.html", Guide + "<a href=../page.htm>\n"},
                    {"docs/index.html", "<a href=../archive/news.html#top>"},
                    {"empty/image.gif", "GIF89a"},
                    {"manual/index.html", ""},
                    {"page.htm", ""},
                    {"my file.html", ""},
                    {"a&b.html", ""},
                    {"archive/old.html", "<a name=top>"},
                    {"archive/news.html", "<a name=top>"}});
}

} // namespace orvel::test
