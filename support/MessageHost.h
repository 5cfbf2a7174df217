// The user-facing messages that the core may raise: message boxes and beeps.
#pragma once

#include <string>

namespace orvel {

enum class TMessageKind { mkInformation, mkWarning, mkError, mkQuestion };
enum class TBeepKind { bkDefault, bkInformation, bkExclamation, bkQuestion };

class TMessageHost {
public:
    virtual ~TMessageHost() = default;
    // Shows a message box with an OK button (OK and Cancel for questions); true for OK.
    virtual bool ShowMessageBox(TMessageKind Kind, const std::string& Text) = 0;
    virtual void Beep(TBeepKind Kind) = 0;
};

} // namespace orvel
