// TMainWindow: the main window. Tree of the site with state pictures, the three link lists, the
// toolbar and the status line; the host of the check run.
#pragma once

#include "analysis/Host.h"
#include "analysis/RunContext.h"
#include "project/Settings.h"
#include "ui/Browser.h"

#include <QMainWindow>
#include <QRect>
#include <QSize>
#include <string>

class QAction;
class QKeySequence;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QTabWidget;
class QToolButton;
class QTreeView;

namespace orvel::ui {

class TAboutBox;
class TBackLinkPage;
class TBrokenTargetPage;
class TProjectWindow;
class TSettingsWindow;
class TFolderDialog;
class TReplaceDialog;
class TExternalLinkCheck;
class TSiteTreeModel;
class TSiteWatcher;
class TUiServices;

// The data role of a link list item that holds the link's bytes as its page stores them.
inline constexpr int LinkRole = Qt::UserRole;

// What the replacement dialog says will change: the places of a link in so many files.
QString PlacesText(int Places, int Pages);

class TMainWindow : public QMainWindow, public THost {
    Q_OBJECT
public:
    // Creates the window, reads the settings from SettingsFile and puts the commands into the
    // idle state.
    TMainWindow(TUiServices& UiServices, std::string SettingsFile, QWidget* Parent = nullptr);
    ~TMainWindow() override;

    // Shows the project window when the settings say so and, with an argument, shows the
    // window and opens the argument, a site's folder or a project file; without one, opens again
    // the project or folder opened last unless the settings say otherwise.
    void Start(const QStringList& Arguments);

    TRunContext Run;
    std::string SelectedLinkText;   // the link last clicked in a link list, bytes of its page
    std::string SelectedSuggestion; // what may be meant instead, for an invalid one; or empty
    TBrowser Browser;               // the web browser found when the program started

    QToolButton *OpenFolderButton, *OpenProjectButton, *SaveProjectButton, *ReopenButton,
        *UndoButton, *HaltButton, *SettingsButton, *AboutButton;
    QLabel* TreeTitlePanel;
    QTreeView* SiteTreeView;
    TSiteTreeModel* TreeModel;
    QTabWidget* InfoPages;
    QListWidget *ValidLinkList, *InvalidLinkList, *ExternalLinkList;
    TBackLinkPage* BackLinkPage; // the second page: who links to the selected file or anchor
    TBrokenTargetPage* BrokenTargetPage; // the third page: every broken target of the site
    QLabel *StatusLine, *CountPanel, *FileCountPanel;
    QMenu *TreePopupMenu, *IgnoreSeveralMenu, *LinkPopupMenu, *TagJumpMenu;
    QAction *OpenWithExternalApp, *OpenWithBrowser, *MarkTop, *IgnoreItem, *IgnoreSeveralItem,
        *SameNameIgnoreItem, *SameExtIgnoreItem, *DeleteItem, *UnMarkTopAll, *ExpandAllItem,
        *CollapseAllItem, *ShowProjectWindowItem, *ReplaceItem, *ReplaceWithSuggestionItem,
        *TagJumpItem;
    TProjectWindow* ProjectWindow;
    TSettingsWindow* SettingsWindow;
    TFolderDialog* HomeFolderDialog;
    TAboutBox* AboutBox;
    TReplaceDialog* ReplaceDialog;
    TSiteWatcher* SiteWatcher;         // what changes on disk is taken in
    TExternalLinkCheck* ExternalCheck; // the servers asked about the external links

    // Closing: frees the file objects and writes where the windows stand.
    void FormClose();
    // Opens what was dropped: one folder, a project file, or the folder of another file.
    void FormDropFiles(const QStringList& Paths);
    void OpenFolderButtonClick();
    void OpenProjectButtonClick();
    // Saves the project under a name chosen in the save dialog.
    void SaveProjectButtonClick();
    // Saves the project to its file; without one, as the save button does.
    void SaveProjectOverClick();
    // Moves the project to a folder chosen in the folder dialog, keeping what lies inside it.
    void ChangeHomeFolderClick();
    void ReopenButtonClick();
    // Undoes the last replacement.
    void UndoButtonClick();
    void HaltButtonClick();
    void SettingsButtonClick();
    void AboutButtonClick();
    void SiteTreeViewChange(TTreeNode* Node);
    void SiteTreeViewDblClick();
    // Enables and labels the popup menu's items for the selected node.
    void TreePopupMenuPopup();
    // The tree's commands, each only where the popup menu offers it for the selected node.
    void MarkTopClick();
    void UnMarkTopAllClick();
    void IgnoreItemClick();
    void SameNameIgnoreItemClick();
    void SameExtIgnoreItemClick();
    void DeleteItemClick();
    // Opens the selected HTML file in the editor or image in the viewer.
    void OpenWithExternalAppClick();
    // Opens the selected file in the web browser.
    void OpenWithBrowserClick();
    // Hands a local path or a web address to the browser; an error box when there is none.
    void OpenURL(const std::string& Document);
    // After a click in a link list, or its Menu key: remembers the link and offers its
    // replacement and the tag jump to each of its places in the selected file, beside the mouse
    // or, from the keyboard, at the list's current item.
    void ShowLinkPopup(QListWidget* List, bool AtItem = false);
    // Remembers the link selected in the list and, for an invalid one, says why on the status
    // line; false when there is none to take.
    bool TakeLink(QListWidget* List);
    // Enter or a double click on a link: the editor starts at the link's first place.
    void TagJumpToLink(const QListWidgetItem* Item);
    // Starts the editor at the line of a tag-jump item.
    void TagJumpItemClick(QAction* Item);
    // Replaces the remembered link throughout the selected file, after asking for the new text.
    void ReplaceClick();
    // The same with the remembered invalid link's suggestion proposed.
    void ReplaceWithSuggestionClick();
    // The same with the new text proposed in the dialog.
    void ReplaceLinkText(const QString& Proposal);
    // Replaces the links to the broken target chosen in its list in every page that names it,
    // after asking for the new text: one text for links that pages write alike, else each
    // link's own suggestion.
    void FixTargetEverywhere();
    // Shows the project window again.
    void ShowProjectWindowItemClick();
    void ExpandAllItemClick();
    void CollapseAllItemClick();
    // Fills the three link lists from a file node; empties them for anything else.
    void FillLinkLists(TTreeNode* Node);

