// TMainWindow's popup of the link lists: the tag jump to the places of the clicked link in the
// selected file, and the replacement of the link throughout that file; the lists' keys.
#include "ui/MainWindow.h"

#include "analysis/ExternalApps.h"
#include "analysis/StringReplacement.h"
#include "ui/BrokenTargetPage.h"
#include "ui/Encoding.h"
#include "ui/ExternalLinkPictures.h"
#include "ui/InvalidLinkHint.h"
#include "ui/ReplaceDialog.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QShortcut>
#include <QSignalBlocker>

namespace orvel::ui {

namespace {

// A piece of a file as a menu shows it: line breaks and tabs as blanks, "&" not a mnemonic.
QString MenuText(QString Text) {
    for (QChar& C : Text)
        if (C.unicode() < 0x20) C = u' ';
    return Text.replace(u'&', QStringLiteral("&&"));
}

} // namespace

QString PlacesText(int Places, int Pages) {
    if (Places == 0) return QTr("このリンクが属性値として書かれている箇所はありません");
    const QString Where = Pages == 1 ? QString() : QTr("%1 個のファイルの ").arg(Pages);
    return QTr("リンクが属性値として書かれている %1%2 か所を置換します").arg(Where).arg(Places);
}

void TMainWindow::BuildLinkPopup() {
    LinkPopupMenu = new QMenu(this);
    ReplaceItem = LinkPopupMenu->addAction(QTr("文字列の置換..."));
    ReplaceWithSuggestionItem = LinkPopupMenu->addAction(QTr("修正候補に置換"));
    connect(ReplaceWithSuggestionItem, &QAction::triggered, this,
            &TMainWindow::ReplaceWithSuggestionClick);
    TagJumpMenu = LinkPopupMenu->addMenu(QTr("文字列へのタグジャンプ"));
    TagJumpItem = TagJumpMenu->menuAction();
    ReplaceDialog = new TReplaceDialog(this);
    connect(ReplaceItem, &QAction::triggered, this, &TMainWindow::ReplaceClick);
    connect(TagJumpMenu, &QMenu::triggered, this, &TMainWindow::TagJumpItemClick);
    for (QListWidget* List : {ValidLinkList, InvalidLinkList, ExternalLinkList})
        ConnectLinkList(List);
    // However an invalid link became the current one, the status line says why.
    connect(InvalidLinkList, &QListWidget::currentItemChanged, this,
            [this](const QListWidgetItem* Current) {
                if (Current)
                    ExplainInvalidLink(Current->data(LinkRole).toByteArray().toStdString());
            });
}

void TMainWindow::ConnectLinkList(QListWidget* List) {
    connect(List, &QListWidget::itemClicked, this, [this, List] { ShowLinkPopup(List); });
    // A selection made with the keys takes the link without a popup, which would take the keys;
    // a mouse press is followed by a click.
    connect(List, &QListWidget::itemSelectionChanged, this, [this, List] {
        if (QApplication::mouseButtons() == Qt::NoButton && List->hasFocus()) TakeLink(List);
    });
    connect(List, &QListWidget::itemActivated, this, &TMainWindow::TagJumpToLink);
    const auto OpenPopup = [this, List] {
        QListWidgetItem* Current = List->currentItem();
        if (!Current) return;
        const QSignalBlocker Quiet(List); // the popup opens once, here
        Current->setSelected(true);
        ShowLinkPopup(List, true);
    };
    for (const QKeySequence& Key :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)})
        new QShortcut(Key, List, OpenPopup, Qt::WidgetShortcut);
}

std::string TMainWindow::ExplainInvalidLink(const std::string& Link) {
    const TTreeNode* Node = SelectedNode();
    if (!Node || !Node->Data || Run.Busy()) return {};
    const TLinkDiagnosis Diagnosis = Run.Findings.Diagnoser().Diagnose(*Node->Data, Link);
    Run.SetStatusText(FromQString(InvalidLinkHint(Run, Diagnosis, Node->Data->Charset)));
    return Diagnosis.Suggestion.value_or("");
}

bool TMainWindow::TakeLink(QListWidget* List) {
    const QList<QListWidgetItem*> Selected = List->selectedItems();
    const TTreeNode* Node = SelectedNode();
    if (Selected.isEmpty() || !Node || !Node->Data || Run.Busy()) return false;
    SelectedLinkText = Selected.first()->data(LinkRole).toByteArray().toStdString();
    SelectedSuggestion.clear();
    if (List == InvalidLinkList) SelectedSuggestion = ExplainInvalidLink(SelectedLinkText);
    // A link that moved for good may name its new place.
    if (const TExternalLinkResult* Result = Run.External.Of(SelectedLinkText);
        List == ExternalLinkList && Result) {
        Run.SetStatusText(FromQString(ExternalOutcomeHint(*Result)));
        if (Result->Outcome == TExternalResult::redirect) SelectedSuggestion = Result->FinalUrl;
    }
    ReplaceWithSuggestionItem->setVisible(!SelectedSuggestion.empty());
    return true;
}

