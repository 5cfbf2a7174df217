// The tree's commands driven through their shortcuts and menu items: TOP marks, exclusions and
// deletions, with what the tree, the link lists and the project window show afterwards.
#include "GuiTestSupport.h"

#include "analysis/NodePictures.h"
#include "support/CodePage.h"
#include "ui/ProjectWindow.h"
#include "ui/SiteTreeModel.h"

#include <QAction>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace orvel;
using namespace orvel::test;
using orvel::ui::TSiteTreeModel;

namespace {

class MainWindowCommands : public TMainWindowTest {
protected:
    MainWindowCommands() {
        Site.WriteSite({{"index.html", "<a href=a.html><a href=docs/guide.html><a href=gone.html>"},
                        {"a.html", "<a name=top><a href=b.html>"},
                        {"b.html", ""},
                        {"docs/guide.html", "<a href=../index.html>"},
                        {"docs/index.html", ""},
                        {"docs/deep/x.html", ""},
                        {"docs/deep/y.HTML", ""},
                        {"docs/deep/z.htm", ""},
                        {"img/logo.gif", ""}});
        Open();
    }
    void Press(const std::string& Selected, QKeyCombination Key) {
        Select(Selected);
        Form->SiteTreeView->setFocus();
        QTest::keyClick(Form->SiteTreeView, Key.key(), Key.keyboardModifiers());
    }
    TFileObject& File(const std::string& Relative) { return *Node(Relative)->Data; }
    QListWidget* TopList() { return Form->ProjectWindow->TopFileList; }
    QListWidget* IgnoreList() { return Form->ProjectWindow->IgnoreFileList; }
};

TEST_F(MainWindowCommands, CtrlTSetsAndThenRemovesTheTopMark) {
    // Every node with children is expanded, and stays so: the marks change no rows.
    Form->ExpandAllItem->trigger();
    QSignalSpy Resets(Form->TreeModel, &QAbstractItemModel::modelReset);
    Press("index.html", Qt::CTRL | Qt::Key_T);
    EXPECT_EQ(File("index.html").ReachState, rsTop);
    EXPECT_EQ(File("b.html").ReachState, rsReached);
    EXPECT_EQ(TopList()->count(), 1);
    Press("index.html", Qt::CTRL | Qt::Key_T);
    EXPECT_EQ(TopList()->count(), 0);
    // Without a TOP page nothing is reached, as in a site that never had one.
    EXPECT_EQ(Node("index.html")->StateIndex, pic::NotReached);
    EXPECT_EQ(File("b.html").ReachState, rsUnreached);
    EXPECT_EQ(File("docs/deep/x.html").ReachState, rsUnreached);
    EXPECT_EQ(Resets.count(), 0);
    for (const char* Parent : {"", "a.html", "docs", "docs/deep"})
        EXPECT_TRUE(Form->SiteTreeView->isExpanded(Form->TreeModel->IndexOf(Node(Parent))))
            << Parent;
}

TEST_F(MainWindowCommands, CtrlDTogglesAndExcludingATopPageDropsIt) {
    Press("a.html", Qt::CTRL | Qt::Key_D);
    EXPECT_EQ(Node("a.html")->OverlayIndex, pic::ExcludedOverlay);
    EXPECT_EQ(IgnoreList()->count(), 1);
    Press("a.html", Qt::CTRL | Qt::Key_D);
    EXPECT_EQ(Node("a.html")->OverlayIndex, -1);
    EXPECT_EQ(IgnoreList()->count(), 0);

    Press("index.html", Qt::CTRL | Qt::Key_T);
    Press("index.html", Qt::CTRL | Qt::Key_D);
    EXPECT_EQ(TopList()->count(), 0);
    EXPECT_EQ(Node("index.html")->StateIndex, pic::Reached);
    EXPECT_EQ(Items(IgnoreList()),
              QStringList{QString::fromStdString(AnsiUpperCase(Site.Path() + "index.html"))});
}

TEST_F(MainWindowCommands, MenuItemsExcludeFoldersNamesAndExtensions) {
    const std::tuple<std::string, QAction*, int> Cases[] = {
        {"docs", Form->IgnoreItem, 5},                    // nested folders too
        {"a.html/top", Form->IgnoreItem, 0},              // an anchor has nothing below
        {"docs/index.html", Form->SameNameIgnoreItem, 2}, // across folders
        {"docs/deep/y.HTML", Form->SameExtIgnoreItem, 7}, // .html and .HTML, not .htm
        {"", Form->IgnoreItem, 0},                        // not offered for the root
    };
    for (const auto& [Name, Item, Excluded] : Cases) {
        SCOPED_TRACE(Name);
        Form->Run.CurrentProject.ClearIgnoreFiles();
        for (const auto& F : Form->Run.FileObjects)
            F->SetIgnored(false);
        Select(Name);
        Item->trigger();
        EXPECT_EQ(IgnoreList()->count(), Excluded);
    }
}

TEST_F(MainWindowCommands, DelDeletesAfterConfirmingAndSelectsTheNodeBelow) {
    Press("b.html", Qt::CTRL | Qt::Key_T);
    Press("a.html", Qt::CTRL | Qt::Key_D);
    Press("b.html", Qt::Key_Delete);
    EXPECT_EQ(Services.Beeps.back(), TBeepKind::bkQuestion);
    EXPECT_EQ(Services.Messages.back().Text,
              "'b.html'を削除します\r\n1 "
              "個のファイルがこのファイルにリンクしています\r\nよろしいですか？");
    EXPECT_FALSE(FileExists(Site.Path() + "b.html"));
    EXPECT_TRUE(FileExists(TrashFiles() + "b.html"));
    EXPECT_EQ(FindNodeByPath(Form->Run, Site.Path() + "b.html", false), nullptr);
    EXPECT_EQ(TopList()->count(), 0);
    EXPECT_EQ(TSiteTreeModel::NodeOf(Form->SiteTreeView->currentIndex()), Node("index.html"));
    EXPECT_EQ(Items(Form->ValidLinkList), QStringList({"a.html", "docs/guide.html"}));
    // The link to the deleted file is invalid at once, without Reopen.
    Select("a.html");
    EXPECT_EQ(Items(Form->InvalidLinkList), QStringList{"b.html"});
    EXPECT_EQ(Node("a.html")->ImageIndex, pic::BluePage);

    Press("a.html", Qt::Key_Delete);
    EXPECT_EQ(IgnoreList()->count(), 0);
}

TEST_F(MainWindowCommands, DelDoesNothingOnTheRootAndAFailedDeletionChangesNothing) {
    TRefusingFileSystem ReadOnlyFolder;
    Form->Run.FileSystem = &ReadOnlyFolder;
    const int Nodes = Form->Run.Tree.NodeCount();
    Services.Messages.clear(); // the report of the check
    Press("", Qt::Key_Delete);
    EXPECT_TRUE(Services.Messages.empty());
    Press("b.html", Qt::Key_Delete);
    EXPECT_EQ(Services.Messages.back().Text, "ファイルを削除できませんでした");
    EXPECT_EQ(Form->Run.Tree.NodeCount(), Nodes);
    EXPECT_EQ(Form->Run.Tree.Selected(), Node("b.html"));
    EXPECT_EQ(File("b.html").Path, Site.Path() + "b.html");
}

TEST_F(MainWindowCommands, WhatAnotherProgramChangesOnDiskIsTakenInAMomentLater) {
    Select("docs/guide.html");
    Site.Write("docs/guide.html", "<a href=../index.html><a href=../missing.html>");
    ::unlink((Site.Path() + "b.html").c_str());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Form->InvalidLinkList->count() == 1; }));
    EXPECT_EQ(Items(Form->InvalidLinkList), QStringList{"../missing.html"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return Node("b.html") == nullptr; }));
    Select("a.html");
    EXPECT_EQ(Items(Form->InvalidLinkList), QStringList{"b.html"});

    // A new page is found by checking the site again, without the end-of-check box; the
    // selection and the open folders stay.
    const size_t Messages = Services.Messages.size();
    Form->SiteTreeView->expand(Form->TreeModel->IndexOf(Node("docs")));
    Site.Write("docs/deep/new.html", "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Node("docs/deep/new.html") != nullptr; }));
    EXPECT_EQ(Form->Run.Tree.Selected(), Node("a.html"));
    EXPECT_TRUE(Form->SiteTreeView->isExpanded(Form->TreeModel->IndexOf(Node("docs"))));
    EXPECT_EQ(Services.Messages.size(), Messages);
}

} // namespace
