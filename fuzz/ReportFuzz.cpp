// The reports of a small site made from the input: no crash, no undefined behaviour; the JSON
// report parses, with one diagnosis for each invalid link, and the gnu report has one line per
// invalid link, each beginning with its page's path.
#include "FuzzSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/FileObject.h"
#include "analysis/RunContext.h"
#include "cli/Report.h"
#include "support/DeleteFolder.h"

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
    // Page texts with line breaks would split a line: those are left out here.
    bool Plain = true;
    for (const auto& File : Run.FileObjects) {
        Plain = Plain && File->Path.find_first_of("\r\n") == std::string::npos;
        for (const std::string& Link : File->InvalidLinks)
            Plain = Plain && Link.find_first_of("\r\n") == std::string::npos;
    }
    if (Plain) {
        std::istringstream Lines(Gnu.str());
        int Count = 0;
        for (std::string Line; std::getline(Lines, Line); ++Count)
            Require(Line.starts_with(Home) && Line.find(": invalid link \"") != std::string::npos,
                    "a gnu line begins with its page's path");
        Require(Count == Run.InvalidLinkTotal, "one gnu line for each invalid link");
    }
    return 0;
}
