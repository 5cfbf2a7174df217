// The settings window: edits the values of the settings file's section "Option".
#pragma once

#include "project/Settings.h"

#include <QDialog>
#include <functional>
#include <utility>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace orvel::ui {

// A fixed-size dialog of three tabs over OK and Cancel. It is kept between openings, so the tab
// last used stays the current one; the main window fills it before and reads it after showing.
class TSettingsWindow : public QDialog {
    Q_OBJECT

public:
    explicit TSettingsWindow(QWidget* Parent = nullptr);

    // Puts every value of S into its control.
    void ShowSettings(const TSettings& S);
    // The values that the controls hold now.
    TSettings Settings() const;

    // Asks the user for a program file; the full path, or empty when cancelled. A plain open
    // dialog without filter or title unless replaced.
    std::function<QString()> ChooseFile;

    QTabWidget* SettingsTabs; // the three tabs
    // Tab 1, external applications.
    QLineEdit* ExternalViewerEdit;           // image viewer program
    QPushButton* ViewerBrowseButton;         // picks the image viewer
    QLineEdit* ExternalEditorEdit;           // editor program for HTML files
    QPushButton* EditorBrowseButton;         // picks the editor
    QLineEdit* CommandLineOptionEdit;        // argument template for opening a file
    QLineEdit* TagJumpCommandLineOptionEdit; // argument template for a tag jump
    QLabel* CommandLineHelp;                 // the framed explanation of %F and %N
    QComboBox* EditorExampleBox;             // fills the editor and both templates from an example
    // Tab 2, extensions.
    QLineEdit* ExtListHTMLEdit;         // extensions of HTML files
    QLineEdit* ExtListImgEdit;          // extensions of image files
    QPushButton* RestoreExtListsButton; // restores the two extension lists
    // Tab 3, other.
    QLineEdit* DefaultFileNameEdit;         // file name implied by a link ending in "/"
    QCheckBox* IgnoreCaseBox;               // file names compare without case
    QCheckBox* SpaceIsValidBox;             // link values may contain spaces
    QCheckBox* AnchorMakesFileBlueBox;      // unreferenced anchors show a file in blue
    QCheckBox* IgnoreHTMLInfoBox;           // excluded HTML files are not read
    QCheckBox* IgnoreJavaScriptBox;         // javascript: links are not extracted
    QCheckBox* HideInfoBoxAfterCheckBox;    // a beep instead of the summary box
    QCheckBox* ModernHTMLBox;               // every id an anchor, the link attributes of today
    QCheckBox* ReopenLastBox;               // the project or folder of last time opened at start
    QCheckBox* CheckExternalBox;            // the servers asked about the external links
    QGroupBox* CheckLocalFileBox;           // handling of links beginning with file://
    QRadioButton* CheckLocalFileChoices[2]; // by value: 0 always invalid, 1 existence checked
    // Below the tabs.
    QPushButton* OKButton;     // closes with Accepted; the default button
    QPushButton* CancelButton; // closes with Rejected; also the Escape key

protected:
    void showEvent(QShowEvent* Event) override;

private:
    // Each tab: its controls, each bound to the settings key it shows.
    QWidget* BuildExternalAppsTab();
    QWidget* BuildExtensionsTab();
    QWidget* BuildOtherTab();
    QGroupBox* BuildCheckLocalFileChoices();
    // Ties a control to the settings key of that name: a line edit to a text, a check box to a
    // switch, a button group (by its buttons' ids) to a number.
    void Bind(const char* Key, QObject* Control);
    // OK and Cancel below the tabs, and the window's layout.
    void BuildButtons();

    void EditorBrowseButtonClick();
    void EditorExampleChosen(int Index);
    void ViewerBrowseButtonClick();
    void RestoreExtListsButtonClick();

    QButtonGroup* CheckLocalFileGroup; // makes the two choices exclusive
    std::vector<std::pair<const TSettingKey*, QObject*>> Bindings;
    TSettings Shown; // as last shown
};

} // namespace orvel::ui
