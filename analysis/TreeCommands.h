// The commands of the tree's popup menu that change TOP marks, exclusions and files. Each acts
// on the tree's selected node; the window offers a command only where its menu rule allows it.
#pragma once

#include <string>
#include <vector>

namespace orvel {

class TRunContext;
struct TTreeNode;

// Removes the TOP mark of the selected file, or makes the selected HTML file a TOP page; either
// way reachability is marked again. A node without a file object gives a beep.
void ToggleTopMark(TRunContext& Run);
// After the user agreed: sets every file and anchor back to not reached, forgets the TOP pages
// as one step of the undo history, and recomputes reachability; Halt stops the first loop.
void RemoveAllTopMarks(TRunContext& Run);
// Gives the project the TOP pages again and recomputes reachability: the undoing of the above.
void RestoreTopMarks(TRunContext& Run, const std::vector<std::string>& TopFiles);
// Excludes the selected file, or includes it again when it is excluded; for a folder or anchor
// node, excludes every file below it. Reachability and the pictures follow.
void ToggleExclusion(TRunContext& Run);
// Excludes every file below a node that has no file object.
void IgnoreFolder(TRunContext& Run, TTreeNode& Folder);
// Excludes every file whose bare name is that of the selected file, in any letter case.
void IgnoreSameName(TRunContext& Run);
// Excludes every file whose extension is that of the selected file, in any letter case.
void IgnoreSameExtension(TRunContext& Run);
// After the user confirmed, deletes the selected file or folder from disk, then its file
// objects, folder nodes and tree nodes; the node below it (else above, else its parent) becomes
// the selected node, and the links to what was deleted are classified again. A failure is
// reported and changes nothing in the tree.
void DeleteSelectedItem(TRunContext& Run);

} // namespace orvel
