#include "analysis/SiteTree.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace orvel {

TSiteTree::TSiteTree() : RootNode(std::make_unique<TTreeNode>()) {}

void TSiteTree::BeginUpdate() {
    ++UpdateDepth;
}

void TSiteTree::EndUpdate() {
    if (UpdateDepth == 0 || --UpdateDepth > 0) return;
    const bool Rebuilt = std::exchange(BatchRebuilds, false);
    const bool Repainted = std::exchange(BatchRepaints, false);
    if (!Observer) return;
    if (Rebuilt)
        Observer->TreeBatchEnd();
    else if (Repainted)
        Observer->NodesRepainted();
}

bool TSiteTree::Restructuring() {
    if (!Observer) return false;
    if (!Updating()) return true;
    if (!BatchRebuilds) Observer->TreeBatchBegin();
    BatchRebuilds = true;
    return false;
}

TTreeNode& TSiteTree::AddChild(TTreeNode& Parent, std::string Text) {
    const int Row = Parent.Count();
    const bool Notify = Restructuring();
    if (Notify) Observer->NodesAboutToBeInserted(Parent, Row, Row);
    auto Node = std::make_unique<TTreeNode>();
    Node->Text = std::move(Text);
    Node->Parent = &Parent;
    Node->Row = Row;
    TTreeNode& Added = *Node;
    Parent.Children.push_back(std::move(Node));
    if (Notify) Observer->NodesInserted();
    return Added;
}

void TSiteTree::ForgetSelectionBelow(TTreeNode& Node) {
    for (TTreeNode* N = SelectedNode; N; N = N->Parent)
        if (N == &Node) {
            Select(nullptr);
            return;
        }
}

void TSiteTree::Delete(TTreeNode& Node) {
    if (!Node.Parent) throw std::logic_error("the root node cannot be deleted");
    ForgetSelectionBelow(Node);
    TTreeNode& Parent = *Node.Parent;
    const int Row = Node.Row;
    const bool Notify = Restructuring();
    if (Notify) Observer->NodesAboutToBeRemoved(Parent, Row, Row);
    Parent.Children.erase(Parent.Children.begin() + Row);
    for (int I = Row; I < Parent.Count(); ++I)
        Parent.Item(I)->Row = I;
    if (Notify) Observer->NodesRemoved();
}

std::vector<std::unique_ptr<TTreeNode>> TSiteTree::TakeChildren(TTreeNode& Parent) {
    std::vector<std::unique_ptr<TTreeNode>> Taken;
    if (Parent.Children.empty()) return Taken;
    for (auto& Child : Parent.Children)
        ForgetSelectionBelow(*Child);
    const bool Notify = Restructuring();
    if (Notify) Observer->NodesAboutToBeRemoved(Parent, 0, Parent.Count() - 1);
    Taken.swap(Parent.Children);
    if (&Parent == RootNode.get()) Repeated.clear();
    if (Notify) Observer->NodesRemoved();
    return Taken;
}

void TSiteTree::MarkRepeat(TTreeNode& Node, std::string Of) {
    Node.Repeats = static_cast<std::int32_t>(Repeated.size());
    Repeated.push_back(std::move(Of));
}

const std::string* TSiteTree::RepeatOf(const TTreeNode& Node) const {
    return Node.Repeats >= 0 && static_cast<size_t>(Node.Repeats) < Repeated.size()
               ? &Repeated[static_cast<size_t>(Node.Repeats)]
               : nullptr;
}

void TSiteTree::Changed(TTreeNode& Node) {
    if (Updating())
        BatchRepaints = true;
    else if (Observer)
        Observer->NodeChanged(Node);
}

void TSiteTree::SetText(TTreeNode& Node, std::string Text) {
    Node.Text = std::move(Text);
    Changed(Node);
}

void TSiteTree::SetImage(TTreeNode& Node, int Index) {
    if (Node.ImageIndex == Index) return;
    Node.ImageIndex = Index;
    Changed(Node);
}

void TSiteTree::SetSelectedImage(TTreeNode& Node, int Index) {
    if (Node.SelectedIndex == Index) return;
    Node.SelectedIndex = Index;
    Changed(Node);
}

void TSiteTree::SetStateImage(TTreeNode& Node, int Index) {
    if (Node.StateIndex == Index) return;
    Node.StateIndex = Index;
    Changed(Node);
}

void TSiteTree::SetOverlay(TTreeNode& Node, int Index) {
    if (Node.OverlayIndex == Index) return;
    Node.OverlayIndex = Index;
    Changed(Node);
}

void TSiteTree::Expand(TTreeNode& Node) {
    if (Node.Expanded) return;
    Node.Expanded = true;
    Changed(Node);
}

