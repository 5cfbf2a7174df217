// The reports of orvel-check: text for people, JSON for programs, compiler-style lines for
// editors and CI, each written from one report model.
#pragma once

#include "cli/ReportModel.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace orvel::cli {

void WriteTextReport(std::ostream& Out, const TReportModel& Model);
void WriteJsonReport(std::ostream& Out, const TReportModel& Model);
// One line per invalid link as compilers write their findings:
// "path:line:column: invalid link ...".
void WriteGnuReport(std::ostream& Out, const TReportModel& Model);

// A page's text or a file name for a terminal: its control characters as \xHH escapes, so
// that no escape sequence or line break from a site reaches the reader as such. As a C string,
// quotes and backslashes are escaped too.
std::string Escaped(std::string_view Text, bool CString = false);

// A server's answer in a report's words: "broken: 404", "broken: no such anchor", "timeout",
// "redirect".
std::string ExternalOutcomeText(const TExternalLinkResult& Result);

// What a server's answer says of an external link, as the reports' lines give it, the link and
// the suggestion made readable by Convert: 'external link "URL" (broken: 404)', '... (redirect;
// did you mean "URL"?)'.
std::string ExternalFindingText(const TExternalFinding& Finding,
                                const std::function<std::string(const std::string&)>& Convert);

} // namespace orvel::cli
