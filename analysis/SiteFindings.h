// The diagnoses and back-links of a run's site as it stands: built when first asked for, and
// again once the file objects or their classes have changed.
#pragma once

#include "analysis/BackLinks.h"
#include "analysis/LinkDiagnosis.h"

#include <cstdint>
#include <memory>

namespace orvel {

class TRunContext;

class TSiteFindings {
public:
    explicit TSiteFindings(const TRunContext& Run) : Run(Run) {}
    const TLinkDiagnoser& Diagnoser();
    const TBackLinks& BackLinks();

private:
    // Forgets what the file objects have outdated.
    void Refresh();

    const TRunContext& Run;
    std::uint64_t BuiltAt = 0; // the file objects' version they were built from
    std::unique_ptr<TLinkDiagnoser> Diagnosis;
    std::unique_ptr<TBackLinks> Back;
};

} // namespace orvel