void TSiteTree::Select(TTreeNode* Node) {
    if (SelectedNode == Node) return;
    SelectedNode = Node;
    if (Updating())
        BatchRepaints = true;
    else if (Observer)
        Observer->SelectionChanged(Node);
}

int TSiteTree::AbsoluteIndex(const TTreeNode& Node) const {
    int Index = 0;
    for (const TTreeNode* N = &Node; N->Parent; N = N->Parent) {
        // Everything before N under its parent, the parent itself, then N.
        const TTreeNode& Parent = *N->Parent;
        for (int I = 0; I < N->Row; ++I) {
            std::vector<const TTreeNode*> Stack{Parent.Item(I)};
            while (!Stack.empty()) {
                const TTreeNode* Top = Stack.back();
                Stack.pop_back();
                ++Index;
                for (const auto& Child : Top->Children)
                    Stack.push_back(Child.get());
            }
        }
        ++Index;
    }
    return Index;
}

TTreeNode* TSiteTree::NodeAt(int AbsoluteIndex) {
    if (AbsoluteIndex < 0) return nullptr;
    std::vector<TTreeNode*> Stack{RootNode.get()};
    int Index = 0;
    while (!Stack.empty()) {
        TTreeNode* Top = Stack.back();
        Stack.pop_back();
        if (Index++ == AbsoluteIndex) return Top;
        for (auto It = Top->Children.rbegin(); It != Top->Children.rend(); ++It)
            Stack.push_back(It->get());
    }
    return nullptr;
}

int TSiteTree::NodeCount() const {
    int Count = 0;
    std::vector<const TTreeNode*> Stack{RootNode.get()};
    while (!Stack.empty()) {
        const TTreeNode* Top = Stack.back();
        Stack.pop_back();
        ++Count;
        for (const auto& Child : Top->Children)
            Stack.push_back(Child.get());
    }
    return Count;
}

std::string TextPath(const TTreeNode& Node) {
    std::string Path;
    for (const TTreeNode* N = &Node; N->Parent; N = N->Parent)
        Path = N->Text + (Path.empty() ? "" : "/") + Path;
    return Path;
}

TTreeNode* TSiteTree::NodeAtPath(std::string_view Path) {
    TTreeNode* Found = RootNode.get();
    for (size_t Start = 0; Found && !Path.empty() && Start <= Path.size();) {
        const size_t End = std::min(Path.find('/', Start), Path.size());
        const std::string_view Part = Path.substr(Start, End - Start);
        const auto& Kids = Found->Children;
        const auto It = std::find_if(Kids.begin(), Kids.end(),
                                     [&](const auto& Child) { return Child->Text == Part; });
        Found = It == Kids.end() ? nullptr : It->get();
        Start = End + 1;
    }
    return Found;
}

TTreeSight TSiteTree::Sight() const {
    TTreeSight Sight;
    // Text paths built on the way down, each node's from its parent's.
    std::vector<std::pair<const TTreeNode*, std::string>> Stack{{RootNode.get(), ""}};
    while (!Stack.empty()) {
        auto [Node, Path] = std::move(Stack.back());
        Stack.pop_back();
        if (Node == SelectedNode) {
            Sight.Selected = Path;
            Sight.HasSelection = true;
        }
        if (!Node->Expanded) continue;
        Sight.Expanded.push_back(Path);
        for (const auto& Child : Node->Children)
            Stack.emplace_back(Child.get(), Path.empty() ? Child->Text : Path + '/' + Child->Text);
    }
    if (SelectedNode && !Sight.HasSelection) { // below a collapsed node
        Sight.Selected = TextPath(*SelectedNode);
        Sight.HasSelection = true;
    }
    std::sort(Sight.Expanded.begin(), Sight.Expanded.end());
    return Sight;
}

void TSiteTree::RestoreSight(const TTreeSight& Sight) {
    BeginUpdate();
    std::vector<std::pair<TTreeNode*, std::string>> Stack{{RootNode.get(), ""}};
    while (!Stack.empty()) {
        auto [Node, Path] = std::move(Stack.back());
        Stack.pop_back();
        if (!std::binary_search(Sight.Expanded.begin(), Sight.Expanded.end(), Path)) continue;
        Node->Expanded = true;
        for (const auto& Child : Node->Children)
            Stack.emplace_back(Child.get(), Path.empty() ? Child->Text : Path + '/' + Child->Text);
    }
    if (Sight.HasSelection)
        if (TTreeNode* Node = NodeAtPath(Sight.Selected)) Select(Node);
    EndUpdate();
}

} // namespace orvel
