#include "cli/ConsoleHost.h"

#include "analysis/RunContext.h"
#include "cli/Report.h"
#include "support/Translation.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace orvel::cli {

namespace {
volatile std::sig_atomic_t GInterrupted = 0;

// Whether a line of a message is one of the core's texts that stand on a line of their own
// above the path they are about; the others follow their path.
bool SaysOfPath(const std::string& Line) {
    static const std::string* const Texts[] = {&Tr("ディレクトリが存在しません"),
                                               &Tr("ファイルをオープンできません")};

    return std::ranges::any_of(Texts, [&](const std::string* Text) { return *Text == Line; });
}

// A message box's text as one line: "path: text" for a text beside its path, else its lines
// joined; what a path holds that would end the line early or break it is escaped.
std::string OneLine(const std::string& Text) {
    std::vector<std::string> Lines;
    for (size_t Start = 0; Start <= Text.size();) {
        const size_t End = std::min(Text.find("\r\n", Start), Text.size());
        if (End > Start) Lines.push_back(Text.substr(Start, End - Start));
        Start = End + 2;
    }
    if (Lines.size() == 2 && SaysOfPath(Lines[0])) std::swap(Lines[0], Lines[1]);
    std::string Line;
    for (const std::string& Part : Lines)
        Line += (Line.empty() ? "" : ": ") + Escaped(Part);
    return Line;
}

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
    const std::string Line = "orvel-check: " + OneLine(Text) + '\n';
    std::fwrite(Line.data(), 1, Line.size(), stderr);

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
