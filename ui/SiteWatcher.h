// Watching the shown site on disk: what an editor or another program changes there is taken in
// a moment later, and the results follow.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class QSocketNotifier;

namespace orvel {
class TRunContext;
}

namespace orvel::ui {

class TSiteWatcher : public QObject {
    Q_OBJECT
public:
    // ReopenSite is called when the site's folders hold entries the results do not know.
    TSiteWatcher(TRunContext& RunContext, std::function<void()> ReopenSite,
                 QObject* Parent = nullptr);
    ~TSiteWatcher() override;
    // Watches the folders the site now shows; one watch per folder reports on all its entries.
    void Follow();

private:
    void ReadEvents();
    // Takes in what changed at the entries noticed since the last time.
    void TakeIn();

    TRunContext& Run;
    std::function<void()> Reopen;
    int Fd;
    QSocketNotifier* Notifier = nullptr;
    std::unordered_map<int, std::string> Folders; // watch → its folder's path, separator ended
    QTimer Settle; // changes come in bursts: they are taken in once they have settled
    std::vector<std::string> Noticed;
    std::uint64_t Watched = ~std::uint64_t{0}; // the file objects' membership watched
};

} // namespace orvel::ui
