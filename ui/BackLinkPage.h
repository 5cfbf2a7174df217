// The page "リンク元": the files whose valid links lead to the selected file or anchor, and
// after them the invalid links whose suggested fix leads to the file.
#pragma once

#include <QListWidget>

namespace orvel {
class TRunContext;
struct TTreeNode;
} // namespace orvel

namespace orvel::ui {

class TBackLinkPage : public QListWidget {
    Q_OBJECT
public:
    explicit TBackLinkPage(TRunContext& RunContext, QWidget* Parent = nullptr);
    // Lists the files that link to the node's file or, for an anchor node, to that anchor;
    // empties the page for anything else.
    void ShowNode(const TTreeNode* Node);

signals:
    // A listed file was double-clicked: its node.
    void FileChosen(TTreeNode* Node);

private:
    TRunContext& Run;
};

} // namespace orvel::ui
