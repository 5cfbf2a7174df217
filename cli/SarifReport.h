// The SARIF 2.1.0 report of orvel-check, for code-scanning services.
#pragma once

#include "cli/ReportModel.h"

#include <iosfwd>

namespace orvel::cli {

// One run whose results are the invalid links at their places, the orphan files and what the
// check could not read, each located relative to the home folder.
void WriteSarifReport(std::ostream& Out, const TReportModel& Model);

} // namespace orvel::cli
