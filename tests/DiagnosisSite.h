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
        {"index.html", "news.html#latest", "moved", ""},
        {"index.html", "nothing.html", "missing", ""},
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
    std::string Index = "<html>\n", Guide = "<a name=install><a name=usage><section id=notes>\n";
    for (const TDiagnosisRow& Row : DiagnosisRows())
        (Row.From == "index.html" ? Index : Guide) += "<a href=\"" + Row.Link + "\">\n";
    Site.Write("index.html", Index);
    Site.Write("docs/guide.html", Guide + "<a href=../page.htm>\n");
    Site.Write("docs/index.html", "<a href=../archive/news.html><a href=../archive/old.html#top>");
    Site.Write("empty/image.gif", "GIF89a");
    Site.Write("manual/index.html", "");
    Site.Write("page.htm", "");
    Site.Write("my file.html", "");
    Site.Write("a&b.html", "");
    Site.Write("archive/old.html", "<a name=top>");
    Site.Write("archive/news.html", "");
}

} // namespace orvel::test
