#include "ui/finder_search.h"

#include "networks/finder_report.h"

namespace gosei::ui {

FinderSearch::FinderSearch(QObject* parent) : QObject(parent), m_onThread(new QObject) {
    m_thread.setObjectName(QStringLiteral("finder search"));
    m_onThread->moveToThread(&m_thread);
    m_thread.start();
}

FinderSearch::~FinderSearch() {
    dropRequests();
    m_thread.quit();
    m_thread.wait();
}

void FinderSearch::search(networks::FinderSetup setup) {
    dropRequests();
    m_newestCancelled = std::make_shared<std::atomic<bool>>(false);
    setup.list().cancelled = m_newestCancelled.get();
    // Shared, because the call is copied into the event that carries it.
    auto request = std::make_shared<const networks::FinderSetup>(std::move(setup));
    QMetaObject::invokeMethod(
        m_onThread.get(),
        [this, request, cancelled = m_newestCancelled] { run(*request, cancelled); },
        Qt::QueuedConnection);
}

void FinderSearch::dropRequests() {
    if (m_newestCancelled) m_newestCancelled->store(true);
}

void FinderSearch::run(const networks::FinderSetup& setup, const Cancelled& cancelled) {
    if (*cancelled) return;
    if (!m_finder || m_finder->parts() != setup.parts)
        m_finder = std::make_unique<const networks::NetworkFinder>(setup.parts);
    const networks::FinderAnswer answer = networks::answerFor(setup, *m_finder);
    // A cancelled search returns early; its rows, up to thousands of
    // drawings, would only hold up the newer request.
    if (*cancelled) return;
    auto results = std::make_shared<const FinderResults>(finderResults(setup, answer));
    // Only this object's thread sets the flags, so the answer it lets
    // through is the newest.
    QMetaObject::invokeMethod(
        this,
        [this, results, cancelled] {
            if (!*cancelled) emit answered(results);
        },
        Qt::QueuedConnection);
}

}  // namespace gosei::ui
