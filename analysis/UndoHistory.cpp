#include "analysis/UndoHistory.h"

#include "analysis/RunContext.h"
#include "analysis/TreeCommands.h"

namespace orvel {

void UndoLastStep(TRunContext& Run) {
    if (Run.UndoSteps.empty()) return;
    const TUndoStep Step = std::move(Run.UndoSteps.back());
    Run.UndoSteps.pop_back();
    if (!Step.PageEdits.empty())
        UndoPageEdits(Run, Step.PageEdits);
    else
        RestoreTopMarks(Run, Step.TopFiles);
}

} // namespace orvel
