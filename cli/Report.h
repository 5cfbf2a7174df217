// The reports of orvel-check: text for people, JSON for programs, compiler-style lines for
// editors and CI, each written from one report model.
#pragma once

#include "cli/ReportModel.h"

#include <iosfwd>

namespace orvel::cli {

void WriteTextReport(std::ostream& Out, const TReportModel& Model);
void WriteJsonReport(std::ostream& Out, const TReportModel& Model);
// One line per invalid link as compilers write their findings:
// "path:line:column: invalid link ...".
void WriteGnuReport(std::ostream& Out, const TReportModel& Model);

} // namespace orvel::cli
