#include "analysis/SiteFindings.h"

#include "analysis/RunContext.h"

namespace orvel {

void TSiteFindings::Refresh() {
    if (BuiltAt == Run.FileObjects.Version()) return;
    Diagnosis.reset();
    Back.reset();
    BuiltAt = Run.FileObjects.Version();
}

const TLinkDiagnoser& TSiteFindings::Diagnoser() {
    Refresh();
    if (!Diagnosis) Diagnosis = std::make_unique<TLinkDiagnoser>(Run);
    return *Diagnosis;
}

const TBackLinks& TSiteFindings::BackLinks() {
    Refresh();
    if (!Back) Back = std::make_unique<TBackLinks>(Run);
    return *Back;
}

} // namespace orvel
