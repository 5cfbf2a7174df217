#include "ui/BackLinkPage.h"

#include "analysis/RunContext.h"
#include "ui/Encoding.h"

namespace orvel::ui {

namespace {
// The data role of an item that holds the linking file's node.
constexpr int NodeRole = Qt::UserRole;
} // namespace

TBackLinkPage::TBackLinkPage(TRunContext& Run, QWidget* Parent) : QListWidget(Parent), Run(Run) {
    setObjectName(QStringLiteral("BackLinkList"));
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* Item) {
        emit FileChosen(static_cast<TTreeNode*>(Item->data(NodeRole).value<void*>()));
    });
}

void TBackLinkPage::ShowNode(const TTreeNode* Node) {
    clear();
    if (!Node || !Node->Parent) return;
    // An anchor is a child of its file's node, and has no file object of its own.
    const bool Anchor = !Node->Data && Node->Parent->Data;
    const TFileObject* Target = Anchor ? Node->Parent->Data : Node->Data;
    if (!Target) return; // a folder
    const TBackLinks& Back = Run.Findings.BackLinks();
    const std::string& Home = Run.CurrentProject.HomeDir;
    for (const TFileObject* From :
         Anchor ? Back.LinkingFiles(*Target, Node->Text) : Back.LinkingFiles(*Target)) {
        const std::string Path =
            From->Path.starts_with(Home) ? From->Path.substr(Home.size()) : From->Path;
        auto* Item = new QListWidgetItem(ToQString(Path), this);
        Item->setData(NodeRole, QVariant::fromValue(static_cast<void*>(From->Node)));
    }
}

} // namespace orvel::ui
