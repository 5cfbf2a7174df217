#include "analysis/ScanPipeline.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace orvel {

namespace {

// Items found ahead of the scan's thread at most: enough for what the readers do between two
// event pumps.
constexpr size_t MaxItems = 4096;

// An extraction on a reading task: it stops when the scan does.
class TStopProgress final : public TExtractProgress {
public:
    explicit TStopProgress(std::stop_token Token) : Stop(std::move(Token)) {}
    void StageBegins(TExtractStage) override {}
    bool Step(long long) override { return Stop.stop_requested(); }

private:
    const std::stop_token Stop;
};

} // namespace

TScanPipeline::TScanPipeline(const std::string& Folder, TScanRules ScanRules)
    : Rules(std::move(ScanRules)), Walk(Folder, this->Rules),
      MaxReaders(static_cast<int>(TThreadPool::Shared().Size())) {
    std::lock_guard<std::mutex> Guard(Lock);
    PostWalk();
}

TScanPipeline::~TScanPipeline() {
    Tasks.RequestStop();
    Tasks.Finish();
}

TScanPipeline::TNext TScanPipeline::Next(TScanItem& Item, std::chrono::milliseconds Timeout) {
    std::unique_lock<std::mutex> Guard(Lock);
    const auto Available = [&] {
        return Failure || (Slots.empty() ? WalkDone : Slots.front().Ready);
    };
    if (!Available()) {
        ConsumerWaits = true;
        ItemsReady.wait_for(Guard, Timeout, Available);
        ConsumerWaits = false;
    }
    if (Failure) std::rethrow_exception(Failure);
    if (Slots.empty()) return WalkDone ? TNext::nEnd : TNext::nWaiting;
    if (!Slots.front().Ready) return TNext::nWaiting;
    Item = std::move(Slots.front().Item);
    Slots.pop_front();
    ++FrontSequence;
    PostWalk();
    return TNext::nItem;
}

void TScanPipeline::PostWalk() {
    if (Stopping() || Walking || WalkDone || Slots.size() > MaxItems / 2) return;
    Walking = true;
    Tasks.Run([this](const std::stop_token&) { WalkSome(); });
}

void TScanPipeline::PostReader() {
    if (Stopping() || Readers >= MaxReaders) return;
    ++Readers;
    Tasks.Run([this](const std::stop_token&) { ReadSome(); });
}

void TScanPipeline::Fail(std::exception_ptr Error) {
    if (!Failure) Failure = std::move(Error);
    Tasks.RequestStop();
    ItemsReady.notify_one();
}

void TScanPipeline::WalkSome() {
    try {
        for (;;) {
            std::optional<TWalkStep> Step = Walk.Next(StopToken);
            std::lock_guard<std::mutex> Guard(Lock);
            if (!Step) {
                WalkDone = !Stopping();
                Walking = false;
                ItemsReady.notify_one();
                return;
            }
            TSlot Slot{{Step->Kind,
                        std::move(Step->Name),
                        std::move(Step->Path),
                        std::move(Step->Note),
                        {}},
                       Step->Seen,
                       Step->Read,
                       !Step->Read};
            Slots.push_back(std::move(Slot));
            if (Step->Read)
                PostReader();
            else if (ConsumerWaits && Slots.size() == 1)
                ItemsReady.notify_one(); // the scan's thread waits only for the first item
            if (Slots.size() >= MaxItems) {
                Walking = false; // posted again once the scan's thread has taken half
                return;
            }
        }
    } catch (...) {
        std::lock_guard<std::mutex> Guard(Lock);
        Walking = false;
        Fail(std::current_exception());
    }
}

void TScanPipeline::ReadSome() {
    std::string Buffer; // the text of the file being read
    TStopProgress Progress(StopToken);
    std::unique_lock<std::mutex> Guard(Lock);
    while (!Stopping()) {
        const std::uint64_t End = FrontSequence + Slots.size();
        NextUnread = std::max(NextUnread, FrontSequence);
        while (NextUnread < End && !Slots[NextUnread - FrontSequence].Unread)
            ++NextUnread;
        if (NextUnread == End) break;
        // The slot is not taken before it is ready, so its number finds it again.
        const std::uint64_t Sequence = NextUnread++;
        TSlot& Slot = Slots[Sequence - FrontSequence];
        Slot.Unread = false;
        const std::string Path = Slot.Item.Path;
        const TSeenEntry Seen = Slot.Seen;
        Guard.unlock();
        TReadPage Page;
        try {
            Page = ReadPage(Path, Rules.Extract, Progress, Buffer, Seen);
        } catch (...) {
            Guard.lock();
            Fail(std::current_exception());
            break;
        }
        Guard.lock();
        TSlot& Read = Slots[Sequence - FrontSequence];
        Read.Item.Page = std::move(Page);
        Read.Ready = true;
        if (ConsumerWaits && Sequence == FrontSequence) ItemsReady.notify_one();
    }
    --Readers;
}

} // namespace orvel
