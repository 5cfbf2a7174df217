// The popup of the link lists: the places of the clicked link for the tag jump, and the
// replacement of the link through its dialog.
#include "GuiTestSupport.h"

#include "ui/BackLinkPage.h"
#include "ui/BrokenTargetPage.h"
#include "ui/ReplaceDialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace orvel;
using namespace orvel::test;

namespace {

const std::string Page = "<a href=\"a.html\">a.html</a>\n<a href=\"A.HTML\">\n<p>a.html\n"
                         "<a href=\"b&c.html\">\n<a href=\"d.htm\">\n";

class LinkPopup : public TMainWindowTest {
protected:
    LinkPopup() {
        PagePath = Site.Write("index.html", Page);
        Site.WriteSite({{"a.html", ""}, {"b&c.html", ""}, {"d.html", ""}});
        Open();
        Select("index.html");
        Form->Run.Settings.ExternalEditor = Editor.Path();
        Services.Messages.clear(); // the report of the check
    }
    ~LinkPopup() override { Form->LinkPopupMenu->hide(); }
    void Click(const QString& Link) { ClickItem(Form->ValidLinkList, Link); }
    QStringList TagJumpItems() {
        QStringList Captions;
        for (const QAction* Item : Form->TagJumpMenu->actions())
            Captions << Item->text();
        return Captions;
    }

