#include "ui/MainWindow.h"

#include "analysis/CheckRun.h"
#include "analysis/ExternalApps.h"
#include "support/Assertion.h"
#include "support/IniFile.h"
#include "ui/AboutBox.h"
#include "ui/BackLinkPage.h"
#include "ui/BrokenTargetPage.h"
#include "ui/Encoding.h"
#include "ui/ExternalLinkCheck.h"
#include "ui/ExternalLinkPictures.h"
#include "ui/FolderDialog.h"
#include "ui/InvalidLinkHint.h"
#include "ui/Placement.h"
#include "ui/ProjectWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/SiteTreeModel.h"
#include "ui/SiteWatcher.h"
#include "ui/TrashFileSystem.h"
#include "ui/UiServices.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>

namespace orvel::ui {

TMainWindow::TMainWindow(TUiServices& UiServices, std::string SettingsFile, QWidget* Parent)
    : QMainWindow(Parent), Run(*this), Services(UiServices), SettingsPath(std::move(SettingsFile)) {
    setWindowTitle(QStringLiteral("Orvel (UnOfficial)"));
    Run.FileSystem = &TTrashFileSystem::Instance();
    ProjectWindow = new TProjectWindow(Run, this);
    Run.CurrentProject.SetViews(&ProjectWindow->TopFileView, &ProjectWindow->IgnoreFileView,
                                &ProjectWindow->WildCardView, ProjectWindow);
    connect(ProjectWindow, &TProjectWindow::MainCaptionChanged, this, &QWidget::setWindowTitle);
    connect(ProjectWindow, &TProjectWindow::HomeFolderRequested, this,
            &TMainWindow::ChangeHomeFolderClick);
    SiteWatcher = new TSiteWatcher(
        Run, [this] { Reopen(Run, true); }, this);
    ExternalCheck = new TExternalLinkCheck(this);
    connect(ExternalCheck, &TExternalLinkCheck::Progress, this,
            [this](qulonglong Done, qulonglong Total) {
                if (!Run.Busy()) Run.SetStatusText(ExternalProgressText(Done, Total));
            });
    connect(ExternalCheck, &TExternalLinkCheck::Finished, this,
            [this](const std::shared_ptr<TExternalFindings>& Findings) {
                ExternalCheckFinished(std::move(*Findings));
            });
    BuildLayout();
    BuildPopupMenu();
    BuildLinkPopup();
    SettingsWindow = new TSettingsWindow(this);
    HomeFolderDialog = new TFolderDialog(this);
    HomeFolderDialog->Caption = QTr("ホームページのフォルダを指定して下さい");
    HomeFolderDialog->Options = {TBrowseOption::sboReturnOnlyFSDirs,
                                 TBrowseOption::sboStatusTextAndShowPath};
    AboutBox = new TAboutBox(QStringLiteral(ORVEL_VERSION_TEXT), this);
    AboutBox->OpenURL = [this](const QString& Address) { OpenURL(FromQString(Address)); };
    RestoreWindowPositions();
    ReadSettingsFile();
    Run.BusyCount = 1;
    Run.EndBusy(); // every control into its idle state
    setAcceptDrops(true);
    SiteTreeView->setFocus(); // the keyboard starts in the tree
}

TMainWindow::~TMainWindow() {
    // The model observes the tree of Run, which goes before the window's children do.
    delete TreeModel;
}

void TMainWindow::FormClose() {
    Run.FileObjects.Clear();
    Assert(Run.FileObjects.Empty(), "MainWindow");
    // Where the window stood is kept for the next start; a failure goes unnoticed.
    try {
        TIniFile File(SettingsPath);
        const QRect Normal = NormalPlace();
        WindowStates.Left = Normal.x();
        WindowStates.Top = Normal.y();
        WindowStates.Width = Normal.width();
        WindowStates.Height = Normal.height();
        WindowStates.Maximized = isMaximized();
        WindowStates.ProjectLeft = ProjectWindow->x();
        WindowStates.ProjectTop = ProjectWindow->y();
        WindowStates.ProjectVisible = ProjectWindow->isVisible();
        WriteWindowStates(WindowStates, File);
        File.UpdateFile();
    } catch (const EIniFileError&) {
    }
}

void TMainWindow::ReadSettingsFile() {
    try {
        Run.Settings = ReadSettings(TIniFile(SettingsPath));
    } catch (const EIniReadError& E) {
        Services.ShowMessageBox(TMessageKind::mkError, E.what()); // the settings in force stay
    }
    SettingsWindow->ShowSettings(Run.Settings);
}

void TMainWindow::RestoreWindowPositions() {
    try {
        WindowStates = ReadWindowStates(TIniFile(SettingsPath));
    } catch (const EIniReadError&) {
        return; // the settings, read next, say what is wrong with the file
    }
    if (WindowStates.Width > 0 && WindowStates.Height > 0)
        resize(WindowStates.Width, WindowStates.Height);
    const QList<QRect> Areas = ScreenAreas();
    // A place on a screen that is gone comes back onto one that is there.
    const auto Restore = [&](QWidget& Window, int Left, int Top) {
        if (Left == -1 && Top == -1) return false; // never stored
        const QRect Frame(QPoint(Left, Top), Window.frameGeometry().size());
        const QRect Placed = PlaceOnScreens(Frame, Areas);
        Window.resize(Window.size() - (Frame.size() - Placed.size()));
        Window.move(Placed.topLeft());
        return true;
    };
    MainWindowPlaced = Restore(*this, WindowStates.Left, WindowStates.Top);
    ProjectWindowPlaced =
        Restore(*ProjectWindow, WindowStates.ProjectLeft, WindowStates.ProjectTop);
    KeptNormalPlace = QRect(pos(), size());
    if (WindowStates.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

QRect TMainWindow::NormalPlace() const {
    return isMaximized() || isFullScreen() ? KeptNormalPlace : QRect(pos(), size());
}

bool TMainWindow::event(QEvent* Event) {
    // Qt's normal geometry of a window maximised before it was shown lacks the frame.
    const auto Type = Event->type();
    if ((Type == QEvent::Move || Type == QEvent::Resize) && isVisible() &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        KeptNormalPlace = QRect(pos(), size());
    return QMainWindow::event(Event);
}

void TMainWindow::PlaceProjectWindow() {
    if (ProjectWindowPlaced) return;
    ProjectWindowPlaced = true;
    const QScreen* Screen = screen();
    if (!Screen) return;
    // Not shown yet, the tool window's frame is taken to be as wide as this window's.
    const QSize Frame = frameGeometry().size() - size();
    ProjectWindow->move(PlaceBeside(QRect(pos(), frameGeometry().size()),
                                    ProjectWindow->size() + Frame, Screen->availableGeometry()));
}

void TMainWindow::PlaceMainWindow() {
    const QScreen* Screen = screen();
    if (MainWindowPlaced || !Screen) return;
    // The window manager would place this window before the tool window beside it is known:
    // the two are centred together where they fit side by side.
    const QRect Area = Screen->availableGeometry();
    const QSize Frame = frameGeometry().size() - size();
    const QSize Main = size() + Frame;
    const int Beside = WindowStates.ProjectVisible ? ProjectWindow->width() + Frame.width() : 0;
    const int Width = Main.width() + Beside <= Area.width() ? Main.width() + Beside : Main.width();
    move(Area.x() + std::max(0, (Area.width() - Width) / 2),
         Area.y() + std::max(0, (Area.height() - Main.height()) / 2));
}

void TMainWindow::Start(const QStringList& Arguments) {
    PlaceMainWindow();
    if (WindowStates.ProjectVisible) {
        // The tool window comes up beside the main window; the keyboard stays in the tree.
        PlaceProjectWindow();
        ProjectWindow->show();
        activateWindow();
    }
    if (Arguments.isEmpty()) {
        ReopenLastOpened();
        return;
    }
    show();
    const QFileInfo Site(Arguments.first());
    if (Site.isDir()) {
        OpenFolder(Run, FromQString(QDir::cleanPath(Site.absoluteFilePath())));
        RememberLastOpened();
    } else {
        OpenProject(FromQString(Arguments.first()));
    }
}

void TMainWindow::ReopenLastOpened() {
    const std::string Path = WindowStates.LastOpened;
    if (!Run.Settings.ReopenLast || Path.empty()) return;
    const QFileInfo Info(ToQString(Path));
    if (Info.isDir())
        OpenFolder(Run, Path);
    else if (Info.isFile())
        OpenProject(Path);
}

void TMainWindow::RememberLastOpened() {
    const TOrvelProject& Project = Run.CurrentProject;
    const std::string& Last = Project.FileName.empty() ? Project.HomeDir : Project.FileName;
    if (Last.empty() || Last == WindowStates.LastOpened) return;
    WindowStates.LastOpened = Last;
    // Kept at once, so that a program that does not close properly still finds it.
    try {
        QDir().mkpath(ToQString(ExtractFolder(SettingsPath, TPathStyle::psPosix)));
        TIniFile File(SettingsPath);
        WriteLastOpened(Last, File);
        File.UpdateFile();
    } catch (const EIniFileError&) {
    }
}

TTreeNode* TMainWindow::SelectedNode() const {
    return Run.Tree.Selected();
}

TTreeNode* TMainWindow::ViewSelectedNode() const {
    const QModelIndexList Selected = SiteTreeView->selectionModel()->selectedIndexes();
    return Selected.isEmpty() ? nullptr : TSiteTreeModel::NodeOf(Selected.first());
}

void TMainWindow::SelectInTree() {
    if (SyncingView) return;
    TTreeNode* Node = ViewSelectedNode();
    SyncingView = true;
    Run.Tree.Select(Node);
    SyncingView = false;
    SiteTreeViewChange(Node);
}

void TMainWindow::RestoreExpansion() {
    // Expansion lives in the tree's nodes; a rebuilt model starts collapsed.
    std::vector<TTreeNode*> Stack{&Run.Tree.Root()};
    while (!Stack.empty()) {
        TTreeNode* Node = Stack.back();
        Stack.pop_back();
        if (!Node->Expanded) continue;
        SiteTreeView->setExpanded(TreeModel->IndexOf(Node), true);
        for (const auto& Child : Node->Children)
            Stack.push_back(Child.get());
    }
}

void TMainWindow::SyncViewFromTree() {
    if (SyncingView) return;
    SyncingView = true;
    TTreeNode* Node = Run.Tree.Selected();
    if (ViewSelectedNode() != Node) {
        if (Node)
            SiteTreeView->setCurrentIndex(TreeModel->IndexOf(Node));
        else
            SiteTreeView->selectionModel()->clear();
        SyncingView = false;
        SiteTreeViewChange(Node);
    }
    SyncingView = false;
}

void TMainWindow::SiteTreeViewChange(TTreeNode* Node) {
    TreePopupMenuPopup();   // shortcuts act only where the menu would offer their item
    if (Run.Busy()) return; // the lists stay as they are until the run ends
    Run.BeginBusy();
    FillLinkLists(Node);
    Run.EndBusy();
}

namespace {
// An invalid link of the selected page, whose tooltip adds its diagnosis when it is shown: a page
// may have thousands.
class TInvalidLinkItem : public QListWidgetItem {
public:
    TInvalidLinkItem(const QString& Text, TRunContext& RunContext)
        : QListWidgetItem(Text), Run(RunContext) {}
    QVariant data(int Role) const override {
        if (Role != Qt::ToolTipRole || Run.Busy()) return QListWidgetItem::data(Role);
        const TTreeNode* Node = Run.Tree.Selected();
        const std::string Link = data(LinkRole).toByteArray().toStdString();
        if (!Node || !Node->Data || Node->Data->InvalidLinks.IndexOf(Link) < 0)
            return QListWidgetItem::data(Role);
        return text() + u'\n' +
               InvalidLinkHint(Run, Run.Findings.Diagnoser().Diagnose(*Node->Data, Link),
                               Node->Data->Charset);
    }

private:
    TRunContext& Run;
};
} // namespace

void TMainWindow::FillLinkLists(TTreeNode* Node) {
    ClearLinkLists();
    if (InfoPages->currentWidget() == BackLinkPage) BackLinkPage->ShowNode(Node);
    if (InfoPages->currentWidget() == BrokenTargetPage) BrokenTargetPage->Refresh();
    if (!Node || !Node->Data || Node->Data->Kind != fkHtml) return;
    const TFileObject& File = *Node->Data;
    for (auto [List, Links] : {std::pair{ValidLinkList, &File.ValidLinks},
                               std::pair{InvalidLinkList, &File.InvalidLinks},
                               std::pair{ExternalLinkList, &File.ExternalLinks}}) {
        // Items of their own widths are all laid out anew at every pump that finds new ones:
        // a list's items go in together, after its pumps.
        std::vector<QListWidgetItem*> Items;
        for (const std::string& Link : *Links) {
            Run.Pump();
            if (Run.Halted) break;
            const QString Text = PageText(Link, File.Charset);
            Items.push_back(List == InvalidLinkList ? new TInvalidLinkItem(Text, Run)
                                                    : new QListWidgetItem(Text));
            if (List == ExternalLinkList)
                ShowExternalResult(*Items.back(), Text, Run.External.Of(Link));
            else
                Items.back()->setToolTip(Text);
            Items.back()->setData(LinkRole, QByteArray::fromStdString(Link));
        }
        for (QListWidgetItem* Item : Items)
            List->addItem(Item);
        if (Run.Halted) return;
    }
}

void TMainWindow::SiteTreeViewDblClick() {
    const TTreeNode* Node = SelectedNode();
    if (!Node || !Node->Parent || !Node->Data) return;
    if (QApplication::keyboardModifiers() & Qt::ShiftModifier)
        OpenSelectedInBrowser();
    else
        OpenInExternalApp(Run);
}

bool TMainWindow::eventFilter(QObject* Watched, QEvent* Event) {
    // From the keyboard the popup opens over the visible part of the current node.
    if (Watched == SiteTreeView && Event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(Event)->reason() == QContextMenuEvent::Keyboard) {
        const QRect Visible = SiteTreeView->visualRect(SiteTreeView->currentIndex()) &
                              SiteTreeView->viewport()->rect();
        ShowTreePopupMenu(Visible.isEmpty() ? QPoint() : Visible.center());
        return true;
    }
    // A press of the right button selects the node under the mouse, or nothing.
    if (Watched == SiteTreeView->viewport() && Event->type() == QEvent::MouseButtonPress) {
        const auto* Mouse = static_cast<QMouseEvent*>(Event);
        if (Mouse->button() == Qt::RightButton) {
            const QModelIndex Index = SiteTreeView->indexAt(Mouse->position().toPoint());
            if (Index.isValid())
                SiteTreeView->setCurrentIndex(Index);
            else
                SiteTreeView->selectionModel()->clearCurrentIndex();
            if (!Index.isValid()) SiteTreeView->selectionModel()->clearSelection();
        }
    }
    return QMainWindow::eventFilter(Watched, Event);
}

void TMainWindow::closeEvent(QCloseEvent* Event) {
    // The run's loops are still on the stack: the window must outlive them.
    if (Run.Busy()) {
        Run.Halted = true;
        Run.Closing = true;
        Event->ignore();
        return;
    }
    Run.Closing = false;
    if (!MayCloseProject()) {
        Event->ignore();
        return;
    }
    FormClose();
    QMainWindow::closeEvent(Event);
}

void TMainWindow::dragEnterEvent(QDragEnterEvent* Event) {
    if (Event->mimeData()->hasUrls()) Event->acceptProposedAction();
}

void TMainWindow::dropEvent(QDropEvent* Event) {
    QStringList Paths;
    for (const QUrl& Url : Event->mimeData()->urls())
        Paths << Url.toLocalFile();
    Event->acceptProposedAction();
    FormDropFiles(Paths);
}

bool TMainWindow::ShowMessageBox(TMessageKind Kind, const std::string& Text) {
    return Services.ShowMessageBox(Kind, Text);
}

bool TMainWindow::ShowMessageBox(TMessageKind Kind, const std::string& Text,
                                 const std::string& Details) {
    return Services.ShowMessageBox(Kind, Text, Details);
}

void TMainWindow::Beep(TBeepKind Kind) {
    Services.Beep(Kind);
}

void TMainWindow::PumpEvents(TRunContext&) {
    QCoreApplication::processEvents();
}

void TMainWindow::ProgressChanged(const TRunContext& R) {
    StatusLine->setText(ToQString(R.StatusText()));
    CountPanel->setText(ToQString(R.CountText()));
    if (!R.FileCountText().empty()) FileCountPanel->setText(ToQString(R.FileCountText()));
}

void TMainWindow::ApplyCommandState(const TCommandState& State) {
    for (QToolButton* B :
         {OpenFolderButton, SettingsButton, AboutButton, OpenProjectButton, SaveProjectButton})
        B->setEnabled(!State.Busy);
    ReopenButton->setEnabled(!State.Busy && State.ReopenEnabled);
    HaltButton->setEnabled(State.Busy || ExternalCheck->Running());
    UndoButton->setEnabled(!State.Busy && State.UndoEnabled);
    if (!State.Busy) SiteWatcher->Follow();
    ProjectWindow->ApplyCommandState(State);
    TreePopupMenuPopup(); // shortcuts follow the menu's rule
    if (!State.Busy && Run.Closing) QTimer::singleShot(0, this, &QWidget::close);
}

void TMainWindow::ClearLinkLists() {
    ValidLinkList->clear();
    InvalidLinkList->clear();
    ExternalLinkList->clear();
    BackLinkPage->clear();
}

void TMainWindow::CheckEnded(TRunContext&) {
    if (Run.Settings.CheckExternal) QTimer::singleShot(0, this, &TMainWindow::StartExternalCheck);
}

void TMainWindow::StartExternalCheck() {
    // The run's loops may still be on the stack, pumping: they go first.
    if (Run.Busy()) {
        QTimer::singleShot(100, this, &TMainWindow::StartExternalCheck);
        return;
    }
    ExternalCheck->Start(SiteExternalLinks(Run), Run.Settings);
    HaltButton->setEnabled(true);
}

void TMainWindow::ExternalCheckFinished(TExternalFindings Findings) {
    Run.External = std::move(Findings);
    ShowExternalResults();
    HaltButton->setEnabled(Run.Busy());
    if (Run.Busy()) return; // the status line is the run's
    std::string Text =
        Tr("壊れた外部リンクの数 ") + std::to_string(Run.External.Count(TExternalResult::broken));
    if (Run.External.Halted) Text = Tr("中断しました") + Tr("　") + Text;
    Run.SetStatusText(std::move(Text));
}

void TMainWindow::ShowExternalResults() {
    for (int I = 0; I < ExternalLinkList->count(); ++I) {
        QListWidgetItem& Item = *ExternalLinkList->item(I);
        ShowExternalResult(Item, Item.text(),
                           Run.External.Of(Item.data(LinkRole).toByteArray().toStdString()));
    }
}

void TMainWindow::ResultsChanged(TTreeNode* Selected) {
    if (Selected)
        FillLinkLists(Selected);
    else
        ClearLinkLists();
}

} // namespace orvel::ui
