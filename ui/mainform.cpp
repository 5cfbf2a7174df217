#include "ui/mainform.h"

#include "analysis/CheckRun.h"
#include "analysis/FindUnreach.h"
#include "mylib/Assertion.h"
#include "mylib/CodePage.h"
#include "mylib/IniFile.h"
#include "ui/Encoding.h"
#include "ui/ImageList.h"
#include "ui/SHBFFEX.h"
#include "ui/SiteTreeModel.h"
#include "ui/UiServices.h"
#include "ui/about.h"
#include "ui/formOption.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace orvel::ui {

namespace {

QLabel* SunkenLabel(const QString& Text, QWidget* Parent) {
    auto* Label = new QLabel(Text, Parent);
    Label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return Label;
}

// A pane of the link area: a header line over a list.
QWidget* LinkPane(const QString& Header, QListWidget*& List, QWidget* Parent) {
    auto* Pane = new QWidget(Parent);
    auto* Layout = new QVBoxLayout(Pane);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    auto* Title = SunkenLabel(Header, Pane);
    Title->setFixedHeight(17);
    List = new QListWidget(Pane);
    List->setUniformItemSizes(true);
    Layout->addWidget(Title);
    Layout->addWidget(List);
    return Pane;
}

} // namespace

bool WindowPositionFits(int Left, int Top, QSize Window, QSize Screen) {
    return Left > 0 && Top > 0 && Left < Screen.width() - Window.width() &&
           Top < Screen.height() - Window.height();
}

TForm1::TForm1(TUiServices& Services, std::string SettingsPath, QWidget* Parent)
    : QMainWindow(Parent), Run(*this), Services(Services), SettingsPath(std::move(SettingsPath)) {
    setWindowTitle(QStringLiteral("Orvel (UnOfficial)"));
    Run.CurrentProject.SetViews(nullptr, nullptr, nullptr, this);
    BuildLayout();
    BuildPopupMenu();
    OptionForm = new TOptionForm(this);
    BrowseForFolder1 = new TSHBrowseForFolderEx(this);
    BrowseForFolder1->Caption = QStringLiteral("ホームページのフォルダを指定して下さい");
    BrowseForFolder1->Options = {TSHBrowseOption::sboReturnOnlyFSDirs,
                                 TSHBrowseOption::sboStatusTextAndShowPath};
    AboutBox1 = new TAboutBox1(QStringLiteral(ORVEL_VERSION_TEXT), this);
    RestoreWindowPosition();
    ReadSettingsFile();
    Run.BusyCount = 1;
    Run.EndBusy(); // every control into its idle state
    setAcceptDrops(true);
}

TForm1::~TForm1() {
    // The model observes the tree of Run, which goes before the window's children do.
    delete TreeModel;
}

void TForm1::FormClose() {
    Run.FileObjects.Clear();
    Assert(Run.FileObjects.Empty(), "mainform");
    // Where the window stood is kept for the next start; a failure goes unnoticed.
    try {
        TIniFile File(SettingsPath);
        WindowStates.Left = x();
        WindowStates.Top = y();
        WriteWindowStates(WindowStates, File);
        File.UpdateFile();
    } catch (const EIniWriteError&) {
    }
}

