// What the check run needs from the user interface, beyond the tree.
#pragma once

#include "support/MessageHost.h"

namespace orvel {

class TRunContext;
struct TTreeNode;

// Which commands the busy state leaves enabled.
struct TCommandState {
    bool Busy = false;          // everything but Halt disabled
    bool ReopenEnabled = false; // the home folder exists (idle only)
    bool UndoEnabled = false;   // a step of the undo history can be undone (idle only)
};

class THost : public TMessageHost {
public:
    // Lets the user interface handle its pending events (repaint, the Halt button).
    virtual void PumpEvents(TRunContext& Run) = 0;
    // The status, count or file count text of the run changed.
    virtual void ProgressChanged(const TRunContext& Run) = 0;
    // Enables or disables the command buttons and the project window's controls.
    virtual void ApplyCommandState(const TCommandState& State) = 0;
    // The links found for the files changed, or their file objects are about to be freed: the
    // results to show now are those of Selected, none when it is null.
    virtual void ResultsChanged(TTreeNode* Selected) = 0;
    // A check of the site's folder has run to its end: every link is classified.
    virtual void CheckEnded(TRunContext&) {}
    // Whether the tree holds a node for each anchor of a page: a window shows them, a report
    // reads them from the file objects and spares the nodes' memory.
    virtual bool ShowsAnchors() const { return true; }
};

} // namespace orvel
