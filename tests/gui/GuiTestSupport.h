// Helpers of the GUI tests: a recording stand-in for message boxes, beeps and file dialogs.
#pragma once

#include "TestSupport.h"
#include "ui/UiServices.h"

#include <QStringList>
#include <functional>

namespace orvel::test {

class TRecordingServices : public ui::TUiServices {
public:
    bool ShowMessageBox(TMessageKind Kind, const std::string& Text) override {
        Messages.push_back({Kind, Text});
        if (OnMessage) OnMessage();
        return Answer;
    }
    void Beep(TBeepKind Kind) override { Beeps.push_back(Kind); }
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
    bool Answer = true;
    std::function<void()> OnMessage; // called where a box would open
};

} // namespace orvel::test
