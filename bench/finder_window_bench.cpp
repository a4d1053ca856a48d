// The finder window from the last keystroke of a request to its results
// painted on the screen, typing pause included, for 4k7 with 1 to 4 parts:
// E24 over 1..10M, E192 over 1..10M in a new window (its tables built
// first), and E192 again in the same window (its tables kept). Prints the
// median and the fastest of RUNS runs of each.
//   xvfb-run -a build/bench/finder_window_bench [RUNS]
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "ui/finder_window.h"

namespace {

using gosei::ui::FinderWindow;

// Waits for the window to show the answer, then for the results' next
// paint to be handled and flushed; gives the time since `typed` in ms.
class PaintedResults : public QObject {
  public:
    explicit PaintedResults(FinderWindow& window)
        : m_viewport(window.findChild<QTableView*>()->viewport()) {
        connect(&window, &FinderWindow::requestShown, this, [this] { m_shown = true; });
        m_viewport->installEventFilter(this);
    }

    double waitFrom(const QElapsedTimer& typed) {
        m_shown = false;
        m_painted = false;
        while (!m_painted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return double(typed.nsecsElapsed()) / 1e6;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_shown)
            QTimer::singleShot(0, this, [this] { m_painted = true; });
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* m_viewport;
    bool m_shown = false;
    bool m_painted = false;
};

// Types the value over what 目標値 holds, as a person does, and times the
// last key.
double typeAndTime(FinderWindow& window, PaintedResults& painted, const QString& value) {
    QLineEdit* wanted = nullptr;
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        if (field->accessibleName() == QStringLiteral("目標値")) wanted = field;
    wanted->selectAll();
    QTest::keyClicks(wanted, value.chopped(1));
    QElapsedTimer typed;
    typed.start();
    QTest::keyClick(wanted, value.back().toLatin1());
    return painted.waitFrom(typed);
}

std::unique_ptr<FinderWindow> newWindow(const QString& series) {
    auto window = std::make_unique<FinderWindow>();
    window->findChild<QComboBox*>()->setCurrentText(series);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qFatal("the window did not show");
    window->activateWindow();
    QTest::qWait(200);  // the empty form's hint shown and painted
    return window;
}

void report(const char* name, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-34s median %7.1f ms   fastest %7.1f ms\n", name, times[times.size() / 2],
                times.front());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::vector<double> e24, e192First, e192Again;
    for (int run = 0; run < runs; ++run) {
        {
            auto window = newWindow(QStringLiteral("E24"));
            PaintedResults painted(*window);
            e24.push_back(typeAndTime(*window, painted, QStringLiteral("4k7")));
        }
        auto window = newWindow(QStringLiteral("E192"));
        PaintedResults painted(*window);
        e192First.push_back(typeAndTime(*window, painted, QStringLiteral("4k7")));
        QTest::qWait(200);
        e192Again.push_back(typeAndTime(*window, painted, QStringLiteral("4k7")));
    }
    std::printf("from the last key to the painted results, of which 150 ms is the typing pause\n");
    report("E24 1..10M, 4 parts", e24);
    report("E192 1..10M, 4 parts, new window", e192First);
    report("E192 1..10M, 4 parts, tables kept", e192Again);
    return 0;
}
