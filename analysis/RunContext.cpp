#include "analysis/RunContext.h"

#include "analysis/FileObject.h"
#include "support/Assertion.h"
#include "support/StringUtils.h"
#include "support/Translation.h"

namespace orvel {

TRunContext::TRunContext(THost& RunHost, TPathStyle Style)
    : Host(RunHost), CurrentProject(Style), FileObjects(Style) {}

TRunContext::~TRunContext() {
    FileObjects.Clear();
}

void TRunContext::Pump() {
    // Items are short: the clock is read only every few of them.
    if (PumpInterval.count() > 0 && ++ItemsSincePump % 32 != 0) return;
    PumpWhenDue();
}

void TRunContext::PumpWhenDue() {
    const auto Now = std::chrono::steady_clock::now();
    if (Now - LastPump < PumpInterval) return;
    LastPump = Now;
    ShowProgress();
    Host.PumpEvents(*this);
}

void TRunContext::BeginBusy() {
    Assert(BusyCount >= 0, "RunContext");
    if (BusyCount++ == 0) Host.ApplyCommandState({true, false});
}

void TRunContext::EndBusy() {
    if (--BusyCount < 0) {
        BusyCount = 0; // an unbalanced close must not leave every later command failing
        Assert(false, "RunContext");
    }
    Status.clear();
    Count = -1;
    ShowProgress();
    if (BusyCount > 0) return;
    EndedHalted = Halted;
    Halted = false;
    Host.ApplyCommandState(
        {false, FileSystem->DirExists(CurrentProject.HomeDir), !UndoSteps.empty()});
}

std::string TRunContext::CountText() const {
    return Count < 0 ? std::string() : Tr("count ") + std::to_string(Count);
}

void TRunContext::SetStatusText(std::string Text) {
    Status = std::move(Text);
    ProgressSet();
}

void TRunContext::SetStatusText(std::string_view First, std::string_view Second) {
    Status.assign(First).append(Second);
    ProgressSet();
}

void TRunContext::SetCount(long long Value) {
    Count = Value;
    ProgressSet();
}

void TRunContext::ShowFileCount() {
    FileCount = Tr("総ファイル数 ") + std::to_string(FileObjects.Count());

    ProgressSet();
}

void TRunContext::ProgressSet() {
    if (BusyCount == 0) ShowProgress();
}

void TRunContext::ShowProgress() {
    if (Status == ShownStatus && Count == ShownCount && FileCount == ShownFileCount) return;
    ShownStatus = Status;
    ShownCount = Count;
    ShownFileCount = FileCount;
    Host.ProgressChanged(*this);
}

bool TRunContext::ShowMessageBox(TMessageKind Kind, const std::string& Text) {
    ShowProgress();
    return Host.ShowMessageBox(Kind, Text);
}

bool TRunContext::ShowMessageBox(TMessageKind Kind, const std::string& Text,
                                 const std::string& Details) {
    ShowProgress();
    return Host.ShowMessageBox(Kind, Text, Details);
}

void TRunContext::Beep(TBeepKind Kind) {
    ShowProgress();
    Host.Beep(Kind);
}

} // namespace orvel
