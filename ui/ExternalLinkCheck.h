// The check of a site's external links on a thread of its own, so that the window stays usable
// while the servers answer; its progress and results arrive on the window's thread.
#pragma once

#include "analysis/ExternalLinks.h"
#include "project/Settings.h"

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>

namespace orvel::ui {

class TExternalLinkCheck : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // Halts a check under way and waits for its thread.
    ~TExternalLinkCheck() override;

    // Starts asking about the links; a check under way is halted first and its results dropped.
    void Start(std::vector<TExternalLinkToCheck> Links, const TSettings& Settings);
    // Stops the check soon; what was not asked ends skipped and Finished still arrives.
    void Halt() { Halted = true; }
    bool Running() const { return Worker.joinable() && !Done; }

signals:
    void Progress(qulonglong Done, qulonglong Total);
    void Finished(std::shared_ptr<TExternalFindings> Findings);

private:
    void Stop();

    std::thread Worker;
    std::atomic<bool> Halted = false;
    bool Done = true;     // the window's thread has heard the end of the last check
    unsigned Current = 0; // the check whose messages count; older ones are dropped
};

} // namespace orvel::ui
