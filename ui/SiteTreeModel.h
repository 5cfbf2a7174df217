// The site tree of the core shown to a QTreeView: one model reset per batch update that adds or
// removes nodes, a repaint for one that changes nodes in place, single-row signals for changes
// outside batches.
#pragma once

#include "analysis/SiteTree.h"

#include <QAbstractItemModel>

namespace orvel::ui {

class TSiteTreeModel : public QAbstractItemModel, public TSiteTreeObserver {
    Q_OBJECT
public:
    explicit TSiteTreeModel(TSiteTree& SiteTree, QObject* Parent = nullptr);
    ~TSiteTreeModel() override;

    QModelIndex index(int Row, int Column, const QModelIndex& Parent = {}) const override;
    QModelIndex parent(const QModelIndex& Index) const override;
    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;

    QModelIndex IndexOf(const TTreeNode* Node) const;
    static TTreeNode* NodeOf(const QModelIndex& Index);

    void TreeBatchBegin() override;
    void TreeBatchEnd() override;
    void NodesRepainted() override;
    void NodeChanged(TTreeNode& Node) override;
    void NodesAboutToBeInserted(TTreeNode& Parent, int First, int Last) override;
    void NodesInserted() override;
    void NodesAboutToBeRemoved(TTreeNode& Parent, int First, int Last) override;
    void NodesRemoved() override;
    void SelectionChanged(TTreeNode* Node) override;

signals:
    // The tree was rebuilt: the view restores expansion and selection from the tree.
    void TreeRebuilt();
    // Nodes changed in place, too many to name: the view draws what it shows again.
    void TreeRepainted();
    // The tree's selected node changed outside a batch update.
    void TreeSelectionChanged(TTreeNode* Node);

private:
    TSiteTree& Tree;
    TTreeNode* ShownSelected = nullptr; // not owned; the node drawn with its selected picture
};

} // namespace orvel::ui
