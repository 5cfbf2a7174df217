#include "analysis/RunContext.h"

#include "analysis/fileobject.h"
#include "mylib/Assertion.h"
#include "mylib/MyStr.h"

namespace orvel {

TRunContext::TRunContext(THost& Host, TPathStyle PathStyle)
    : Host(Host), CurrentProject(PathStyle), FileObjects(PathStyle) {}

TRunContext::~TRunContext() { FileObjects.Clear(); }

void TRunContext::Pump() {
    const auto Now = std::chrono::steady_clock::now();
    if (Now - LastPump < PumpInterval) return;
    LastPump = Now;
    Host.ProgressChanged(*this);
    Host.PumpEvents(*this);
}

void TRunContext::BeginBusy() {
    Assert(BusyCount >= 0, "mainform");
    if (BusyCount++ == 0) Host.ApplyCommandState({true, false});
}

void TRunContext::EndBusy() {
    if (--BusyCount < 0) {
        BusyCount = 0; // an unbalanced close must not leave every later command failing
        Assert(false, "mainform");
    }
    ClearProgress();
    if (BusyCount > 0) return;
    Halted = false;
    Host.ApplyCommandState({false, FileSystem->DirExists(CurrentProject.HomeDir)});
}

std::string TRunContext::CountText() const {
    return Count < 0 ? std::string() : "count " + std::to_string(Count);
}

void TRunContext::SetStatusText(std::string Text) { Status = std::move(Text); }

void TRunContext::SetCount(long long Value) { Count = Value; }

void TRunContext::SetFileCountText(std::string Text) { FileCount = std::move(Text); }

void TRunContext::ClearProgress() {
    Status.clear();
    Count = -1;
    Host.ProgressChanged(*this);
}

} // namespace orvel
