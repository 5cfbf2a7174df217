#include "ui/BrokenTargetPage.h"

#include "analysis/BrokenTargets.h"
#include "analysis/RunContext.h"
#include "support/ReadFileAll.h"
#include "support/TextPositions.h"
#include "ui/Encoding.h"
#include "ui/InvalidLinkHint.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvel::ui {

namespace {
// Roles of an item: the target's index in the list; for a page, its node and its line.
constexpr int TargetRole = Qt::UserRole, NodeRole = Qt::UserRole + 1, LineRole = Qt::UserRole + 2;
} // namespace

TBrokenTargetPage::TBrokenTargetPage(TRunContext& RunContext, QWidget* Parent)
    : QWidget(Parent), Run(RunContext) {
    Targets = new QTreeWidget(this);
    Targets->setObjectName(QStringLiteral("BrokenTargetList"));
    Targets->setHeaderLabels(
        {QTr("リンク先"), QTr("理由"), QTr("修正候補"), QTr("ページ"), QTr("箇所")});
    Targets->setRootIsDecorated(true);
    Targets->setUniformRowHeights(true);
    Targets->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Targets->header()->setStretchLastSection(false);
    Targets->installEventFilter(this);
    FixButton = new QPushButton(QTr("すべて修正..."), this);
    FixButton->setObjectName(QStringLiteral("FixButton"));
    FixButton->setEnabled(false);
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(2);
    Layout->addWidget(Targets, 1);
    Layout->addWidget(FixButton, 0, Qt::AlignRight);
    connect(Targets, &QTreeWidget::itemExpanded, this, &TBrokenTargetPage::ListPages);
    connect(Targets, &QTreeWidget::currentItemChanged, this,
            [this] { FixButton->setEnabled(CurrentTarget() != nullptr); });
    connect(Targets, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* Item) {
        if (Item->parent())
            emit FileChosen(static_cast<TTreeNode*>(Item->data(0, NodeRole).value<void*>()));
    });
    connect(FixButton, &QPushButton::clicked, this, &TBrokenTargetPage::FixAsked);
}

void TBrokenTargetPage::Refresh() {
    if (Run.Busy() || ListedVersion == Run.FileObjects.Version()) return;
    ListedVersion = Run.FileObjects.Version();
    Targets->clear();
    Listed = BrokenTargets(Run);
    const TLinkDiagnoser& Diagnoser = Run.Findings.Diagnoser();
    QList<QTreeWidgetItem*> Items;
    for (size_t I = 0; I < Listed.size(); ++I) {
        const TBrokenTarget& Target = Listed[I];
        const TBrokenLink& First = Target.Links[0];
        const TLinkDiagnosis Diagnosis = Diagnoser.Diagnose(*First.Page, First.Link());
        auto* Item = new QTreeWidgetItem(
            {ToQString(Target.Target), LinkReasonCaption(Diagnosis.Reason),
             Diagnosis.Suggestion ? PageText(*Diagnosis.Suggestion, First.Page->Charset)
                                  : QString(),
             QString::number(Target.Pages), QString::number(Target.Places)});
        Item->setData(0, TargetRole, static_cast<qulonglong>(I));
        Item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        Items.append(Item);
    }
    Targets->addTopLevelItems(Items);
    FixButton->setEnabled(false);
}

const TBrokenTarget* TBrokenTargetPage::CurrentTarget() const {
    const QTreeWidgetItem* Item = Targets->currentItem();
    if (!Item) return nullptr;
    if (Item->parent()) Item = Item->parent();
    const size_t Index = Item->data(0, TargetRole).toULongLong();
    return Index < Listed.size() ? &Listed[Index] : nullptr;
}

void TBrokenTargetPage::ListPages(QTreeWidgetItem* Item) {
    if (Item->parent() || Item->childCount() > 0) return;
    const size_t Index = Item->data(0, TargetRole).toULongLong();
    if (Index >= Listed.size()) return;
    std::string Text;
    for (const TBrokenLink& Link : Listed[Index].Links) {
        const TFileObject& Page = *Link.Page;
        const size_t Owner = static_cast<size_t>(Page.InvalidLinks.OwnerIndex(Link.Invalid));
        int Line = 0;
        if (Owner < Page.LinkOffsets.size() &&
            ReadTextInto(Page.Path, Text) == TReadFailure::rfNone)
            Line = TextPositions(Text, {Page.LinkOffsets[Owner]}, Page.Charset)[0].Line;
        auto* Child = new QTreeWidgetItem(
            Item, {ToQString(std::string(Run.CurrentProject.RelativeToHome(Page.Path))) +
                       (Line > 0 ? QStringLiteral(" : %1").arg(Line) : QString()),
                   PageText(Link.Link(), Page.Charset)});
        Child->setData(0, NodeRole, QVariant::fromValue(static_cast<void*>(Page.Node)));
        Child->setData(0, LineRole, Line);
    }
}

bool TBrokenTargetPage::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == Targets && Event->type() == QEvent::KeyPress) {
        const int Key = static_cast<QKeyEvent*>(Event)->key();
        QTreeWidgetItem* Item = Targets->currentItem();
        if ((Key == Qt::Key_Return || Key == Qt::Key_Enter) && Item && Item->parent()) {
            emit TagJumpAsked(static_cast<TTreeNode*>(Item->data(0, NodeRole).value<void*>()),
                              Item->data(0, LineRole).toInt());
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

} // namespace orvel::ui