    std::string PagePath;
    TRecordingProgram Editor;
};

TEST_F(LinkPopup, AClickOffersTheLinksPlacesRightOfTheCursor) {
    Click("a.html");
    EXPECT_EQ(Form->SelectedLinkText, "a.html");
    ASSERT_TRUE(Form->LinkPopupMenu->isVisible());
    EXPECT_EQ(Form->LinkPopupMenu->pos(), QCursor::pos() + QPoint(16, 0));
    EXPECT_TRUE(Form->ReplaceItem->isEnabled());
    EXPECT_TRUE(Form->TagJumpItem->isEnabled());
    // Line breaks show as blanks; a piece begins after the place before it.
    EXPECT_EQ(TagJumpItems(),
              QStringList({"1: =\"a.html\">a.htm", "1: \">a.html</a>  <", "3: p>a.html  <a hr"}));
    Form->LinkPopupMenu->hide();

    // With IgnoreCase the places that differ in letter case come too; from the keyboard, where
    // the arrow keys only take the link and the Menu key opens the popup.
    Form->Run.Settings.IgnoreCase = true;
    Form->ValidLinkList->setFocus();
    Form->ValidLinkList->setCurrentRow(-1);
    Form->SelectedLinkText.clear();
    QTest::keyClick(Form->ValidLinkList, Qt::Key_Down);
    EXPECT_FALSE(Form->LinkPopupMenu->isVisible());
    EXPECT_EQ(Form->SelectedLinkText, "a.html");
    QTest::keyClick(Form->ValidLinkList, Qt::Key_Menu);
    EXPECT_TRUE(Form->LinkPopupMenu->isVisible());
    EXPECT_EQ(TagJumpItems().size(), 4);
    EXPECT_EQ(TagJumpItems().value(2), "2: =\"A.HTML\">  <p>");
}

TEST_F(LinkPopup, ATagJumpItemStartsTheEditorAtItsLine) {
    Form->Run.Settings.TagJumpCommandLineOption = "/j%N %F";
    Click("a.html");
    Form->TagJumpMenu->actions().value(2)->trigger();
    EXPECT_EQ(Editor.Arguments(), (std::vector<std::string>{"/j3", PagePath}));
}

TEST_F(LinkPopup, FromTheKeyboardEnterJumpsAndTheMenuKeyOpensThePopupAtTheItem) {
    Form->Run.Settings.TagJumpCommandLineOption = "/j%N %F";
    QListWidget* List = Form->ValidLinkList;
    const QListWidgetItem* Item = List->findItems("b&c.html", Qt::MatchExactly).value(0);
    ASSERT_TRUE(Item);
    List->setFocus();
    ASSERT_TRUE(List->hasFocus());
    for (const Qt::Key Key : {Qt::Key_Return, Qt::Key_Enter}) {
        List->setCurrentItem(const_cast<QListWidgetItem*>(Item), QItemSelectionModel::NoUpdate);
        QTest::keyClick(List, Key); // as a double click: the link's first place
        EXPECT_EQ(Editor.Arguments(), (std::vector<std::string>{"/j4", PagePath}));
    }

    QCursor::setPos(0, 0); // the mouse is elsewhere
    for (const QKeyCombination Key : {QKeyCombination(Qt::Key_Menu), Qt::SHIFT | Qt::Key_F10}) {
        List->setCurrentItem(const_cast<QListWidgetItem*>(Item), QItemSelectionModel::NoUpdate);
        QTest::keyClick(List, Key.key(), Key.keyboardModifiers());
        ASSERT_TRUE(Form->LinkPopupMenu->isVisible());
        EXPECT_EQ(Form->SelectedLinkText, "b&c.html");
        const QRect Row(List->viewport()->mapToGlobal(List->visualItemRect(Item).topLeft()),
                        List->visualItemRect(Item).size());
        const QPoint At = Form->LinkPopupMenu->pos();
        EXPECT_TRUE(At.x() > Row.left() && At.x() < Row.right() &&
                    std::abs(At.y() - Row.bottom()) <= 2)
            << At.x() << "," << At.y();
        Form->LinkPopupMenu->hide();
    }
}

TEST_F(LinkPopup, AFileChangedOrDeletedSinceTheCheck) {
    Site.Write("index.html", "nothing here any more");
    Click("a.html");
    EXPECT_TRUE(Form->LinkPopupMenu->isVisible());
    EXPECT_FALSE(Form->TagJumpItem->isEnabled());
    EXPECT_TRUE(Form->ReplaceItem->isEnabled());
    Form->LinkPopupMenu->hide();

    ::unlink(PagePath.c_str());
    Click("a.html");
    EXPECT_FALSE(Form->LinkPopupMenu->isVisible());
    ASSERT_EQ(Services.Messages.size(), 1u);
    EXPECT_EQ(Services.Messages[0].Text, "ファイルをオープンできません\r\n" + PagePath);
}

TEST_F(LinkPopup, TheReplacementDialogShowsTheLinkAndReplacesItWhereItIsALink) {
    ui::TReplaceDialog& Dialog = *Form->ReplaceDialog;
    const auto Answer = [&](const QString& NewText, bool Ok) {
        QTimer::singleShot(0, [&, NewText, Ok] {
            EXPECT_TRUE(Dialog.isVisible());
            EXPECT_EQ(Dialog.windowTitle(), "文字列の置換");
            EXPECT_EQ(Dialog.FileNameLabel->text(), "index.html");
            EXPECT_EQ(Dialog.OriginalEdit->text(), "b&c.html"); // the ampersand stays visible
            EXPECT_EQ(Dialog.ReplacementEdit->text(), "b&c.html");
            EXPECT_EQ(Dialog.PlacesLabel->text(),
                      "リンクが属性値として書かれている 1 か所を置換します");
            EXPECT_EQ(Dialog.focusWidget(), Dialog.ReplacementEdit);
            EXPECT_TRUE(Dialog.OKButton->isDefault());
            Dialog.ReplacementEdit->setText(NewText);
            if (Ok)
                QTest::keyClick(Dialog.ReplacementEdit, Qt::Key_Return);
            else
                QTest::keyClick(Dialog.ReplacementEdit, Qt::Key_Escape);
        });
        Form->ReplaceItem->trigger();
    };
    Click("b&c.html");
    Form->LinkPopupMenu->hide();
    Answer("x.html", false);
    EXPECT_EQ(ReadWholeFile(PagePath), Page);
    EXPECT_TRUE(Services.Messages.empty());

    Answer("x.html", true);
    EXPECT_EQ(ReadWholeFile(PagePath), ReplaceAll(Page, "b&c.html", "x.html"));
    EXPECT_EQ(Services.Beeps.back(), TBeepKind::bkInformation);
    ASSERT_EQ(Services.Messages.size(), 1u);
    EXPECT_EQ(Services.Messages[0].Text, "1 か所を置換しました");
    // The lists follow at once: the new link leads nowhere.
    EXPECT_TRUE(Items(Form->ValidLinkList).filter("b&c.html").isEmpty());
    EXPECT_EQ(Items(Form->InvalidLinkList).filter("x.html").size(), 1);
    for (const char* Label : {"ファイル名 :", "置換前", "↓", "置換後"}) {
        bool Shown = false;
        for (const QLabel* L : Dialog.findChildren<QLabel*>())
            Shown = Shown || L->text() == Label;
        EXPECT_TRUE(Shown) << Label;
    }
    EXPECT_EQ(Dialog.CancelButton->text(), "キャンセル");
}

TEST_F(LinkPopup, AnInvalidLinkTellsWhyAndProposesItsSuggestionForReplacement) {
    const QString Hint = "無効の理由: 拡張子（修正候補: d.html）";
    // On a case-sensitive disk A.HTML is a link of its own, and broken.
    ASSERT_EQ(Items(Form->InvalidLinkList), (QStringList{"A.HTML", "d.htm"}));
    EXPECT_EQ(Form->InvalidLinkList->item(1)->toolTip(), "d.htm\n" + Hint);
    // The current item, however it came to be current, says why.
    Form->InvalidLinkList->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    EXPECT_EQ(Form->StatusLine->text(), Hint);
    Form->Run.SetStatusText("");
    ClickItem(Form->InvalidLinkList, "d.htm");
    EXPECT_EQ(Form->StatusLine->text(), Hint);
    ASSERT_TRUE(Form->ReplaceWithSuggestionItem->isVisible());
    EXPECT_EQ(Form->ReplaceWithSuggestionItem->text(), "修正候補に置換");
    ui::TReplaceDialog& Dialog = *Form->ReplaceDialog;
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(Dialog.OriginalEdit->text(), "d.htm");
        EXPECT_EQ(Dialog.ReplacementEdit->text(), "d.html");
        QTest::keyClick(Dialog.ReplacementEdit, Qt::Key_Return);
    });
    Form->ReplaceWithSuggestionItem->trigger();
    EXPECT_EQ(ReadWholeFile(PagePath), ReplaceAll(Page, "d.htm", "d.html"));

    Click("a.html"); // a valid link has no suggestion
    EXPECT_FALSE(Form->ReplaceWithSuggestionItem->isVisible());
}