    // THost
    bool ShowMessageBox(TMessageKind Kind, const std::string& Text) override;
    bool ShowMessageBox(TMessageKind Kind, const std::string& Text,
                        const std::string& Details) override;
    void Beep(TBeepKind Kind) override;
    void PumpEvents(TRunContext& Run) override;
    void ProgressChanged(const TRunContext& Run) override;
    void ApplyCommandState(const TCommandState& State) override;
    // Fills the link lists of the node, or empties them for none.
    void ResultsChanged(TTreeNode* Selected) override;
    // With CheckExternal, the external links are asked about once the run is idle.
    void CheckEnded(TRunContext& Run) override;

protected:
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    // Keeps the window's normal place while it has one.
    bool event(QEvent* Event) override;
    // Closing during a run halts it first; the window closes once the run has ended.
    void closeEvent(QCloseEvent* Event) override;

private:
    void BuildLayout();
    QWidget* BuildTreePane(QWidget* Parent);
    QWidget* BuildToolBar(QWidget* Parent);
    void BuildSiteTreeView(QWidget* Parent);
    void BuildInfoPages(QWidget* Parent);
    void ConnectInfoPages();
    QWidget* BuildStatusLine(QWidget* Parent);
    void ConnectSiteTreeView();
    void BuildPopupMenu();
    void BuildLinkPopup();
    // Asks the servers about the site's external links in the background, once no run is busy.
    void StartExternalCheck();
    void ExternalCheckFinished(TExternalFindings Findings);
    // The pictures and tooltips of the external link list from the last external check.
    void ShowExternalResults();
    // The link list's keys: the Menu key and Shift+F10 open its popup, Enter jumps.
    void ConnectLinkList(QListWidget* List);
    // Says on the status line why an invalid link of the selected page is invalid; returns what
    // may be meant instead, or empty.
    std::string ExplainInvalidLink(const std::string& Link);
    // The selected file opened in the browser; a beep for anything else.
    void OpenSelectedInBrowser();
    void ReadSettingsFile();
    void RestoreWindowPositions();
    // Where the window stands when not maximised, its frame's top-left corner and inner size.
    QRect NormalPlace() const;
    // Gives the project window its first place beside this one, unless it has one.
    void PlaceProjectWindow();
    // Gives this window its first place, unless it has a stored one.
    void PlaceMainWindow();
    // Opens the project file or folder opened last; one that is gone is passed over quietly.
    void ReopenLastOpened();
    // Keeps the project file, or else the folder, of the current project as the one opened last;
    // after every opening and saving.
    void RememberLastOpened();
    // True when the popup menu offers the item for the selected node now.
    bool Offers(const QAction* Item);
    // The view follows the tree's selection.
    void SyncViewFromTree();
    // A rebuilt view expands the nodes the tree holds expanded.
    void RestoreExpansion();
    // Expands or collapses every node, in the tree and in the view.
    void SetAllExpanded(bool Expanded);
    // The tree follows the view's selection.
    void SelectInTree();
    // Opens the tree's popup menu at a point of its viewport.
    void ShowTreePopupMenu(const QPoint& Pos);
    // The node the view shows selected, or none.
    TTreeNode* ViewSelectedNode() const;
    TTreeNode* SelectedNode() const;
    // Empties the three link lists and the back links.
    void ClearLinkLists();
    // Opens a project file, and preselects it in the save dialog once it was read.
    void OpenProject(const std::string& Path);
    // Saves the project, to its file unless ChooseFile or it has none; false when it was not.
    bool SaveCurrentProject(bool ChooseFile);
    // Before the project is closed: asks whether its unsaved changes are saved first. False
    // when the user chose to keep it open, or saving failed.
    bool MayCloseProject();
    // A key that clicks the button where it is enabled, wherever the keyboard is in the window.
    void AddKey(const QKeySequence& Key, QToolButton* Button);

    TUiServices& Services;
    std::string SettingsPath;
    TWindowStates WindowStates;
    bool MainWindowPlaced = false;    // this window has a stored place
    bool ProjectWindowPlaced = false; // the project window has a place: stored, or given
    QRect KeptNormalPlace;            // the last place while neither maximised nor full screen
    bool SyncingView = false;         // the view follows the tree; no second notification
    int KeptScroll = 0;               // where the tree's view stood before its model was rebuilt
    std::string SaveDialogFileName;   // preselected in the project save dialog
};

} // namespace orvel::ui
