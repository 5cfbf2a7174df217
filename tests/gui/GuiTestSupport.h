// Helpers of the GUI tests: a recording stand-in for message boxes, beeps and file dialogs, and
// a main window over a small site.
#pragma once

#include "TestSupport.h"
#include "ui/MainWindow.h"
#include "ui/UiServices.h"

#include <QStringList>
#include <functional>

class QListWidget;
#include <gtest/gtest.h>
#include <memory>

namespace orvel::test {

class TRecordingServices : public ui::TUiServices {
public:
    bool ShowMessageBox(TMessageKind Kind, const std::string& Text) override {
        Messages.push_back({Kind, Text});
        if (OnMessage) OnMessage();
        return Answer;
    }
    void Beep(TBeepKind Kind) override { Beeps.push_back(Kind); }
    ui::TSaveAnswer AskToSave(QWidget*, const QString& Text) override {
        SaveQuestions << Text;
        return SaveAnswer;
    }
    QString ChooseFileToOpen(QWidget*, const QString& Title, const QString&) override {
        DialogTitles << Title;
        return FileAnswer;
    }
    QString ChooseFileToSave(QWidget*, const QString& Title, const QString&, const QString&,
                             const QString& Initial) override {
        DialogTitles << Title;
        SaveInitial = Initial;
        return FileAnswer;
    }

    std::vector<TRecordingHost::TMessage> Messages;
    std::vector<TBeepKind> Beeps;
    QStringList DialogTitles;
    QString SaveInitial;
    QString FileAnswer; // what the file dialogs answer; empty is Cancel
    QStringList SaveQuestions;
    ui::TSaveAnswer SaveAnswer = ui::TSaveAnswer::saCancel;
    bool Answer = true;
    std::function<void()> OnMessage; // called where a box would open
};

// A main window, shown and started, for a site that the test writes into Site; its settings
// file lies in Config.
class TMainWindowTest : public ::testing::Test {
protected:
    TMainWindowTest();
    // Opens Site as a new project and spends the selection change that the window ignores.
    void Open();
    // The node at a path of node texts below the root, or null (see NodeAt).
    TTreeNode* Node(const std::string& Relative);
    // Selects a node through the view, as a click does.
    void Select(const std::string& Relative);
    std::string SettingsPath() const { return Config.Path() + "uoorvel.ini"; }

    TTempDir Site, Config;
    TRecordingServices Services;
    std::unique_ptr<ui::TMainWindow> Form;
};

// The texts of a list's entries, in order.
QStringList Items(const QListWidget* List);
// Clicks the entry of a list that shows Text, with the mouse; a failure when there is none.
void ClickItem(QListWidget* List, const QString& Text);

// The folder that the desktop trash of the tests keeps its files in.
std::string TrashFiles();

} // namespace orvel::test