void TMainWindow::ShowLinkPopup(QListWidget* List, bool AtItem) {
    if (!TakeLink(List)) return;
    const QList<QListWidgetItem*> Selected = List->selectedItems();
    const TTreeNode* Node = SelectedNode();
    TagJumpMenu->clear();
    const auto Places = FindTagJumpPlaces(Run, *Node->Data, SelectedLinkText);
    if (!Places) return; // the file cannot be read: reported, no popup
    for (const TTagJumpPlace& Place : *Places)
        TagJumpMenu->addAction(QString::fromStdString(Place.Line) + QStringLiteral(": ") +
                               MenuText(PageText(Place.Context, Node->Data->Charset)));
    TagJumpItem->setEnabled(!Places->empty());
    if (!AtItem) {
        LinkPopupMenu->popup(QCursor::pos() + QPoint(16, 0));
        return;
    }
    // Below the item's text, its start left in sight.
    const QListWidgetItem* Item = List->currentItem() ? List->currentItem() : Selected.first();
    List->scrollToItem(Item);
    const QRect Row = List->visualItemRect(Item) & List->viewport()->rect();
    LinkPopupMenu->popup(List->viewport()->mapToGlobal(QPoint(Row.left() + 16, Row.bottom() + 1)));
}

void TMainWindow::TagJumpToLink(const QListWidgetItem* Item) {
    const TTreeNode* Node = SelectedNode();
    if (!Item || !Node || !Node->Data || Run.Busy()) return;
    LinkPopupMenu->hide();
    const auto Places =
        FindTagJumpPlaces(Run, *Node->Data, Item->data(LinkRole).toByteArray().toStdString());
    if (!Places) return; // the file cannot be read: reported
    if (Places->empty())
        Run.Beep(TBeepKind::bkDefault);
    else
        TagJump(Run, *Node->Data, Places->front().Line);
}

void TMainWindow::TagJumpItemClick(QAction* Item) {
    const TTreeNode* Node = SelectedNode();
    if (!Node || !Node->Data) return;
    const QString Line = Item->text().section(u':', 0, 0).trimmed();
    TagJump(Run, *Node->Data, Line.toStdString());
}

void TMainWindow::ReplaceClick() {
    const TTreeNode* Node = SelectedNode();
    if (Node && Node->Data) ReplaceLinkText(PageText(SelectedLinkText, Node->Data->Charset));
}

void TMainWindow::ReplaceWithSuggestionClick() {
    const TTreeNode* Node = SelectedNode();
    if (Node && Node->Data && !SelectedSuggestion.empty())
        ReplaceLinkText(PageText(SelectedSuggestion, Node->Data->Charset));
}

void TMainWindow::FixTargetEverywhere() {
    const TBrokenTarget* Target = BrokenTargetPage->CurrentTarget();
    if (!Target || Run.Busy()) return;
    const TLinkDiagnoser& Diagnoser = Run.Findings.Diagnoser();
    std::vector<TLinkFix> Fixes;
    bool Alike = true, Suggested = true;
    for (const TBrokenLink& Link : Target->Links) {
        const TLinkDiagnosis Diagnosis = Diagnoser.Diagnose(*Link.Page, Link.Link());
        Alike = Alike && Link.Link() == Target->Links[0].Link() &&
                Link.Page->Charset == Target->Links[0].Page->Charset;
        Suggested = Suggested && Diagnosis.Suggestion;
        Fixes.push_back({Link.Page, Link.Link(),
                         PageText(Diagnosis.Suggestion.value_or(Link.Link()), Link.Page->Charset)
                             .toStdString()});
    }
    if (!Alike && !Suggested) {
        Run.Beep(TBeepKind::bkDefault); // no one text, and no text for each
        return;
    }
    const TFileObject& First = *Target->Links[0].Page;
    ReplaceDialog->Fill(
        QTr("%1 個のファイル").arg(Target->Pages),
        Alike ? PageText(Target->Links[0].Link(), First.Charset) : QTr("（ページごとの書き方）"),
        QString::fromStdString(Fixes[0].NewUtf8), PlacesText(Target->Places, Target->Pages), Alike);
    if (ReplaceDialog->exec() != QDialog::Accepted) return;
    if (Alike)
        for (TLinkFix& Fix : Fixes)
            Fix.NewUtf8 = ReplaceDialog->ReplacementEdit->text().toStdString();
    ReplaceLinks(Run, Fixes);
}

void TMainWindow::ReplaceLinkText(const QString& Proposal) {
    const TTreeNode* Node = SelectedNode();
    if (!Node || !Node->Data) return;
    TFileObject& Page = *Node->Data;
    const int Places = CountLinkPlaces(Run, Page, SelectedLinkText);
    if (Places < 0) return; // the page cannot be read: said
    ReplaceDialog->Fill(ToQString(BareFileName(Page.Path, Run.PathStyle())),
                        PageText(SelectedLinkText, Page.Charset), Proposal, PlacesText(Places, 1));
    if (ReplaceDialog->exec() != QDialog::Accepted) return;
    ReplaceLinks(Run,
                 {{&Page, SelectedLinkText, ReplaceDialog->ReplacementEdit->text().toStdString()}});
}

} // namespace orvel::ui
