// Reachability: follows the valid links from the TOP pages, applies the excluded files and
// colours the folders that hold a problem.
#pragma once

namespace orvel {

class TRunContext;
struct TTreeNode;

// The whole analysis over the current project and file objects.
void MarkReachability(TRunContext& Run);
// Makes the file of the selected node a TOP page and runs the analysis.
void MarkSelectedTop(TRunContext& Run);
void ReachFromTopFiles(TRunContext& Run);
void ApplyIgnoreFiles(TRunContext& Run);
// Depth-first marking from one file node, in the order of each file's valid links.
void ReachFrom(TRunContext& Run, TTreeNode& FileNode);
void ColorFolders(TRunContext& Run);
// Gives the folder and the folders above it, up to the root, the problem colour.
void MarkFolderChain(TRunContext& Run, TTreeNode* Folder);

} // namespace orvel
