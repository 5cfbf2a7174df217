// What the windows ask of the desktop that a test cannot see or answer: message boxes, beeps
// and the file dialogs. The program uses the Qt ones; tests record and answer.
#pragma once

#include "support/MessageHost.h"

#include <QString>

class QWidget;

namespace orvel::ui {

// The answers to "save the changes first?".
enum class TSaveAnswer { saSave, saDiscard, saCancel };

class TUiServices : public TMessageHost {
public:
    // Asks whether changes are saved before they are lost: Save, Discard or Cancel.
    virtual TSaveAnswer AskToSave(QWidget* Parent, const QString& Text) = 0;
    // A file chosen in an open dialog, or empty when cancelled.
    virtual QString ChooseFileToOpen(QWidget* Parent, const QString& Title,
                                     const QString& Filter) = 0;
    // A file chosen in a save dialog that asks before overwriting, or empty when cancelled.
    virtual QString ChooseFileToSave(QWidget* Parent, const QString& Title, const QString& Filter,
                                     const QString& DefaultSuffix, const QString& Initial) = 0;
};

// Message boxes titled "Orvel(UO)", the application's beep and Qt's file dialogs.
class TQtServices : public TUiServices {
public:
    explicit TQtServices(QWidget* DialogOwner = nullptr) : Owner(DialogOwner) {}
    void SetOwner(QWidget* NewOwner) { Owner = NewOwner; }
    bool ShowMessageBox(TMessageKind Kind, const std::string& Text) override;
    bool ShowMessageBox(TMessageKind Kind, const std::string& Text,
                        const std::string& Details) override;
    void Beep(TBeepKind Kind) override;
    TSaveAnswer AskToSave(QWidget* Parent, const QString& Text) override;
    QString ChooseFileToOpen(QWidget* Parent, const QString& Title, const QString& Filter) override;
    QString ChooseFileToSave(QWidget* Parent, const QString& Title, const QString& Filter,
                             const QString& DefaultSuffix, const QString& Initial) override;

private:
    QWidget* Owner; // not owned
};

// Answers every message box with OK and makes no sound: for runs that ask nobody.
class TQuietServices : public TQtServices {
public:
    bool ShowMessageBox(TMessageKind, const std::string&) override { return true; }
    void Beep(TBeepKind) override {}
};

} // namespace orvel::ui
