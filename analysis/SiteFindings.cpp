#include "analysis/SiteFindings.h"

#include "analysis/FileObject.h"
#include "analysis/RunContext.h"

namespace orvel {

const TLinkDiagnoser& TSiteFindings::Diagnoser() {
    if (!Diagnosis || DiagnosisBuiltAt != Run.FileObjects.Membership()) {
        Diagnosis = std::make_unique<TLinkDiagnoser>(Run);
        DiagnosisBuiltAt = Run.FileObjects.Membership();
        ClassesSeenAt = Run.FileObjects.Version();
    } else if (ClassesSeenAt != Run.FileObjects.Version()) {
        Diagnosis->ForgetLinks();
        ClassesSeenAt = Run.FileObjects.Version();
    }
    return *Diagnosis;
}

const TBackLinks& TSiteFindings::BackLinks() {
    if (!Back || BackBuiltAt != Run.FileObjects.Version()) {
        Back = std::make_unique<TBackLinks>(Run);
        BackBuiltAt = Run.FileObjects.Version();
    }
    return *Back;
}

} // namespace orvel
