#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

#include "networks/finder_request.h"
#include "networks/network_search.h"
#include "ui/finder_results.h"

namespace gosei::ui {

// Runs the finder window's searches on a thread of their own, so that
// typing never waits for one. Only the newest request is answered: each new
// request cancels the one before, which is then dropped unsearched if it
// still waits, stops early if it runs (a four-part divider over E192 can take
// seconds), and is never delivered if it has just finished.
//
// The tables of the last set of parts are kept for the next request, since
// building them is the slow step of most searches (E192 over ten decades:
// 0.1 to 0.2 s).
class FinderSearch : public QObject {
    Q_OBJECT

  public:
    explicit FinderSearch(QObject* parent = nullptr);
    ~FinderSearch() override;

    void search(networks::FinderSetup setup);
    // No answer to any request made so far is wanted any more.
    void dropRequests();

  signals:
    // On the thread this object lives in.
    void answered(std::shared_ptr<const FinderResults> results);

  private:
    using Cancelled = std::shared_ptr<std::atomic<bool>>;
    // On the search thread.
    void run(const networks::FinderSetup& setup, const Cancelled& cancelled);

    Cancelled m_newestCancelled;  // the newest request's flag
    QThread m_thread;
    std::unique_ptr<QObject> m_onThread;                      // the context of the calls to run()
    std::unique_ptr<const networks::NetworkFinder> m_finder;  // touched by run() only
};

}  // namespace gosei::ui
