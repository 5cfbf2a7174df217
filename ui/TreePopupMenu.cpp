// TMainWindow's tree popup menu: its items and keys, which of them the selected node offers,
// and expanding or collapsing the whole tree.
#include "ui/MainWindow.h"

#include "ui/Encoding.h"
#include "ui/SiteTreeModel.h"

#include <QAction>
#include <QMenu>
#include <QTreeView>

namespace orvel::ui {

void TMainWindow::BuildPopupMenu() {
    TreePopupMenu = new QMenu(this);
    // The first key is the one the menu shows.
    const auto Item = [&](QAction*& A, const QString& Caption,
                          const QList<QKeySequence>& Keys = {}) {
        A = TreePopupMenu->addAction(Caption);
        A->setShortcuts(Keys);
        A->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        SiteTreeView->addAction(A); // shortcuts act on the tree's selected node
    };
    // Both Enter keys act; the menu names them "Enter".
    Item(OpenWithExternalApp, QTr("開く"), {Qt::Key_Enter, Qt::Key_Return});
    Item(OpenWithBrowser, QTr("ブラウザーで開く"),
         {Qt::SHIFT | Qt::Key_Enter, Qt::SHIFT | Qt::Key_Return});
    TreePopupMenu->addSeparator();
    Item(MarkTop, QTr("TOPページにする"), {Qt::CTRL | Qt::Key_T});
    Item(IgnoreItem, QTr("チェック対象から外す"), {Qt::CTRL | Qt::Key_D});
    IgnoreSeveralMenu = TreePopupMenu->addMenu(QTr("まとめてチェック対象から外す"));
    IgnoreSeveralItem = IgnoreSeveralMenu->menuAction();
    SameNameIgnoreItem =
        IgnoreSeveralMenu->addAction(QTr("このファイルと同じファイル名の全ファイル"));
    SameExtIgnoreItem = IgnoreSeveralMenu->addAction(QTr("このファイルと同じ拡張子の全ファイル"));
    Item(DeleteItem, QTr("削除..."), {Qt::Key_Delete});
    TreePopupMenu->addSeparator();
    Item(UnMarkTopAll, QTr("すべてのTOPマークを消す"));
    Item(ExpandAllItem, QTr("全ノードを展開する"));
    Item(CollapseAllItem, QTr("全ノードを縮小する"));
    Item(ShowProjectWindowItem, QTr("プロジェクト情報を表示"));
    connect(OpenWithExternalApp, &QAction::triggered, this, &TMainWindow::OpenWithExternalAppClick);
    connect(OpenWithBrowser, &QAction::triggered, this, &TMainWindow::OpenWithBrowserClick);
    connect(MarkTop, &QAction::triggered, this, &TMainWindow::MarkTopClick);
    connect(UnMarkTopAll, &QAction::triggered, this, &TMainWindow::UnMarkTopAllClick);
    connect(IgnoreItem, &QAction::triggered, this, &TMainWindow::IgnoreItemClick);
    connect(SameNameIgnoreItem, &QAction::triggered, this, &TMainWindow::SameNameIgnoreItemClick);
    connect(SameExtIgnoreItem, &QAction::triggered, this, &TMainWindow::SameExtIgnoreItemClick);
    connect(DeleteItem, &QAction::triggered, this, &TMainWindow::DeleteItemClick);
    connect(ShowProjectWindowItem, &QAction::triggered, this,
            &TMainWindow::ShowProjectWindowItemClick);
    connect(ExpandAllItem, &QAction::triggered, this, &TMainWindow::ExpandAllItemClick);
    connect(CollapseAllItem, &QAction::triggered, this, &TMainWindow::CollapseAllItemClick);
    connect(TreePopupMenu, &QMenu::aboutToShow, this, &TMainWindow::TreePopupMenuPopup);
}

void TMainWindow::TreePopupMenuPopup() {
    for (QAction* A :
         {OpenWithExternalApp, OpenWithBrowser, MarkTop, IgnoreItem, IgnoreSeveralItem, DeleteItem,
          UnMarkTopAll, ExpandAllItem, CollapseAllItem, ShowProjectWindowItem})
        A->setEnabled(false);
    if (Run.Busy()) return;
    for (QAction* A : {UnMarkTopAll, ExpandAllItem, CollapseAllItem, ShowProjectWindowItem})
        A->setEnabled(true);
    const TTreeNode* Node = SelectedNode();
    if (!Node || !Node->Parent) return;
    DeleteItem->setEnabled(true);
    IgnoreItem->setEnabled(true);
    if (!Node->Data) {
        IgnoreItem->setText(QTr("このフォルダ以下をチェック対象から外す"));
        return;
    }
    IgnoreSeveralItem->setEnabled(true);
    IgnoreItem->setText(Node->Data->Ignored ? QTr("再びチェック対象にする")
                                            : QTr("チェック対象から外す"));
    switch (Node->Data->Kind) {
    case fkHtml:
        MarkTop->setEnabled(true);
        MarkTop->setText(Run.CurrentProject.IndexOfTopFile(Node->Data->Path) >= 0
                             ? QTr("TOPマークを消す")
                             : QTr("TOPページにする"));
        OpenWithExternalApp->setEnabled(true);
        OpenWithBrowser->setEnabled(true);
        break;
    case fkImage:
        OpenWithExternalApp->setEnabled(true);
        OpenWithBrowser->setEnabled(true);
        break;
    case fkOther:
        OpenWithBrowser->setEnabled(true);
        break;
    }
}

void TMainWindow::SetAllExpanded(bool Expanded) {
    SiteTreeView->collapseAll(); // the view reports each node collapsed
    if (!Expanded) return;
    // Only nodes with children: each expanded row is one more index that every later removal of
    // a row must visit. Deepest first, so that a node is expanded while its parent is collapsed,
    // which costs the view no layout; the root, last, lays out all rows once.
    std::vector<TTreeNode*> Parents, Stack{&Run.Tree.Root()};
    while (!Stack.empty()) {
        TTreeNode* Node = Stack.back();
        Stack.pop_back();
        if (Node->Children.empty()) continue;
        Parents.push_back(Node);
        for (const auto& Child : Node->Children)
            Stack.push_back(Child.get());
    }
    for (auto It = Parents.rbegin(); It != Parents.rend(); ++It)
        SiteTreeView->setExpanded(TreeModel->IndexOf(*It), true);
}

void TMainWindow::ExpandAllItemClick() {
    SetAllExpanded(true);
}

void TMainWindow::CollapseAllItemClick() {
    SetAllExpanded(false);
}

void TMainWindow::ShowTreePopupMenu(const QPoint& Pos) {
    TreePopupMenuPopup();
    TreePopupMenu->popup(SiteTreeView->viewport()->mapToGlobal(Pos));
}

} // namespace orvel::ui
