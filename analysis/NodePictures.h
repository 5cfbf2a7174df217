// The one place that turns what a node stands for into the pictures of the tree: a file's kind,
// blue mark, reach state and exclusion, a folder's problem mark and an anchor's reach.
#pragma once

#include "analysis/FileObject.h"
#include "analysis/SiteTree.h"

namespace orvel {

// Picture numbers of the tree's image list, as TreePictures draws them.
namespace pic {
constexpr int Site = 0, FolderOk = 1, FolderProblem = 2, FolderOkOpen = 3, FolderProblemOpen = 4;
constexpr int HtmlPage = 5, BluePage = 6, TopMark = 7, ImageFile = 8, OtherFile = 9;
// The reached mark draws nothing, so it is also the blank picture of an anchor not reached yet.
constexpr int NotReached = 10, Reached = 11, Anchor = 12;
constexpr int ExcludedOverlay = 0; // an overlay slot, not a picture number
} // namespace pic

// The root's pictures: the site.
void ShowSitePictures(TSiteTree& Tree);
// An image's or another file's picture; an HTML file's comes from ShowFlagged.
void ShowFileKind(TSiteTree& Tree, TTreeNode& File, TFileKind Kind);
// An HTML file's picture: blue when flagged.
void ShowFlagged(TSiteTree& Tree, TTreeNode& File, bool Flagged);
void ShowReachState(TSiteTree& Tree, TTreeNode& File, TReachState State);
void ShowIgnored(TSiteTree& Tree, TTreeNode& File, bool Ignored);
// A file looks the same selected as not.
void ShowSelectedLikeImage(TSiteTree& Tree, TTreeNode& File);
// Marks a folder as holding a file that needs attention, or not, and colours it so.
void ShowFolderProblem(TSiteTree& Tree, TTreeNode& Folder, bool Problem);
// An anchor as a page's anchors are shown when read: blank and not reached.
void ShowAnchorAsRead(TSiteTree& Tree, TTreeNode& Anchor);
// An anchor that a link from a reached page names (its file object keeps that): the reached
// state picture, and from now on the anchor picture.
void ShowAnchorReached(TSiteTree& Tree, TTreeNode& Anchor);
// An anchor no longer reached; its picture stays.
void ShowAnchorNotReached(TSiteTree& Tree, TTreeNode& Anchor);

} // namespace orvel