void TForm1::BuildLayout() {
    resize(589, 498);
    auto* Central = new QWidget(this);
    auto* Outer = new QVBoxLayout(Central);
    Outer->setContentsMargins(0, 0, 0, 0);
    Outer->setSpacing(0);
    auto* Columns = new QSplitter(Qt::Horizontal, Central);
    Columns->setHandleWidth(3);
    Columns->setChildrenCollapsible(false);

    auto* Left = new QWidget(Columns);
    auto* LeftLayout = new QVBoxLayout(Left);
    LeftLayout->setContentsMargins(0, 0, 0, 0);
    LeftLayout->setSpacing(0);
    auto* ToolBar = new QWidget(Left);
    ToolBar->setFixedHeight(49);
    auto* ToolLayout = new QHBoxLayout(ToolBar);
    ToolLayout->setContentsMargins(2, 4, 2, 4);
    ToolLayout->setSpacing(0);
    QFont CaptionFont(QStringLiteral("Arial"));
    CaptionFont.setPixelSize(11);
    // Where Arial falls back to a wider face, the captions still fit the 41-pixel buttons.
    if (QFontMetrics(CaptionFont).horizontalAdvance(QStringLiteral("Reopen")) > 34)
        CaptionFont.setStretch(QFont::Condensed);
    if (QFontMetrics(CaptionFont).horizontalAdvance(QStringLiteral("Reopen")) > 34)
        CaptionFont.setPixelSize(10);
    const auto Button = [&](QToolButton*& B, const QString& Caption, const QString& Hint,
                            TToolGlyph Glyph, void (TForm1::*Handler)()) {
        B = new QToolButton(ToolBar);
        B->setText(Caption);
        B->setToolTip(Hint);
        B->setIcon(ToolIcon(Glyph));
        B->setIconSize(QSize(22, 22));
        B->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        B->setAutoRaise(true);
        B->setFixedSize(41, 41);
        B->setFont(CaptionFont);
        ToolLayout->addWidget(B);
        connect(B, &QToolButton::clicked, this, Handler);
    };
    Button(OpenButton, "&Folder", "ホームページのフォルダを開く", TToolGlyph::Folder,
           &TForm1::OpenButtonClick);
    Button(OpenProjectBtn, "&Open", "Projectファイルを開く", TToolGlyph::Open,
           &TForm1::OpenProjectBtnClick);
    Button(SaveProjectBtn, "&Save", "Projectファイルの保存", TToolGlyph::Save,
           &TForm1::SaveProjectBtnClick);
    Button(ReopenButton, "&Reopen", "現在のフォルダを開き直す", TToolGlyph::Reopen,
           &TForm1::ReopenButtonClick);
    Button(StopButton, "&Halt", QString(), TToolGlyph::Halt, &TForm1::StopButtonClick);
    Button(OptionButton, "&Config", "いろいろ設定する", TToolGlyph::Config,
           &TForm1::OptionButtonClick);
    Button(AboutButton, "&About", "Orvelについて", TToolGlyph::About, &TForm1::AboutButtonClick);
    ToolLayout->addStretch();

    selectedFolderPanel = SunkenLabel(QStringLiteral("指定フォルダ以下の全ファイル"), Left);
    selectedFolderPanel->setFixedHeight(17);
    TreeView1 = new QTreeView(Left);
    TreeModel = new TSiteTreeModel(Run.Tree, this);
    TreeView1->setModel(TreeModel);
    TreeView1->setHeaderHidden(true);
    TreeView1->setUniformRowHeights(true);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setIndentation(19);
    TreeView1->setIconSize(QSize(2 * PictureSize + 2, PictureSize));
    TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    TreeView1->setExpandsOnDoubleClick(false);
    TreeView1->viewport()->installEventFilter(this);
    LeftLayout->addWidget(ToolBar);
    LeftLayout->addWidget(selectedFolderPanel);
    LeftLayout->addWidget(TreeView1);

    PageControl1 = new QTabWidget(Columns);
    auto* Panes = new QSplitter(Qt::Vertical);
    Panes->setHandleWidth(3);
    Panes->addWidget(LinkPane(QStringLiteral("有効リンク"), ListBox1, Panes));
    Panes->addWidget(LinkPane(QStringLiteral("無効リンク"), ListBox2, Panes));
    Panes->addWidget(LinkPane(QStringLiteral("外部リンク"), ListBox3, Panes));
    Panes->setStretchFactor(1, 1);
    Panes->setSizes({137, 180, 156});
    PageControl1->addTab(Panes, QStringLiteral("HTMLファイルの情報"));
    Columns->addWidget(Left);
    Columns->addWidget(PageControl1);
    Columns->setStretchFactor(1, 1);
    Columns->setSizes({281, 305});

    auto* Bottom = new QWidget(Central);
    Bottom->setFixedHeight(20);
    auto* BottomLayout = new QHBoxLayout(Bottom);
    BottomLayout->setContentsMargins(2, 0, 0, 0);
    BottomLayout->setSpacing(2);
    status = new QLabel(Bottom);
    CountPanel = SunkenLabel(QString(), Bottom);
    CountPanel->setFixedWidth(88);
    StatusBar1 = SunkenLabel(QStringLiteral("総ファイル数"), Bottom);
    StatusBar1->setFixedWidth(149);
    BottomLayout->addWidget(status, 1);
    BottomLayout->addWidget(CountPanel);
    BottomLayout->addWidget(StatusBar1);
    Outer->addWidget(Columns, 1);
    Outer->addWidget(Bottom);
    setCentralWidget(Central);

    connect(TreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& Current) { SelectInTree(Current); });
    connect(TreeModel, &TSiteTreeModel::TreeRebuilt, this, [this] {
        RestoreExpansion();
        SyncViewFromTree();
    });
    connect(TreeModel, &TSiteTreeModel::TreeSelectionChanged, this, [this] { SyncViewFromTree(); });
    connect(TreeView1, &QTreeView::expanded, this,
            [](const QModelIndex& I) { TSiteTreeModel::NodeOf(I)->Expanded = true; });
    connect(TreeView1, &QTreeView::collapsed, this,
            [](const QModelIndex& I) { TSiteTreeModel::NodeOf(I)->Expanded = false; });
    connect(TreeView1, &QTreeView::doubleClicked, this, [this] { TreeView1DblClick(); });
    connect(TreeView1, &QTreeView::customContextMenuRequested, this, [this](const QPoint& Pos) {
        PopupMenu1Popup();
        PopupMenu1->popup(TreeView1->viewport()->mapToGlobal(Pos));
    });
    Run.Tree.SetText(Run.Tree.Root(), "homepage");
    Run.Tree.SetImage(Run.Tree.Root(), 0);
    Run.Tree.SetSelectedImage(Run.Tree.Root(), 0);
}

