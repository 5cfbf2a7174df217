// The tree of the site as the main window shows it: root, folders, files and anchors.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvel {

class TFileObject;

// One node. Fields are read freely; changes go through TSiteTree so that observers hear of them.
struct TTreeNode {
    std::string Text;
    int ImageIndex = -1;    // picture of TreePictures, -1 for none
    int SelectedIndex = -1; // picture while selected
    int StateIndex = -1;    // state picture, -1 for none
    int OverlayIndex = -1;  // overlay slot, -1 for none
    bool Expanded = false;
    bool Problem = false;        // a folder: a file below it needs attention (drawn cyan)
    std::int32_t Repeats = -1;   // a folder listed before under another path: see RepeatOf
    TFileObject* Data = nullptr; // not owned; set for file nodes only
    TTreeNode* Parent = nullptr; // not owned; null for the root
    int Row = 0;                 // index among the parent's children
    std::vector<std::unique_ptr<TTreeNode>> Children; // owned

    int Count() const { return static_cast<int>(Children.size()); }
    TTreeNode* Item(int Index) const { return Children[static_cast<size_t>(Index)].get(); }
};

// The file whose anchor the node names, or null: an anchor is a child of its file's node and
// has no file object of its own.
inline TFileObject* PageOfAnchor(const TTreeNode& Node) {
    return !Node.Data && Node.Parent ? Node.Parent->Data : nullptr;
}

// Told of changes to the tree. Inside a batch update that adds or removes nodes, only its begin
// (before the first such change) and end are reported, and a view reads the whole tree again;
// a batch that only changes nodes in place is reported at its end as nodes repainted.
class TSiteTreeObserver {
public:
    virtual ~TSiteTreeObserver() = default;
    virtual void TreeBatchBegin() = 0;
    virtual void TreeBatchEnd() = 0;
    // Nodes changed their texts, pictures or the selection in a batch; none came or went.
    virtual void NodesRepainted() = 0;
    virtual void NodeChanged(TTreeNode& Node) = 0;
    virtual void NodesAboutToBeInserted(TTreeNode& Parent, int First, int Last) = 0;
    virtual void NodesInserted() = 0;
    virtual void NodesAboutToBeRemoved(TTreeNode& Parent, int First, int Last) = 0;
    virtual void NodesRemoved() = 0;
    virtual void SelectionChanged(TTreeNode* Node) = 0;
};

// The texts of a node and its ancestors below the root, joined by "/"; empty for the root.
std::string TextPath(const TTreeNode& Node);

// What the user sees of a tree besides its nodes, the expanded nodes and the selected one, kept
// by their text paths so that a tree built anew shows it again.
struct TTreeSight {
    std::vector<std::string> Expanded; // sorted
    std::string Selected;
    bool HasSelection = false;
};

class TSiteTree {
public:
    TSiteTree();

    void SetObserver(TSiteTreeObserver* NewObserver) { Observer = NewObserver; }
    TTreeNode& Root() { return *RootNode; }
    const TTreeNode& Root() const { return *RootNode; }

    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return UpdateDepth > 0; }

    TTreeNode& AddChild(TTreeNode& Parent, std::string Text);
    // Deletes the node with all its descendants; the root cannot be deleted.
    void Delete(TTreeNode& Node);
    // Removes the children of a node from the tree, handing them over to be freed.
    std::vector<std::unique_ptr<TTreeNode>> TakeChildren(TTreeNode& Parent);

    void SetText(TTreeNode& Node, std::string Text);
    void SetImage(TTreeNode& Node, int Index);
    void SetSelectedImage(TTreeNode& Node, int Index);
    void SetStateImage(TTreeNode& Node, int Index);
    void SetOverlay(TTreeNode& Node, int Index);
    void Expand(TTreeNode& Node);
    // Records that a view opened or closed the node; the view knows, so nobody is told.
    void NoteExpanded(TTreeNode& Node, bool Expanded) { Node.Expanded = Expanded; }
    // What a folder's pictures show; the pictures set with it are what observers hear of
    // (NodePictures sets both).
    void SetProblem(TTreeNode& Folder, bool Problem) { Folder.Problem = Problem; }
    // Notes that a folder node stands for a folder listed before under the path Of.
    void MarkRepeat(TTreeNode& Node, std::string Of);
    // The path of the folder that the node repeats, or null.
    const std::string* RepeatOf(const TTreeNode& Node) const;

    TTreeNode* Selected() const { return SelectedNode; }
    void Select(TTreeNode* Node);

    // The node at a text path ("" is the root, "a.html/top" an anchor), or null.
    TTreeNode* NodeAtPath(std::string_view TextPath);
    TTreeSight Sight() const;
    // Expands and selects what the sight names where the tree has it, in one batch update.
    void RestoreSight(const TTreeSight& Sight);

    // Position in a pre-order walk from the root, which is 0.
    int AbsoluteIndex(const TTreeNode& Node) const;
    TTreeNode* NodeAt(int AbsoluteIndex);
    int NodeCount() const;

private:
    void Changed(TTreeNode& Node);
    // Before nodes come or go: whether to report them one by one (outside a batch).
    bool Restructuring();
    void ForgetSelectionBelow(TTreeNode& Node);

    std::unique_ptr<TTreeNode> RootNode;
    std::vector<std::string> Repeated;     // by TTreeNode::Repeats
    TTreeNode* SelectedNode = nullptr;     // not owned
    TSiteTreeObserver* Observer = nullptr; // not owned
    int UpdateDepth = 0;
    bool BatchRebuilds = false, BatchRepaints = false; // what the batch under way reports
};

} // namespace orvel
