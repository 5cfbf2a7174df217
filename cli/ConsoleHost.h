// The host of orvel-check: messages and progress on standard error, Ctrl+C as Halt.
#pragma once

#include "analysis/Host.h"

#include <csignal>

namespace orvel::cli {

class TConsoleHost : public THost {
public:
    // Progress is shown only when ShowProgress is set (standard error is a terminal, not quiet).
    explicit TConsoleHost(bool WithProgress) : ShowProgress(WithProgress) {}

    // Installs the Ctrl+C handler; the first Ctrl+C halts the run, a second one ends the program.
    static void InstallInterruptHandler();
    static bool Interrupted();

    bool ShowMessageBox(TMessageKind Kind, const std::string& Text) override;
    void Beep(TBeepKind) override {}
    void PumpEvents(TRunContext& Run) override;
    void ProgressChanged(const TRunContext& Run) override;
    void ApplyCommandState(const TCommandState&) override {}
    void ResultsChanged(TTreeNode*) override {}
    bool ShowsAnchors() const override { return false; }
    // Removes the progress line.
    void EndProgress();

private:
    bool ShowProgress;
    bool LineShown = false;
};

} // namespace orvel::cli
