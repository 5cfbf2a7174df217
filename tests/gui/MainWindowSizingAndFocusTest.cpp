// The main window with long names and texts, and from the keyboard: the window keeps its size,
// lists and tree scroll sideways to their longest entry, the tree holds the keyboard; its size,
// state and place from one start to the next.
#include "GuiTestSupport.h"

#include "analysis/CheckRun.h"
#include "support/IniFile.h"
#include "ui/MainWindow.h"
#include "ui/ProjectWindow.h"
#include "ui/SiteTreeModel.h"
#include "ui/WrappedToolTip.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace orvel;
using namespace orvel::test;
using namespace orvel::ui;

namespace {

const std::string LongName = std::string(200, 'x') + ".html";
const std::string LongLink = "missing-" + std::string(180, 'y') + ".html";

class MainWindowSizingAndFocusTest : public ::testing::Test {
protected:
    MainWindowSizingAndFocusTest() {
        Site.WriteSite({{"index.html", "<a href=" + LongName + ">"},
                        {LongName, "<a href=gone.html><a href=" + LongLink + ">"}});
        Form = std::make_unique<TMainWindow>(Services, Config.Path() + "uoorvel.ini");
        Form->Run.PumpInterval = std::chrono::milliseconds(0);
        Form->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    }

    QModelIndex IndexOf(const std::string& Relative) {
        return Form->TreeModel->IndexOf(FindNodeByPath(Form->Run, Site.Path() + Relative, false));
    }

    TTempDir Site, Config;
    TRecordingServices Services;
    std::unique_ptr<TMainWindow> Form;
};

TEST_F(MainWindowSizingAndFocusTest, LongTextsScrollAndNeverWidenTheWindow) {
    const int Width = Form->width();
    Form->Run.SetStatusText(std::string(400, 's'));
    QApplication::processEvents();
    EXPECT_EQ(Form->width(), Width);

    OpenFolder(Form->Run, Site.Path());
    Form->SiteTreeView->setCurrentIndex(IndexOf(LongName));
    QApplication::processEvents();
    EXPECT_EQ(Form->width(), Width);

    // The longest entry is reachable with the horizontal scroll bar, and its tooltip is whole.
    const auto Reaches = [](QAbstractItemView* View, const QModelIndex& Index) {
        const int TextWidth = View->fontMetrics().horizontalAdvance(Index.data().toString());
        return View->horizontalScrollBar()->maximum() + View->viewport()->width() >= TextWidth &&
               View->visualRect(Index).width() >= TextWidth;
    };
    ASSERT_EQ(Form->InvalidLinkList->count(), 2);
    const QListWidgetItem* LongItem = Form->InvalidLinkList->item(1); // after the short one
    EXPECT_EQ(LongItem->text().toStdString(), LongLink);
    // The whole link, then why it is invalid.
    EXPECT_TRUE(LongItem->toolTip().startsWith(LongItem->text() + u'\n'))
        << LongItem->toolTip().toStdString();
    // Shown, it wraps, inside the link too.
    QWidget* Viewport = Form->InvalidLinkList->viewport();
    const QPoint At = Form->InvalidLinkList->visualItemRect(LongItem).center();
    QHelpEvent Hover(QEvent::ToolTip, At, Viewport->mapToGlobal(At));
    QApplication::sendEvent(Viewport, &Hover);
    EXPECT_EQ(QToolTip::text(), WrappedToolTip(LongItem->toolTip()));
    for (const auto& [Plain, Wrapped] :
         {std::pair{QString(61, 'x') + "<&", QString(60, 'x') + u'\u200B' + "x&lt;&amp;"},
          std::pair{QString(60, 'x') + " \n" + QString(60, 'x'),
                    QString(60, 'x') + " \n" + QString(60, 'x')}})
        EXPECT_EQ(WrappedToolTip(Plain), "<p style='white-space:pre-wrap'>" + Wrapped + "</p>");
    EXPECT_TRUE(Reaches(Form->InvalidLinkList, Form->InvalidLinkList->indexFromItem(LongItem)));
    EXPECT_TRUE(Reaches(Form->SiteTreeView, IndexOf(LongName)));

    struct TCase {
        QModelIndex Index;
        std::string ToolTip;
    };
    const QModelIndex Root = Form->TreeModel->index(0, 0);
    const QModelIndex File = IndexOf(LongName);
    for (const TCase& C : {TCase{Root, Site.Path()}, TCase{File, Site.Path() + LongName}})
        EXPECT_EQ(C.Index.data(Qt::ToolTipRole).toString().toStdString(), C.ToolTip);
}

TEST_F(MainWindowSizingAndFocusTest, TheTreeGettingTheFocusSelectsNothing) {
    OpenFolder(Form->Run, Site.Path());
    Form->OpenFolderButton->setFocus();
    Form->SiteTreeView->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(Form->SiteTreeView->hasFocus());
    EXPECT_EQ(Form->Run.Tree.Selected(), nullptr);
    EXPECT_FALSE(Form->SiteTreeView->selectionModel()->hasSelection());
    EXPECT_EQ(Form->StatusLine->text(), "トップページを指定してください");
}

TEST_F(MainWindowSizingAndFocusTest, KeyboardReachesTreeMenuAndLists) {
    const std::string Project =
        Config.Write("site.opr", "[OrvelProject]\nHomeDir=" + Site.Path() + "\n");
    Form->Start({QString::fromStdString(Project)});
    EXPECT_EQ(QApplication::focusWidget(), Form->SiteTreeView);

    EXPECT_EQ(Form->OpenWithExternalApp->shortcut().toString(QKeySequence::NativeText), "Enter");
    EXPECT_EQ(Form->OpenWithBrowser->shortcut().toString(QKeySequence::NativeText), "Shift+Enter");
    Form->SiteTreeView->setCurrentIndex(IndexOf("index.html"));
    QSignalSpy Opened(Form->OpenWithExternalApp, &QAction::triggered);
    QTest::keyClick(Form->SiteTreeView, Qt::Key_Return);
    QTest::keyClick(Form->SiteTreeView, Qt::Key_Enter);
    EXPECT_EQ(Opened.count(), 2);

    QTest::keyClick(Form->SiteTreeView, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(Form->TreePopupMenu->isVisible());
    const QRect Viewport(Form->SiteTreeView->viewport()->mapToGlobal(QPoint()),
                         Form->SiteTreeView->viewport()->size());
    EXPECT_TRUE(Viewport.contains(Form->TreePopupMenu->pos())); // at the node, not beyond it
    Form->TreePopupMenu->hide();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));

