#include "ui/ExternalLinkCheck.h"

#include "analysis/ExternalCache.h"

#include <QMetaObject>

namespace orvel::ui {

TExternalLinkCheck::~TExternalLinkCheck() {
    Stop();
}

void TExternalLinkCheck::Stop() {
    if (!Worker.joinable()) return;
    Halted = true;
    Worker.join(); // soon: the check looks at Halted between its waits
}

void TExternalLinkCheck::Start(std::vector<TExternalLinkToCheck> Links, const TSettings& Settings) {
    Stop();
    Halted = false;
    Done = false;
    const unsigned Check = ++Current;
    Worker = std::thread([this, Check, Links = std::move(Links), Settings] {
        // Messages queued to the window's thread, heard only while this check is the current.
        const auto Post = [this, Check](auto Message) {
            QMetaObject::invokeMethod(
                this,
                [this, Check, Message] {
                    if (Check == Current) Message();
                },
                Qt::QueuedConnection);
        };
        auto Findings = std::make_shared<TExternalFindings>(CheckExternalLinks(
            Links, Settings, TExternalCache::DefaultPath(),
            [&](size_t Asked, size_t Total) {
                Post([this, Asked, Total] { emit Progress(Asked, Total); });
            },
            [this] { return Halted.load(); }));
        Post([this, Findings] {
            Done = true;
            emit Finished(Findings);
        });
    });
}

} // namespace orvel::ui