TEST_F(LinkPopup, TheThirdPageFixesABrokenTargetEverywhereAndUndoTakesItBack) {
    Site.Write("sub/other.html", "<a href=\"../d.htm\"><a href=../d.htm>");
    Form->ReopenButtonClick();
    EXPECT_EQ(Form->Run.Tree.Selected(), Node("index.html")); // Reopen keeps the selection
    Form->InfoPages->setCurrentWidget(Form->BrokenTargetPage);
    QTreeWidget* Targets = Form->BrokenTargetPage->Targets;
    const auto Listed = [&] {
        QStringList Texts;
        for (int I = 0; I < Targets->topLevelItemCount(); ++I)
            Texts << Targets->topLevelItem(I)->text(0) + " " + Targets->topLevelItem(I)->text(3) +
                         "/" + Targets->topLevelItem(I)->text(4);
        return Texts;
    };
    ASSERT_EQ(Listed(), QStringList({"d.htm 2/3", "A.HTML 1/1"})); // pages/places
    Targets->setCurrentItem(Targets->topLevelItem(0));
    Targets->expandItem(Targets->topLevelItem(0));
    EXPECT_EQ(Targets->topLevelItem(0)->child(0)->text(0), "sub/other.html : 1");
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(Form->ReplaceDialog->ReplacementEdit->isReadOnly(), true); // each its own text
        EXPECT_EQ(Form->ReplaceDialog->PlacesLabel->text(),
                  "リンクが属性値として書かれている 2 個のファイルの 3 か所を置換します");
        Form->ReplaceDialog->accept();
    });
    QTest::mouseClick(Form->BrokenTargetPage->FixButton, Qt::LeftButton);
    EXPECT_EQ(Services.Messages.back().Text, "2 個のファイルの 3 か所を置換しました");
    EXPECT_EQ(ReadWholeFile(Site.Path() + "sub/other.html"),
              "<a href=\"../d.html\"><a href=../d.html>");
    EXPECT_EQ(Listed(), QStringList({"A.HTML 1/1"})); // fixed: no longer listed

    ASSERT_TRUE(Form->UndoButton->isEnabled());
    QTest::mouseClick(Form->UndoButton, Qt::LeftButton);
    EXPECT_EQ(ReadWholeFile(PagePath), Page);
    EXPECT_EQ(Listed(), QStringList({"d.htm 2/3", "A.HTML 1/1"}));
    EXPECT_FALSE(Form->UndoButton->isEnabled());
}

TEST_F(LinkPopup, TheSecondPageListsWhoLinksHereAndADoubleClickSelectsIt) {
    EXPECT_EQ(Form->InfoPages->tabText(1), "リンク元");
    Select("a.html");
    EXPECT_TRUE(Items(Form->BackLinkPage).isEmpty()); // filled only while it is shown
    Form->InfoPages->setCurrentIndex(1);
    // Then the page whose invalid link would lead here once its case is mended.
    ASSERT_EQ(Items(Form->BackLinkPage),
              QStringList({"index.html", "無効リンク（修正するとこのファイルを指すもの）",
                           "index.html: A.HTML"}));
    QListWidgetItem* Item = Form->BackLinkPage->item(0);
    const QRect Place = Form->BackLinkPage->visualItemRect(Item);
    ASSERT_TRUE(Form->BackLinkPage->isVisible());
    // A double click: the press of its first click, then the second.
    QTest::mousePress(Form->BackLinkPage->viewport(), Qt::LeftButton, {}, Place.center());
    QTest::mouseRelease(Form->BackLinkPage->viewport(), Qt::LeftButton, {}, Place.center());
    QTest::mouseDClick(Form->BackLinkPage->viewport(), Qt::LeftButton, {}, Place.center());
    ASSERT_TRUE(Form->Run.Tree.Selected());
    EXPECT_EQ(Form->Run.Tree.Selected()->Text, "index.html");
    EXPECT_TRUE(Items(Form->BackLinkPage).isEmpty()); // nothing links to index.html
}

} // namespace
