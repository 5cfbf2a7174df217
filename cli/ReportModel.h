// What the reports of orvel-check say about a checked site, worked out once for any of them.
#pragma once

#include "analysis/BrokenTargets.h"
#include "analysis/ExternalLinks.h"
#include "analysis/LinkDiagnosis.h"
#include "support/TextPositions.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvel {
class TRunContext;
}

namespace orvel::cli {

// What the report says beyond the run context itself.
struct TReportFacts {
    bool Halted = false; // the run was interrupted
};

// An invalid link of a file with why it is invalid and where it first stands.
struct TDiagnosedLink {
    const std::string& Link;
    TLinkDiagnosis Diagnosis;
    TTextPosition Position; // line 0: not known
    // False after a halt for a link to a file that the run did not reach: nothing says it is
    // missing.
    bool Reported = true;
};

// An external link that needs attention, with where it first stands.
struct TExternalFinding {
    const std::string& Link;
    const TExternalLinkResult& Result;
    TTextPosition Position; // line 0: not known
};

// What the check could not read: a folder that could not be listed or a page.
struct TReportError {
    std::string Path; // relative to the home folder; a folder's ends in "/"
    std::string Message;
};

// The current folder when the home folder lies below it, else nothing: the compiler-style and
// SARIF reports name paths relative to it, as compilers do.
std::string FolderAboveHome(const std::string& Home);

// The orphan files, relative to the home folder; none while the project has no TOP page.
std::vector<std::string> OrphanPaths(const TRunContext& Run);

// The findings of a run as the reports give them.
class TReportModel {
public:
    // With Places, the line and column of each invalid link and external finding, for which
    // the pages with them are read again.
    TReportModel(const TRunContext& Run, TReportFacts Facts, bool Places);

    const TRunContext& Run;
    const TReportFacts Facts;
    // By file in FileObjects order, then by invalid link.
    std::vector<std::vector<TDiagnosedLink>> Diagnosed;
    // By file in FileObjects order, then in the order of its external links; empty unless the
    // external links were checked.
    std::vector<std::vector<TExternalFinding>> External;
    std::vector<std::string> Orphans; // none after a halt: the run did not see the whole site
    std::vector<TBrokenTarget> Targets;
    std::vector<TReportError> Errors;
    int InvalidLinks = 0;          // the reported ones
    int FilesWithInvalidLinks = 0; // the files with reported invalid links
    int HtmlFiles = 0;
    int Html5IdLinks = 0;   // invalid links that name an id as an anchor
    int ModernValid = 0;    // invalid links that ModernHTML would make valid
    int ExternalBroken = 0; // places of broken external links

    const TDiagnosedLink& Of(const TBrokenLink& Link) const {
        return Diagnosed[static_cast<size_t>(Link.File)][static_cast<size_t>(Link.Invalid)];
    }
    std::string_view RelativePath(const std::string& Path) const;

private:
    void LeaveOutUnreached();
};

} // namespace orvel::cli
