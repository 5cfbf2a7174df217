// The reports of orvel-check: text for people, JSON for programs, compiler-style lines for
// editors and CI.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvel {
class TRunContext;
}

namespace orvel::cli {

// What the report says beyond the run context itself.
struct TReportFacts {
    bool Halted = false; // the run was interrupted
};

// The orphan files, relative to the home folder; none while the project has no TOP page.
std::vector<std::string> OrphanPaths(const TRunContext& Run);
void WriteTextReport(std::ostream& Out, const TRunContext& Run);
void WriteJsonReport(std::ostream& Out, const TRunContext& Run, const TReportFacts& Facts);
// One line per invalid link as compilers write their findings:
// "path:line:column: invalid link ...".
void WriteGnuReport(std::ostream& Out, const TRunContext& Run);
// A byte string of the code page as UTF-8, with undecodable bytes as U+FFFD.
std::string ToUtf8(const std::string& Bytes);

} // namespace orvel::cli
