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
    const TFileObject* Page = PageOfAnchor(*Node);
    const TFileObject* Target = Page ? Page : Node->Data;
    if (!Target) return; // a folder
    const TBackLinks& Back = Run.Findings.BackLinks();
    for (const TFileObject* From :
         Page ? Back.LinkingFiles(*Target, Node->Text) : Back.LinkingFiles(*Target)) {
        auto* Item = new QListWidgetItem(
            ToQString(std::string(Run.CurrentProject.RelativeToHome(From->Path))), this);
        Item->setData(NodeRole, QVariant::fromValue(static_cast<void*>(From->Node)));
    }
}

} // namespace orvel::ui
