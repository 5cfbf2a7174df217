// The user-facing messages that the core may raise: message boxes and beeps.
#pragma once

#include <string>

namespace orvel {

// mkRiskyQuestion: a question whose answer Yes cannot be undone; No is its default.
enum class TMessageKind { mkInformation, mkWarning, mkError, mkQuestion, mkRiskyQuestion };
enum class TBeepKind { bkDefault, bkInformation, bkExclamation, bkQuestion };

class TMessageHost {
public:
    virtual ~TMessageHost() = default;
    // Shows a message box with an OK button (OK and Cancel for questions, Yes and No for risky
    // ones); true for OK or Yes.
    virtual bool ShowMessageBox(TMessageKind Kind, const std::string& Text) = 0;
    // The same with details that a window shows one click away; others show them below.
    virtual bool ShowMessageBox(TMessageKind Kind, const std::string& Text,
                                const std::string& Details) {
        return ShowMessageBox(Kind, Text + "\r\n\r\n" + Details);
    }
    virtual void Beep(TBeepKind Kind) = 0;
};

} // namespace orvel
