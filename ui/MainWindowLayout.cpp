// TMainWindow's layout: the toolbar, the site's tree, the information pages and the status line,
// and the connections of the tree view and the pages.
#include "ui/MainWindow.h"

#include "analysis/ExternalApps.h"
#include "analysis/NodePictures.h"
#include "ui/BackLinkPage.h"
#include "ui/BrokenTargetPage.h"
#include "ui/Encoding.h"
#include "ui/Panels.h"
#include "ui/SiteTreeModel.h"
#include "ui/TreePictures.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace orvel::ui {

namespace {

// A pane of the link area: a header line over a list.
QWidget* LinkPane(const QString& Header, QListWidget*& List, QWidget* Parent) {
    auto* Pane = new QWidget(Parent);
    auto* Layout = new QVBoxLayout(Pane);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    auto* Title = SunkenLabel(Header, Pane);
    Title->setFixedHeight(17);
    // Items keep their own widths, so the list scrolls sideways to its longest link. The frame
    // turns to the highlight colour while the list has the keyboard, even when it is empty.
    List = new QListWidget(Pane);
    List->setStyleSheet(
        QStringLiteral("QListWidget { border: 1px solid palette(mid); }"
                       "QListWidget:focus { border: 1px solid palette(highlight); }"));
    Layout->addWidget(Title);
    Layout->addWidget(List);
    return Pane;
}

// A bar of fixed height, and the row that holds its widgets.
QHBoxLayout* NewBarRow(QWidget* Parent, int Height, const QMargins& Margins, int Spacing) {
    auto* Bar = new QWidget(Parent);
    Bar->setFixedHeight(Height);
    auto* Row = new QHBoxLayout(Bar);
    Row->setContentsMargins(Margins);
    Row->setSpacing(Spacing);
    return Row;
}

// The toolbar's caption font: small Arial, narrowed where its fallback would not fit the
// 41-pixel buttons.
QFont ToolCaptionFont() {
    QFont CaptionFont(QStringLiteral("Arial"));
    CaptionFont.setPixelSize(11);
    if (QFontMetrics(CaptionFont).horizontalAdvance(QStringLiteral("Reopen")) > 34)
        CaptionFont.setStretch(QFont::Condensed);
    if (QFontMetrics(CaptionFont).horizontalAdvance(QStringLiteral("Reopen")) > 34)
        CaptionFont.setPixelSize(10);
    return CaptionFont;
}

// A toolbar button: its picture over its caption, raised only under the mouse.
QToolButton* NewToolButton(const QString& Caption, const QString& Hint, TToolGlyph Glyph,
                           const QFont& CaptionFont, QWidget* ToolBar) {
    auto* B = new QToolButton(ToolBar);
    B->setText(Caption);
    B->setToolTip(Hint);
    B->setIcon(ToolIcon(Glyph));
    B->setIconSize(QSize(22, 22));
    B->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    B->setAutoRaise(true);
    B->setFixedSize(41, 41);
    B->setFont(CaptionFont);
    return B;
}

} // namespace

// The window: the tree pane beside the information pages, over the status line.
void TMainWindow::BuildLayout() {
    resize(700, 498);
    auto* Central = new QWidget(this);
    auto* Outer = new QVBoxLayout(Central);
    Outer->setContentsMargins(0, 0, 0, 0);
    Outer->setSpacing(0);
    auto* Columns = new QSplitter(Qt::Horizontal, Central);
    Columns->setHandleWidth(3);
    Columns->setChildrenCollapsible(false);
    QWidget* TreePane = BuildTreePane(Columns);
    BuildInfoPages(Columns);
    Columns->addWidget(TreePane);
    Columns->addWidget(InfoPages);
    Columns->setStretchFactor(1, 1);
    Columns->setSizes({336, 360});
    QWidget* Bottom = BuildStatusLine(Central);
    Outer->addWidget(Columns, 1);
    Outer->addWidget(Bottom);
    setCentralWidget(Central);

    ConnectSiteTreeView();
    Run.Tree.SetText(Run.Tree.Root(), "homepage");
    ShowSitePictures(Run.Tree);
}

// The left column: the toolbar, the header line and the site's tree.
QWidget* TMainWindow::BuildTreePane(QWidget* Parent) {
    auto* Pane = new QWidget(Parent);
    auto* Layout = new QVBoxLayout(Pane);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    QWidget* ToolBar = BuildToolBar(Pane);
    TreeTitlePanel = SunkenLabel(QTr("指定フォルダ以下の全ファイル"), Pane);
    TreeTitlePanel->setFixedHeight(17);
    BuildSiteTreeView(Pane);
    Layout->addWidget(ToolBar);
    Layout->addWidget(TreeTitlePanel);
    Layout->addWidget(SiteTreeView);
    return Pane;
}