    // An empty list shows that it holds the keyboard.
    Form->SiteTreeView->setCurrentIndex(Form->TreeModel->index(0, 0));
    ASSERT_EQ(Form->ValidLinkList->count(), 0);
    const QImage Unfocused = Form->ValidLinkList->grab().toImage();
    Form->ValidLinkList->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(Form->ValidLinkList->hasFocus());
    EXPECT_NE(Form->ValidLinkList->grab().toImage(), Unfocused);
}

// A window started as the program starts it, over a settings file of that text.
std::unique_ptr<TMainWindow> StartWith(TRecordingServices& Services, const TTempDir& Config,
                                       const std::string& Text) {
    auto Form = std::make_unique<TMainWindow>(Services, Config.Write("uoorvel.ini", Text));
    Form->show();
    Form->Start({});
    return Form;
}

TEST(WindowState, SizeMaximisedStateAndPlaceLastFromOneStartToTheNext) {
    const QRect Area = QGuiApplication::primaryScreen()->availableGeometry();
    struct TCase {
        std::string Stored;
        QRect Normal;
        bool Maximized;
    };
    const std::string Place = "[WindowState]\nLeft=20\nTop=30\nWidth=500\nHeight=400\n";
    // The place is the frame's top-left corner and the inner size.
    for (const TCase& C : {
             TCase{Place + "Maximized=1\n", {20, 30, 500, 400}, true},
             TCase{Place + "Maximized=0\n", {20, 30, 500, 400}, false},
             // A screen that is gone: onto the nearest one.
             TCase{"[WindowState]\nLeft=9000\nTop=-9000\nWidth=500\nHeight=400\n",
                   {Area.right() - 499, Area.top(), 500, 400},
                   false},
         }) {
        TTempDir Config;
        TRecordingServices Services;
        auto Form = StartWith(Services, Config, C.Stored);
        EXPECT_EQ(Form->isMaximized(), C.Maximized) << C.Stored;
        if (!C.Maximized) {
            EXPECT_EQ(QRect(Form->pos(), Form->size()), C.Normal) << C.Stored;
        }
        Form->close();
        const TWindowStates Kept = ReadWindowStates(TIniFile(Config.Path() + "uoorvel.ini"));
        EXPECT_EQ(QRect(Kept.Left, Kept.Top, Kept.Width, Kept.Height), C.Normal) << C.Stored;
        EXPECT_EQ(Kept.Maximized, C.Maximized);
    }
}

TEST(WindowState, TheProjectWindowFirstComesUpBesideTheMainWindow) {
    TTempDir Config;
    TRecordingServices Services;
    auto Form =
        StartWith(Services, Config, "[WindowState]\nLeft=0\nTop=0\nWidth=300\nHeight=400\n");
    const QRect Project = Form->ProjectWindow->frameGeometry();
    EXPECT_TRUE(Form->ProjectWindow->isVisible());
    // The offscreen screen has no room beside it: at its right edge, inside the screen.
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(Project));
}

} // namespace
