// The diagnosis of a small site made from the input: no crash, no undefined behaviour; every
// suggestion classifies valid and leads where the diagnosis says, there are at most five
// candidates, and the cheap search for the links whose fix leads to a file finds exactly what
// diagnosing every link finds.
#include "FuzzSupport.h"

#include "analysis/BackLinks.h"
#include "analysis/CheckRun.h"
#include "analysis/FileObject.h"
#include "analysis/LinkDiagnosis.h"
#include "analysis/RunContext.h"
#include "support/DeleteFolder.h"

#include <cstdint>
#include <map>

using namespace orvel;
using namespace orvel::fuzz;

namespace {

std::vector<std::pair<const TFileObject*, int>> Keys(const std::vector<TBrokenLink>& Links) {
    std::vector<std::pair<const TFileObject*, int>> Result;
    for (const TBrokenLink& Link : Links)
        Result.emplace_back(Link.Page, Link.Invalid);
    return Result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    TFuzzSite Site(Data, Size);
    TRunContext& Run = Site.Run;
    CheckFolder(Run, Site.Home, false);
    const TLinkDiagnoser Diagnoser(Run);
    std::map<const TFileObject*, std::vector<TBrokenLink>> Fixed;
    for (int F = 0; F < Run.FileObjects.Count(); ++F) {
        TFileObject& Page = Run.FileObjects[F];
        for (int I = 0; I < Page.InvalidLinks.Count(); ++I) {
            const TLinkDiagnosis D = Diagnoser.Diagnose(Page, Page.InvalidLinks[I]);
            Require(D.Candidates.size() <= 5, "at most five candidates");
            if (!D.Suggestion) {
                Require(!D.Leads, "no suggestion leads anywhere");
                continue;
            }
            const TLinkResolution Resolved = Page.Resolve(*D.Suggestion);
            Require(Resolved.Class == TLinkClass::lcValid, "a suggestion is a valid link");
            Require(Resolved.Target == D.Leads, "a suggestion leads where it says");
            if (D.Leads && D.Leads != &Page) Fixed[D.Leads].push_back({&Page, F, I});
        }
    }
    for (const auto& File : Run.FileObjects)
        Require(Keys(LinksFixedTo(Run, Diagnoser, *File)) == Keys(Fixed[File.get()]),
                "the links whose fix leads to a file are found without diagnosing all");
    return 0;
}
