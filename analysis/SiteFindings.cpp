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

const TSuggestedBackLinks& TSiteFindings::SuggestedBackLinks() {
    if (!Suggested || SuggestedBuiltAt != Run.FileObjects.Version()) {
        const TLinkDiagnoser& Diagnosing = Diagnoser();
        Suggested = std::make_unique<TSuggestedBackLinks>(Run, [&](int File, int Invalid) {
            const TFileObject& Page = Run.FileObjects[File];
            return Diagnosing.Diagnose(Page, Page.InvalidLinks[Invalid]).Leads;
        });
        SuggestedBuiltAt = Run.FileObjects.Version();
    }
    return *Suggested;
}

} // namespace orvel
