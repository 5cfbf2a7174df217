#include "analysis/RunContext.h"

#include "analysis/FileObject.h"
#include "support/Assertion.h"
#include "support/StringUtils.h"

namespace orvel {

TRunContext::TRunContext(THost& Host, TPathStyle PathStyle)
    : Host(Host), CurrentProject(PathStyle), FileObjects(PathStyle) {}

TRunContext::~TRunContext() {
    FileObjects.Clear();
}

void TRunContext::Pump() {
    // Items are short: the clock is read only every few of them.
    if (PumpInterval.count() > 0 && ++ItemsSincePump % 32 != 0) return;
    const auto Now = std::chrono::steady_clock::now();
    if (Now - LastPump < PumpInterval) return;
    LastPump = Now;
    Host.ProgressChanged(*this);
    Host.PumpEvents(*this);
}

void TRunContext::BeginBusy() {
    Assert(BusyCount >= 0, "MainWindow");
    if (BusyCount++ == 0) Host.ApplyCommandState({true, false});
}

void TRunContext::EndBusy() {
    if (--BusyCount < 0) {
        BusyCount = 0; // an unbalanced close must not leave every later command failing
        Assert(false, "MainWindow");
    }
    Status.clear();
    Count = -1;
    if (BusyCount > 0) return; // the next pump shows the cleared texts
    Host.ProgressChanged(*this);
    Halted = false;
    Host.ApplyCommandState({false, FileSystem->DirExists(CurrentProject.HomeDir)});
}

std::string TRunContext::CountText() const {
    return Count < 0 ? std::string() : "count " + std::to_string(Count);
}

void TRunContext::SetStatusText(std::string Text) {
    Status = std::move(Text);
    if (BusyCount == 0) Host.ProgressChanged(*this); // while busy, the next pump shows it
}

void TRunContext::SetCount(long long Value) {
    Count = Value;
}

void TRunContext::SetFileCountText(std::string Text) {
    FileCount = std::move(Text);
}

} // namespace orvel