QWidget* TMainWindow::BuildToolBar(QWidget* Parent) {
    QHBoxLayout* Layout = NewBarRow(Parent, 49, QMargins(2, 4, 2, 4), 0);
    QWidget* ToolBar = Layout->parentWidget();
    const QFont CaptionFont = ToolCaptionFont();
    const auto Button = [&](QToolButton*& B, const QString& Caption, const QString& Hint,
                            TToolGlyph Glyph, void (TMainWindow::*Handler)()) {
        B = NewToolButton(Caption, Hint, Glyph, CaptionFont, ToolBar);
        Layout->addWidget(B);
        connect(B, &QToolButton::clicked, this, Handler);
    };
    Button(OpenFolderButton, QTr("&Folder"), QTr("ホームページのフォルダを開く"),
           TToolGlyph::Folder, &TMainWindow::OpenFolderButtonClick);
    Button(OpenProjectButton, QTr("&Open"), QTr("Projectファイルを開く (Ctrl+O)"), TToolGlyph::Open,
           &TMainWindow::OpenProjectButtonClick);
    Button(SaveProjectButton, QTr("&Save"),
           QTr("Projectファイルの保存\n上書き保存 (Ctrl+S)、名前を付けて保存 (Ctrl+Shift+S)"),
           TToolGlyph::Save, &TMainWindow::SaveProjectButtonClick);
    Button(ReopenButton, QTr("&Reopen"), QTr("現在のフォルダを開き直す (F5)"), TToolGlyph::Reopen,
           &TMainWindow::ReopenButtonClick);
    Button(UndoButton, QTr("&Undo"), QTr("元に戻す (Ctrl+Z)"), TToolGlyph::Undo,
           &TMainWindow::UndoButtonClick);
    Button(HaltButton, QTr("&Halt"), QTr("中断 (Esc)"), TToolGlyph::Halt,
           &TMainWindow::HaltButtonClick);
    Button(SettingsButton, QTr("&Config"), QTr("いろいろ設定する"), TToolGlyph::Config,
           &TMainWindow::SettingsButtonClick);
    Button(AboutButton, QTr("&About"), QTr("Orvelについて"), TToolGlyph::About,
           &TMainWindow::AboutButtonClick);
    Layout->addStretch();
    AddKey(Qt::CTRL | Qt::Key_O, OpenProjectButton);
    AddKey(Qt::CTRL | Qt::SHIFT | Qt::Key_S, SaveProjectButton);
    AddKey(Qt::Key_F5, ReopenButton);
    AddKey(QKeySequence::Undo, UndoButton);
    AddKey(Qt::Key_Escape, HaltButton);
    new QShortcut(Qt::CTRL | Qt::Key_S, this, [this] {
        if (SaveProjectButton->isEnabled()) SaveProjectOverClick();
    });
    new QShortcut(Qt::CTRL | Qt::Key_Q, this, [this] { close(); });
    return ToolBar;
}

void TMainWindow::AddKey(const QKeySequence& Key, QToolButton* Button) {
    new QShortcut(Key, this, [Button] {
        if (Button->isEnabled()) Button->click();
    });
}

void TMainWindow::BuildSiteTreeView(QWidget* Parent) {
    SiteTreeView = new QTreeView(Parent);
    TreeModel = new TSiteTreeModel(Run.Tree, this);
    SiteTreeView->setModel(TreeModel);
    SiteTreeView->setHeaderHidden(true);
    SiteTreeView->setUniformRowHeights(true);
    SiteTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SiteTreeView->setIndentation(19);
    SiteTreeView->setIconSize(QSize(2 * PictureSize + 2, PictureSize));
    SiteTreeView->setContextMenuPolicy(Qt::CustomContextMenu);
    SiteTreeView->setExpandsOnDoubleClick(false);
    // Names are shown whole: the column is as wide as its rows and the tree scrolls sideways.
    SiteTreeView->header()->setStretchLastSection(false);
    SiteTreeView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    SiteTreeView->viewport()->installEventFilter(this);
}

// The right column: the three link lists, the back links and the broken targets.
void TMainWindow::BuildInfoPages(QWidget* Parent) {
    InfoPages = new QTabWidget(Parent);
    auto* Panes = new QSplitter(Qt::Vertical);
    Panes->setHandleWidth(3);
    Panes->addWidget(LinkPane(QTr("有効リンク"), ValidLinkList, Panes));
    Panes->addWidget(LinkPane(QTr("無効リンク"), InvalidLinkList, Panes));
    Panes->addWidget(LinkPane(QTr("外部リンク"), ExternalLinkList, Panes));
    Panes->setStretchFactor(1, 1);
    Panes->setSizes({137, 180, 156});
    InfoPages->addTab(Panes, QTr("HTMLファイルの情報"));
    BackLinkPage = new TBackLinkPage(Run);
    InfoPages->addTab(BackLinkPage, QTr("リンク元"));
    BrokenTargetPage = new TBrokenTargetPage(Run);
    InfoPages->addTab(BrokenTargetPage, QTr("無効リンク一覧"));
    ConnectInfoPages();
}

