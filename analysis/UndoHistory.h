// The desktop program's undo history: replacements in pages and the removal of every TOP mark.
#pragma once

#include "analysis/StringReplacement.h"

#include <string>
#include <vector>

namespace orvel {

class TRunContext;

// One step of the history: what one command changed.
struct TUndoStep {
    std::vector<TPageEdit> PageEdits;  // the pages a replacement changed
    std::vector<std::string> TopFiles; // or the TOP pages removed all at once, as last given
};

// Undoes the newest step of Run's history and forgets it; does nothing without one.
void UndoLastStep(TRunContext& Run);

} // namespace orvel
