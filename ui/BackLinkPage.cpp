#include "ui/BackLinkPage.h"

#include "analysis/RunContext.h"
#include "ui/Encoding.h"

#include <QFont>

namespace orvel::ui {

namespace {
// The data role of an item that holds the linking file's node.
constexpr int NodeRole = Qt::UserRole;
} // namespace

TBackLinkPage::TBackLinkPage(TRunContext& RunContext, QWidget* Parent)
    : QListWidget(Parent), Run(RunContext) {
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
    const auto Add = [&](const TFileObject& From, const QString& Text) {
        auto* Item = new QListWidgetItem(Text, this);
        Item->setData(NodeRole, QVariant::fromValue(static_cast<void*>(From.Node)));
    };
    for (const TFileObject* From :
         Page ? Back.LinkingFiles(*Target, Node->Text) : Back.LinkingFiles(*Target))
        Add(*From, ToQString(std::string(Run.CurrentProject.RelativeToHome(From->Path))));
    if (Page) return;
    // The pages whose invalid links would lead here once fixed as suggested, in a group of
    // their own, each with its link.
    const std::vector<TBrokenLink> Broken = LinksFixedTo(Run, Run.Findings.Diagnoser(), *Target);
    if (Broken.empty()) return;
    auto* Heading =
        new QListWidgetItem(QTr("無効リンク（修正するとこのファイルを指すもの）"), this);
    Heading->setFlags(Qt::ItemIsEnabled); // a label: not selectable, not greyed
    QFont Bold = Heading->font();
    Bold.setBold(true);
    Heading->setFont(Bold);
    for (const TBrokenLink& Link : Broken)
        Add(*Link.Page, ToQString(std::string(Run.CurrentProject.RelativeToHome(Link.Page->Path))) +
                            QStringLiteral(": ") + PageText(Link.Link(), Link.Page->Charset));
}

} // namespace orvel::ui
