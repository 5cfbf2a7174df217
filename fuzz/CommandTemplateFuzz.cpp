// The editor's argument templates: no crash; a path given to a template with one "%F" lands
// whole inside exactly one argument, whatever it holds.
#include "FuzzSupport.h"

#include "support/CommandLine.h"

#include <cstdint>

using namespace orvel;
using namespace orvel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    // The input: a template, a NUL, a path.
    const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
    const size_t Nul = Input.find('\0');
    if (Nul == std::string_view::npos) return 0;
    const std::string_view Template = Input.substr(0, Nul);
    const std::string Path(Input.substr(Nul + 1));
    const std::string Line = "12";
    const std::vector<std::string> Arguments = ExpandCommandTemplate(Template, Path, &Line);
    SplitCommandLine(Template, TQuoting::qtBackslashInQuotes);
    size_t Marks = 0;
    for (size_t At = Template.find("%F"); At != std::string_view::npos;
         At = Template.find("%F", At + 2))
        ++Marks;
    if (Marks != 1 || Path.empty() || Path.find('%') != std::string::npos) return 0;
    size_t Holding = 0;
    for (const std::string& Argument : Arguments)
        Holding += Argument.find(Path) != std::string::npos;
    Require(Holding >= 1, "the path lands whole inside an argument");
    return 0;
}
