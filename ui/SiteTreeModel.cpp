#include "ui/SiteTreeModel.h"

#include "analysis/FileObject.h"
#include "ui/Encoding.h"
#include "ui/TreePictures.h"

namespace orvel::ui {

namespace {
// A node's text: an anchor's name in its page's charset, any other in the code page.
QString NodeText(const TTreeNode& Node) {
    const TFileObject* Page = PageOfAnchor(Node);
    return Page ? PageText(Node.Text, Page->Charset) : ToQString(Node.Text);
}

// What a node stands for, in full: the home folder, a folder's path ending in "/", a file's
// path, or a file's path with "#" and an anchor's name.
QString FullPath(const TTreeNode& Node) {
    if (Node.Data) return ToQString(Node.Data->Path);
    if (!Node.Parent) return ToQString(Node.Text);
    if (PageOfAnchor(Node)) return FullPath(*Node.Parent) + u'#' + NodeText(Node);
    return FullPath(*Node.Parent) + NodeText(Node) + u'/';
}
} // namespace

TSiteTreeModel::TSiteTreeModel(TSiteTree& SiteTree, QObject* Parent)
    : QAbstractItemModel(Parent), Tree(SiteTree) {
    Tree.SetObserver(this);
}

TSiteTreeModel::~TSiteTreeModel() {
    Tree.SetObserver(nullptr);
}

TTreeNode* TSiteTreeModel::NodeOf(const QModelIndex& Index) {
    return Index.isValid() ? static_cast<TTreeNode*>(Index.internalPointer()) : nullptr;
}

QModelIndex TSiteTreeModel::IndexOf(const TTreeNode* Node) const {
    if (!Node) return {};
    return createIndex(Node->Row, 0, const_cast<TTreeNode*>(Node));
}

QModelIndex TSiteTreeModel::index(int Row, int Column, const QModelIndex& Parent) const {
    if (Column != 0 || Row < 0) return {};
    if (!Parent.isValid()) return Row == 0 ? createIndex(0, 0, &Tree.Root()) : QModelIndex();
    const TTreeNode* Node = NodeOf(Parent);
    if (Row >= Node->Count()) return {};
    return createIndex(Row, 0, Node->Item(Row));
}

QModelIndex TSiteTreeModel::parent(const QModelIndex& Index) const {
    const TTreeNode* Node = NodeOf(Index);
    return Node && Node->Parent ? IndexOf(Node->Parent) : QModelIndex();
}

int TSiteTreeModel::rowCount(const QModelIndex& Parent) const {
    if (!Parent.isValid()) return 1;
    return Parent.column() == 0 ? NodeOf(Parent)->Count() : 0;
}

int TSiteTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TSiteTreeModel::data(const QModelIndex& Index, int Role) const {
    const TTreeNode* Node = NodeOf(Index);
    if (!Node) return {};
    if (Role == Qt::DisplayRole) return NodeText(*Node);
    if (Role == Qt::ToolTipRole) {
        if (const std::string* Of = Tree.RepeatOf(*Node))
            return FullPath(*Node) + QTr("\n同じフォルダを表示済み: ") + ToQString(*Of);
        return FullPath(*Node);
    }
    if (Role == Qt::DecorationRole) {
        const int Image = Node == Tree.Selected() ? Node->SelectedIndex : Node->ImageIndex;
        return NodeDecoration(Node->StateIndex, Image, Node->OverlayIndex);
    }
    return {};
}

void TSiteTreeModel::TreeBatchBegin() {
    beginResetModel();
}

void TSiteTreeModel::TreeBatchEnd() {
    endResetModel();
    ShownSelected = Tree.Selected();
    emit TreeRebuilt();
}

void TSiteTreeModel::NodesRepainted() {
    if (ShownSelected != Tree.Selected()) SelectionChanged(Tree.Selected());
    emit TreeRepainted();
}

void TSiteTreeModel::NodeChanged(TTreeNode& Node) {
    const QModelIndex Index = IndexOf(&Node);
    emit dataChanged(Index, Index);
}

void TSiteTreeModel::NodesAboutToBeInserted(TTreeNode& Parent, int First, int Last) {
    beginInsertRows(IndexOf(&Parent), First, Last);
}

void TSiteTreeModel::NodesInserted() {
    endInsertRows();
}

void TSiteTreeModel::NodesAboutToBeRemoved(TTreeNode& Parent, int First, int Last) {
    beginRemoveRows(IndexOf(&Parent), First, Last);
}

void TSiteTreeModel::NodesRemoved() {
    endRemoveRows();
}

void TSiteTreeModel::SelectionChanged(TTreeNode* Node) {
    // Both nodes change their picture: the selected picture goes with the selection.
    if (ShownSelected) NodeChanged(*ShownSelected);
    ShownSelected = Node;
    if (Node) NodeChanged(*Node);
    emit TreeSelectionChanged(Node);
}

} // namespace orvel::ui
