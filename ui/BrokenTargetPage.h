// The page "無効リンク一覧": every broken target of the site once, with its reason, its
// suggestion and the pages and places that name it; each page and line below it.
#pragma once

#include "analysis/BrokenTargets.h"

#include <QWidget>
#include <cstdint>
#include <vector>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace orvel {
class TRunContext;
struct TTreeNode;
} // namespace orvel

namespace orvel::ui {

class TBrokenTargetPage : public QWidget {
    Q_OBJECT
public:
    explicit TBrokenTargetPage(TRunContext& RunContext, QWidget* Parent = nullptr);
    // Lists the broken targets again when the results have changed since they were listed.
    void Refresh();
    // The target of the current item (or of the page below it), or null.
    const TBrokenTarget* CurrentTarget() const;

    QTreeWidget* Targets;
    QPushButton* FixButton; // fixes the current target in every page that names it

signals:
    // A page below a target was double-clicked: its node.
    void FileChosen(TTreeNode* Node);
    // Enter on a page below a target: the tag jump to the line of its link.
    void TagJumpAsked(TTreeNode* Node, int Line);
    void FixAsked();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // Lists the pages below a target item, with the lines of their links.
    void ListPages(QTreeWidgetItem* Item);

    TRunContext& Run;
    std::vector<TBrokenTarget> Listed;
    std::uint64_t ListedVersion = ~std::uint64_t{0}; // of the file objects listed
};

} // namespace orvel::ui