void TForm1::BuildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    const auto Item = [&](QAction*& A, const QString& Caption, const QKeySequence& Keys = {}) {
        A = PopupMenu1->addAction(Caption);
        A->setShortcut(Keys);
        A->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        TreeView1->addAction(A); // shortcuts act on the tree's selected node
    };
    Item(OpenWithExternalApp, QStringLiteral("開く"), QKeySequence(Qt::Key_Return));
    Item(OpenWithBrowser, QStringLiteral("ブラウザーで開く"),
         QKeySequence(Qt::SHIFT | Qt::Key_Return));
    PopupMenu1->addSeparator();
    Item(MarkTop, QStringLiteral("TOPページにする"), QKeySequence(Qt::CTRL | Qt::Key_T));
    Item(IgnoreItem, QStringLiteral("チェック対象から外す"), QKeySequence(Qt::CTRL | Qt::Key_D));
    MatomeIgnoreMenu = PopupMenu1->addMenu(QStringLiteral("まとめてチェック対象から外す"));
    MatomeIgnoreItem = MatomeIgnoreMenu->menuAction();
    SameNameIgnoreItem =
        MatomeIgnoreMenu->addAction(QStringLiteral("このファイルと同じファイル名の全ファイル"));
    SameExtIgnoreItem =
        MatomeIgnoreMenu->addAction(QStringLiteral("このファイルと同じ拡張子の全ファイル"));
    Item(DeleteItem, QStringLiteral("削除..."), QKeySequence(Qt::Key_Delete));
    PopupMenu1->addSeparator();
    Item(UnMarkTopAll, QStringLiteral("すべてのTOPマークを消す"));
    Item(expandAllNodeItem, QStringLiteral("全ノードを展開する"));
    Item(collapseAllNodeItem, QStringLiteral("全ノードを縮小する"));
    Item(showprojectForm, QStringLiteral("プロジェクト情報を表示"));
    connect(MarkTop, &QAction::triggered, this, &TForm1::MarkTopClick);
    connect(expandAllNodeItem, &QAction::triggered, this, &TForm1::expandAllNodeItemClick);
    connect(collapseAllNodeItem, &QAction::triggered, this, &TForm1::collapseAllNodeItemClick);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TForm1::PopupMenu1Popup);
}

