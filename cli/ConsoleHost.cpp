#include "cli/ConsoleHost.h"

#include "analysis/RunContext.h"
#include "support/StringUtils.h"

#include <cstdio>

namespace orvel::cli {

namespace {
volatile std::sig_atomic_t GInterrupted = 0;

extern "C" void OnInterrupt(int) {
    GInterrupted = 1;
}
} // namespace

void TConsoleHost::InstallInterruptHandler() {
    struct sigaction Action {};
    Action.sa_handler = OnInterrupt;
    Action.sa_flags = SA_RESETHAND;
    sigemptyset(&Action.sa_mask);
    sigaction(SIGINT, &Action, nullptr);
}

bool TConsoleHost::Interrupted() {
    return GInterrupted != 0;
}

bool TConsoleHost::ShowMessageBox(TMessageKind Kind, const std::string& Text) {
    // The end-of-check box is part of the report; errors go to standard error at once.
    if (Kind == TMessageKind::mkInformation) return true;
    EndProgress();
    std::fprintf(stderr, "orvel-check: %s\n", ReplaceAll(Text, "\r\n", "\n").c_str());
    return Kind != TMessageKind::mkQuestion && Kind != TMessageKind::mkRiskyQuestion;
}

void TConsoleHost::PumpEvents(TRunContext& Run) {
    if (GInterrupted) Run.Halted = true;
}

void TConsoleHost::ProgressChanged(const TRunContext& Run) {
    if (!ShowProgress) return;
    std::string Line = Run.FileCountText();
    if (!Run.StatusText().empty()) Line += (Line.empty() ? "" : "  ") + Run.StatusText();
    if (Line.size() > 100) Line.resize(100); // may cut a character; the next line overwrites it
    std::fprintf(stderr, "\r\033[K%s", Line.c_str());
    std::fflush(stderr);
    LineShown = true;
}

void TConsoleHost::EndProgress() {
    if (!LineShown) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    LineShown = false;
}

} // namespace orvel::cli
