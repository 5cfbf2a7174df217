#include "analysis/NodePictures.h"

namespace orvel {

void ShowSitePictures(TSiteTree& Tree) {
    Tree.SetImage(Tree.Root(), pic::Site);
    Tree.SetSelectedImage(Tree.Root(), pic::Site);
}

void ShowFileKind(TSiteTree& Tree, TTreeNode& File, TFileKind Kind) {
    if (Kind == fkImage) Tree.SetImage(File, pic::ImageFile);
    if (Kind == fkOther) Tree.SetImage(File, pic::OtherFile);
}

void ShowFlagged(TSiteTree& Tree, TTreeNode& File, bool Flagged) {
    Tree.SetImage(File, Flagged ? pic::BluePage : pic::HtmlPage);
}

void ShowReachState(TSiteTree& Tree, TTreeNode& File, TReachState State) {
    static constexpr int StateImages[] = {pic::Reached, pic::NotReached, pic::TopMark};
    Tree.SetStateImage(File, StateImages[State]);
}

void ShowIgnored(TSiteTree& Tree, TTreeNode& File, bool Ignored) {
    Tree.SetOverlay(File, Ignored ? pic::ExcludedOverlay : -1);
}

void ShowSelectedLikeImage(TSiteTree& Tree, TTreeNode& File) {
    Tree.SetSelectedImage(File, File.ImageIndex);
}

void ShowFolderProblem(TSiteTree& Tree, TTreeNode& Folder, bool Problem) {
    Tree.SetProblem(Folder, Problem);
    Tree.SetImage(Folder, Problem ? pic::FolderProblem : pic::FolderOk);
    Tree.SetSelectedImage(Folder, Problem ? pic::FolderProblemOpen : pic::FolderOkOpen);
}

void ShowAnchorAsRead(TSiteTree& Tree, TTreeNode& Anchor) {
    Tree.SetImage(Anchor, pic::Reached);
    Tree.SetSelectedImage(Anchor, pic::Reached);
    ShowAnchorNotReached(Tree, Anchor);
}

void ShowAnchorReached(TSiteTree& Tree, TTreeNode& Anchor) {
    Tree.SetStateImage(Anchor, pic::Reached);
    Tree.SetImage(Anchor, pic::Anchor);
}

void ShowAnchorNotReached(TSiteTree& Tree, TTreeNode& Anchor) {
    Tree.SetStateImage(Anchor, pic::NotReached);
}

} // namespace orvel