void TForm1::ReadSettingsFile() {
    Run.Settings = ReadSettings(TIniFile(SettingsPath));
    OptionForm->ShowSettings(Run.Settings);
}

void TForm1::RestoreWindowPosition() {
    WindowStates = ReadWindowStates(TIniFile(SettingsPath));
    const QScreen* Screen = QApplication::primaryScreen();
    if (Screen && WindowPositionFits(WindowStates.Left, WindowStates.Top, frameGeometry().size(),
                                     Screen->size()))
        move(WindowStates.Left, WindowStates.Top);
}

void TForm1::Start(const QStringList& Arguments) {
    if (Arguments.isEmpty()) return;
    show();
    LoadProject(Run, FromQString(Arguments.first()));
}

TTreeNode* TForm1::SelectedNode() const {
    return Run.Tree.Selected();
}

void TForm1::SelectInTree(const QModelIndex& Current) {
    if (SyncingView) return;
    TTreeNode* Node = TSiteTreeModel::NodeOf(Current);
    SyncingView = true;
    Run.Tree.Select(Node);
    SyncingView = false;
    TreeView1Change(Node);
}

void TForm1::RestoreExpansion() {
    // Expansion lives in the tree's nodes; a rebuilt model starts collapsed.
    std::vector<TTreeNode*> Stack{&Run.Tree.Root()};
    while (!Stack.empty()) {
        TTreeNode* Node = Stack.back();
        Stack.pop_back();
        if (!Node->Expanded) continue;
        TreeView1->setExpanded(TreeModel->IndexOf(Node), true);
        for (const auto& Child : Node->Children)
            Stack.push_back(Child.get());
    }
}

void TForm1::SyncViewFromTree() {
    if (SyncingView) return;
    SyncingView = true;
    TTreeNode* Node = Run.Tree.Selected();
    const QModelIndex Index = TreeModel->IndexOf(Node);
    if (TreeView1->currentIndex() != Index) {
        if (Node)
            TreeView1->setCurrentIndex(Index);
        else
            TreeView1->selectionModel()->clear();
        SyncingView = false;
        TreeView1Change(Node);
    }
    SyncingView = false;
}

void TForm1::TreeView1Change(TTreeNode* Node) {
    PopupMenu1Popup(); // shortcuts act only where the menu would offer their item
    if (IgnoreNextChange) {
        IgnoreNextChange = false;
        return;
    }
    if (!OpenButton->isEnabled()) return; // busy: the lists stay as they are
    Run.BeginBusy();
    FillLinkLists(Node);
    Run.EndBusy();
}

void TForm1::FillLinkLists(TTreeNode* Node) {
    ClearLinkLists();
    if (!Node || !Node->Data || Node->Data->Kind != fkHtml) return;
    const TFileObject& File = *Node->Data;
    for (auto [List, Links] :
         {std::pair{ListBox1, &File.ValidLinks}, std::pair{ListBox2, &File.InvalidLinks},
          std::pair{ListBox3, &File.ExternalLinks}})
        for (const std::string& Link : *Links) {
            Run.Pump();
            if (Run.Halted) return;
            List->addItem(ToQString(Link));
        }
}

void TForm1::PopupMenu1Popup() {
    for (QAction* A :
         {OpenWithExternalApp, OpenWithBrowser, MarkTop, IgnoreItem, MatomeIgnoreItem, DeleteItem,
          UnMarkTopAll, expandAllNodeItem, collapseAllNodeItem, showprojectForm})
        A->setEnabled(false);
    if (Run.Busy()) return;
    for (QAction* A : {UnMarkTopAll, expandAllNodeItem, collapseAllNodeItem, showprojectForm})
        A->setEnabled(true);
    const TTreeNode* Node = SelectedNode();
    if (!Node || !Node->Parent) return;
    DeleteItem->setEnabled(true);
    IgnoreItem->setEnabled(true);
    if (!Node->Data) {
        IgnoreItem->setText(QStringLiteral("このフォルダ以下をチェック対象から外す"));
        return;
    }
    MatomeIgnoreItem->setEnabled(true);
    IgnoreItem->setText(Node->OverlayIndex == 0 ? QStringLiteral("再びチェック対象にする")
                                                : QStringLiteral("チェック対象から外す"));
    switch (Node->Data->Kind) {
    case fkHtml:
        MarkTop->setEnabled(true);
        MarkTop->setText(Run.CurrentProject.IndexOfTopFile(Node->Data->Path) >= 0
                             ? QStringLiteral("TOPマークを消す")
                             : QStringLiteral("TOPページにする"));
        OpenWithExternalApp->setEnabled(true);
        OpenWithBrowser->setEnabled(true);
        break;
    case fkImage:
        OpenWithExternalApp->setEnabled(true);
        OpenWithBrowser->setEnabled(true);
        break;
    case fkOther:
        OpenWithBrowser->setEnabled(true);
        break;
    }
}

