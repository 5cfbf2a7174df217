// The reports of a small site made from the input: no crash, no undefined behaviour; the JSON
// report parses, with one diagnosis for each invalid link, and the gnu report has one line per
// invalid link and per orphan, each beginning with its path, with no control character.
#include "FuzzSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/FileObject.h"
#include "analysis/RunContext.h"
#include "cli/Report.h"
#include "support/DeleteFolder.h"

#include <algorithm>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>

using namespace orvel;
using namespace orvel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    TFuzzSite Site(Data, Size);
    TRunContext& Run = Site.Run;
    const std::string& Home = Site.Home;
    if (Site.Switches & 64) Run.CurrentProject.AddTopFile(Home + "index.html");
    CheckFolder(Run, Home, true, true);
    std::ostringstream Json, Gnu, Text;
    const cli::TReportModel Model(Run, {}, true);
    cli::WriteJsonReport(Json, Model);
    cli::WriteGnuReport(Gnu, Model);
    cli::WriteTextReport(Text, Model);
    const nlohmann::json Report = nlohmann::json::parse(Json.str(), nullptr, false);
    Require(!Report.is_discarded(), "the JSON report parses");
    size_t Diagnoses = 0;
    for (const nlohmann::json& File : Report.at("files"))
        Diagnoses += File.at("diagnoses").size();
    Require(Diagnoses == static_cast<size_t>(Run.InvalidLinkTotal),
            "one diagnosis for each invalid link");
    // Control characters are escaped, so each finding is one gnu line, whatever the names and
    // links hold: one per invalid link and one per orphan, each beginning with its path (quoted
    // where the path could forge a location).
    std::istringstream Lines(Gnu.str());
    int Links = 0, Orphans = 0;
    for (std::string Line; std::getline(Lines, Line);) {
        Require(Line.starts_with(Home) || Line.starts_with('"' + Home),
                "a gnu line begins with its path");
        Require(
            std::none_of(Line.begin(), Line.end(), [](char C) { return C == '\r' || C == '\x1b'; }),
            "no control character reaches a gnu line");
        Links += Line.find(": invalid link \"") != std::string::npos;
        Orphans += Line.find(": orphan file (no TOP page links to it)") != std::string::npos;
    }
    Require(Links == Run.InvalidLinkTotal, "one gnu line for each invalid link");
    Require(Orphans == static_cast<int>(Model.Orphans.size()), "one gnu line for each orphan");
    return 0;
}
