// The diagnoses and back-links of a run's site as it stands: built when first asked for, and
// again once the files, their paths or their links' classes have changed.
#pragma once

#include "analysis/BackLinks.h"
#include "analysis/LinkDiagnosis.h"

#include <cstdint>
#include <memory>

namespace orvel {

class TRunContext;

class TSiteFindings {
public:
    explicit TSiteFindings(const TRunContext& Context) : Run(Context) {}
    const TLinkDiagnoser& Diagnoser();
    const TBackLinks& BackLinks();

private:
    const TRunContext& Run;
    // The file objects' membership or version they were built from.
    std::uint64_t DiagnosisBuiltAt = 0, ClassesSeenAt = 0, BackBuiltAt = 0;
    std::unique_ptr<TLinkDiagnoser> Diagnosis;
    std::unique_ptr<TBackLinks> Back;
};

} // namespace orvel