void TForm1::MarkTopClick() {
    PopupMenu1Popup(); // a shortcut acts only where the menu would offer the item
    const TTreeNode* Node = SelectedNode();
    if (!MarkTop->isEnabled() || !Node || !Node->Data) return;
    if (Run.CurrentProject.IndexOfTopFile(Node->Data->Path) < 0) MarkTopAndFind(Run);
}

void TForm1::SetAllExpanded(bool Expanded) {
    std::vector<TTreeNode*> Stack{&Run.Tree.Root()};
    while (!Stack.empty()) {
        TTreeNode* Node = Stack.back();
        Stack.pop_back();
        Node->Expanded = Expanded;
        for (const auto& Child : Node->Children)
            Stack.push_back(Child.get());
    }
    if (Expanded)
        TreeView1->expandAll();
    else
        TreeView1->collapseAll();
}

void TForm1::expandAllNodeItemClick() {
    SetAllExpanded(true);
}

void TForm1::collapseAllNodeItemClick() {
    SetAllExpanded(false);
}

void TForm1::TreeView1DblClick() {
    const TTreeNode* Node = SelectedNode();
    if (!Node || !Node->Parent || !Node->Data) return;
    if (QApplication::keyboardModifiers() & Qt::ShiftModifier) return; // the browser comes later
    if (Node->Data->Kind == fkOther) Services.Beep(TBeepKind::bkDefault);
}

bool TForm1::eventFilter(QObject* Watched, QEvent* Event) {
    // A press of the right button selects the node under the mouse, or nothing.
    if (Watched == TreeView1->viewport() && Event->type() == QEvent::MouseButtonPress) {
        const auto* Mouse = static_cast<QMouseEvent*>(Event);
        if (Mouse->button() == Qt::RightButton) {
            const QModelIndex Index = TreeView1->indexAt(Mouse->position().toPoint());
            if (Index.isValid())
                TreeView1->setCurrentIndex(Index);
            else
                TreeView1->selectionModel()->clearCurrentIndex();
            if (!Index.isValid()) TreeView1->selectionModel()->clearSelection();
        }
    }
    return QMainWindow::eventFilter(Watched, Event);
}

void TForm1::closeEvent(QCloseEvent* Event) {
    // The run's loops are still on the stack: the window must outlive them.
    if (Run.Busy()) {
        Run.Halted = true;
        CloseWhenIdle = true;
        Event->ignore();
        return;
    }
    FormClose();
    QMainWindow::closeEvent(Event);
}

void TForm1::dragEnterEvent(QDragEnterEvent* Event) {
    if (Event->mimeData()->hasUrls()) Event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* Event) {
    QStringList Paths;
    for (const QUrl& Url : Event->mimeData()->urls())
        Paths << Url.toLocalFile();
    Event->acceptProposedAction();
    FormDropFiles(Paths);
}

void TForm1::FormDropFiles(const QStringList& Paths) {
    // A run's loops are not re-entrant: a drop while busy is ignored like a drop of several.
    if (Paths.size() != 1 || Run.Busy()) return;
    raise();
    activateWindow();
    const std::string Path = FromQString(Paths.first());
    const QFileInfo Info(Paths.first());
    if (!Info.exists() && !Info.isSymLink()) return;
    if (Info.isDir())
        OpenFolder(Run, Path);
    else if (AsciiUpperCase(ExtractExtension(Path, TPathStyle::psPosix)) == ".OPR")
        LoadProject(Run, Path);
    else
        OpenFolder(Run, ContainingFolder(Path, TPathStyle::psPosix));
}