void TMainWindow::ConnectInfoPages() {
    // The back-link index and the broken targets of a large site take a moment to find: only a
    // shown page asks for them.
    connect(InfoPages, &QTabWidget::currentChanged, this, [this] {
        if (Run.Busy()) return;
        if (InfoPages->currentWidget() == BackLinkPage) BackLinkPage->ShowNode(SelectedNode());
        if (InfoPages->currentWidget() == BrokenTargetPage) BrokenTargetPage->Refresh();
    });
    const auto ChooseFile = [this](TTreeNode* Node) {
        if (!Run.Busy()) Run.Tree.Select(Node);
    };
    connect(BackLinkPage, &TBackLinkPage::FileChosen, this, ChooseFile);
    connect(BrokenTargetPage, &TBrokenTargetPage::FileChosen, this, ChooseFile);
    connect(BrokenTargetPage, &TBrokenTargetPage::TagJumpAsked, this,
            [this](TTreeNode* Node, int Line) {
                if (!Run.Busy() && Node && Node->Data && Line > 0)
                    TagJump(Run, *Node->Data, std::to_string(Line));
            });
    connect(BrokenTargetPage, &TBrokenTargetPage::FixAsked, this,
            &TMainWindow::FixTargetEverywhere);
}

// The status text, the count and the number of files, across the foot of the window.
QWidget* TMainWindow::BuildStatusLine(QWidget* Parent) {
    QHBoxLayout* Layout = NewBarRow(Parent, 20, QMargins(2, 0, 0, 0), 2);
    QWidget* Bottom = Layout->parentWidget();
    StatusLine = new QLabel(Bottom);
    StatusLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // a long text is cut
    CountPanel = SunkenLabel(QString(), Bottom);
    // Today's widths, wider where the language's texts need more.
    CountPanel->setMinimumWidth(88);
    FileCountPanel = SunkenLabel(QTr("総ファイル数"), Bottom);
    FileCountPanel->setMinimumWidth(149);
    Layout->addWidget(StatusLine, 1);
    Layout->addWidget(CountPanel);
    Layout->addWidget(FileCountPanel);
    return Bottom;
}

// The view and the tree follow each other; the view's keys and mouse reach the window.
void TMainWindow::ConnectSiteTreeView() {
    // Only a selection selects: the current node the view sets on focus does not.
    connect(SiteTreeView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { SelectInTree(); });
    // A batch update rebuilds the view: it opens the same nodes and stays where it was.
    connect(TreeModel, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { KeptScroll = SiteTreeView->verticalScrollBar()->value(); });
    connect(TreeModel, &TSiteTreeModel::TreeRebuilt, this, [this] {
        RestoreExpansion();
        SyncViewFromTree();
        SiteTreeView->verticalScrollBar()->setValue(KeptScroll);
    });
    connect(TreeModel, &TSiteTreeModel::TreeRepainted, SiteTreeView->viewport(),
            qOverload<>(&QWidget::update));
    connect(TreeModel, &TSiteTreeModel::TreeSelectionChanged, this, [this] { SyncViewFromTree(); });
    connect(SiteTreeView, &QTreeView::expanded, this, [this](const QModelIndex& I) {
        Run.Tree.NoteExpanded(*TSiteTreeModel::NodeOf(I), true);
    });
    connect(SiteTreeView, &QTreeView::collapsed, this, [this](const QModelIndex& I) {
        Run.Tree.NoteExpanded(*TSiteTreeModel::NodeOf(I), false);
    });
    connect(SiteTreeView, &QTreeView::doubleClicked, this, [this] { SiteTreeViewDblClick(); });
    connect(SiteTreeView, &QTreeView::customContextMenuRequested, this,
            &TMainWindow::ShowTreePopupMenu);
    // Shift+F10 is the Menu key's other name.
    new QShortcut(
        QKeySequence(Qt::SHIFT | Qt::Key_F10), SiteTreeView,
        [this] {
            QContextMenuEvent Event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
            QCoreApplication::sendEvent(SiteTreeView, &Event);
        },
        Qt::WidgetShortcut);
    SiteTreeView->installEventFilter(this);
}

} // namespace orvel::ui
