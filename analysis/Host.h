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
    bool UndoEnabled = false;   // a replacement can be undone (idle only)
};

class THost : public TMessageHost {
public:
    // Lets the user interface handle its pending events (repaint, the Halt button).
    virtual void PumpEvents(TRunContext& Run) = 0;
    // The status, count or file count text of the run changed.
    virtual void ProgressChanged(const TRunContext& Run) = 0;
    // Enables or disables the command buttons and the project window's controls.
    virtual void ApplyCommandState(const TCommandState& State) = 0;
    // Empties the three link lists.
    virtual void ClearLinkLists() = 0;
    // Shows the link lists of a node again.
    virtual void ShowLinkLists(TTreeNode& Node) = 0;
};

} // namespace orvel