void TForm1::OpenButtonClick() {
    if (!BrowseForFolder1->Execute()) return;
    OpenFolder(Run, FromQString(BrowseForFolder1->FolderName));
    BrowseForFolder1->SelectFolder = TSelectFolder::sfManual;
    BrowseForFolder1->SelectFolderName = BrowseForFolder1->FolderName;
}

void TForm1::OpenProjectBtnClick() {
    const QString Path = Services.ChooseFileToOpen(
        this, QStringLiteral("プロジェクトファイルを開く"),
        QStringLiteral("Orvelプロジェクトファイル(*.opr);;すべてのファイル(*.*)"));
    if (!Path.isEmpty()) LoadProject(Run, FromQString(Path));
}

void TForm1::SaveProjectBtnClick() {
    const QString Path =
        Services.ChooseFileToSave(this, QStringLiteral("プロジェクトファイルを保存"),
                                  QStringLiteral("Orvelプロジェクトファイル(*.opr)"),
                                  QStringLiteral("opr"), ToQString(Run.SaveDialogFileName));
    if (!Path.isEmpty()) SaveProject(Run, FromQString(Path)); // a failure reaches the error box
}

void TForm1::ReopenButtonClick() {
    Reopen(Run);
}

void TForm1::StopButtonClick() {
    Run.Halted = true;
}

void TForm1::OptionButtonClick() {
    ReadSettingsFile();
    const bool IgnoreCase = Run.Settings.IgnoreCase;
    if (OptionForm->exec() == QDialog::Accepted) {
        Run.Settings = OptionForm->Settings();
        try {
            QDir().mkpath(ToQString(ExtractFolder(SettingsPath, TPathStyle::psPosix)));
            TIniFile File(SettingsPath);
            WriteSettings(Run.Settings, File);
            File.UpdateFile();
        } catch (const EIniWriteError&) {
            // The values stay in force until the next reading of the file.
            Services.Beep(TBeepKind::bkExclamation);
            Services.ShowMessageBox(TMessageKind::mkError,
                                    SettingsPath + "\r\nに書き込みできませんでした");
        }
    } else {
        ReadSettingsFile();
    }
    if (Run.Settings.IgnoreCase != IgnoreCase) Recheck(Run);
}

void TForm1::AboutButtonClick() {
    AboutBox1->exec();
}

bool TForm1::ShowMessageBox(TMessageKind Kind, const std::string& Text) {
    return Services.ShowMessageBox(Kind, Text);
}

void TForm1::Beep(TBeepKind Kind) {
    Services.Beep(Kind);
}

void TForm1::PumpEvents(TRunContext&) {
    QCoreApplication::processEvents();
}

void TForm1::ProgressChanged(const TRunContext& R) {
    status->setText(ToQString(R.StatusText()));
    CountPanel->setText(ToQString(R.CountText()));
    if (!R.FileCountText().empty()) StatusBar1->setText(ToQString(R.FileCountText()));
}

void TForm1::ApplyCommandState(const TCommandState& State) {
    for (QToolButton* B : {OpenButton, OptionButton, AboutButton, OpenProjectBtn, SaveProjectBtn})
        B->setEnabled(!State.Busy);
    ReopenButton->setEnabled(!State.Busy && State.ReopenEnabled);
    StopButton->setEnabled(State.Busy);
    PopupMenu1Popup(); // shortcuts follow the menu's rule
    if (!State.Busy && CloseWhenIdle) {
        CloseWhenIdle = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TForm1::ClearLinkLists() {
    ListBox1->clear();
    ListBox2->clear();
    ListBox3->clear();
}

void TForm1::ShowLinkLists(TTreeNode& Node) {
    FillLinkLists(&Node);
}

void TForm1::ShowCaptions(const std::string& MainCaption, const std::string&) {
    setWindowTitle(ToQString(MainCaption));
}

} // namespace orvel::ui
