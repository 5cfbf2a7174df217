// The JSON report: valid JSON whatever the bytes of a link, and UTF-8 text throughout.
#include "TestSupport.h"

#include "cli/JsonWriter.h"
#include "cli/Report.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

const std::string Fffd = "\xEF\xBF\xBD";

TEST(JsonReport, LinksWithEscapesAndControlCharactersReadBackUnchanged) {
    TTestRun T;
    T.Run.CurrentProject.SetHomeDir("/site/");
    TFileObject& File =
        AddUnreadFile(T.Run, T.Run.Tree.Root(), "/site/a\tb\"c\\d.html", fkHtml, {"x\\\"y"});
    for (const char* Link : {"back\\slash", "quo\"te", "tab\there", "lines\r\n", "\x01\x1f\x07\b\f",
                             "del\x7f", "caf\xC3\xA9", "\\u0041 \\\"", "/"})
        File.Links.Add(Link);
    std::ostringstream Out;
    cli::WriteJsonReport(Out, cli::TReportModel(T.Run, {}, true));

    const nlohmann::json Report = nlohmann::json::parse(Out.str()); // throws on invalid JSON
    const nlohmann::json& Entry = Report.at("files").at(0);
    EXPECT_EQ(Entry.at("path"), "a\tb\"c\\d.html");
    EXPECT_EQ(Entry.at("anchors").get<Strings>(), Strings{"x\\\"y"});
    EXPECT_EQ(Entry.at("links").get<Strings>(), File.Links.Strings());
}

struct TUtf8Case {
    std::string Bytes, Utf8;
};

TEST(JsonReport, EveryUndecodableByteBecomesAReplacementCharacter) {
    const TUtf8Case Cases[] = {
        {"plain", "plain"},
        // two-, three- and four-byte characters, then those next to the excluded ranges
        {"\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80", "\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80"},
        {"\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80", "\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80"},
        {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},        // the last code point
        {"\xE0\x80\xAF", Fffd + Fffd + Fffd},            // overlong "/"
        {"\xC0\xAF\xC1\xBF", Fffd + Fffd + Fffd + Fffd}, // overlong two-byte forms
        {"\xF0\x80\x80\xAF", Fffd + Fffd + Fffd + Fffd}, // overlong four-byte form
        {"\xED\xA0\x80", Fffd + Fffd + Fffd},            // a surrogate
        {"\xED\xBF\xBF", Fffd + Fffd + Fffd},            // the last surrogate
        {"\xF4\x90\x80\x80", Fffd + Fffd + Fffd + Fffd}, // beyond U+10FFFF
        {"a\xE6\x97", "a" + Fffd + Fffd},                // cut off at the end
        {"\xE6\x97z\xF0\x9F\x98", Fffd + Fffd + "z" + Fffd + Fffd + Fffd}, // cut off inside
        {"\x80x\xBF", Fffd + "x" + Fffd}, // stray continuation bytes
        {"\xF5\xFF", Fffd + Fffd},        // never in UTF-8
    };
    for (const TUtf8Case& C : Cases)
        EXPECT_EQ(cli::ToUtf8(C.Bytes), C.Utf8) << ::testing::PrintToString(C.Bytes);
}

} // namespace
