// Starts either the main window or an empty window of the same size and
// reports, once the first frame has been painted, the time since the given
// launch instant and the peak resident memory. bench/startup.sh drives it.
#include <sys/resource.h>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "ui/main_window.h"

namespace {

long long nowNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Reports after the first paint event has been handled and flushed.
class FirstFrame : public QObject {
  public:
    explicit FirstFrame(long long launched) : m_launched(launched) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] { report(); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void report() {
        const double milliseconds = double(nowNanoseconds() - m_launched) / 1e6;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%.1f %ld\n", milliseconds, usage.ru_maxrss);
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    long long m_launched;
    bool m_seen = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: startup_probe gosei|empty LAUNCH_NS\n");
        return 2;
    }
    const bool empty = std::strcmp(argv[1], "empty") == 0;
    const long long launched = std::atoll(argv[2]);
    QApplication app(argc, argv);
    FirstFrame firstFrame(launched);
    QWidget* window = nullptr;
    if (empty) {
        window = new QWidget;
        window->setFixedSize(584, 456);
    } else {
        window = new gosei::ui::MainWindow;
    }
    window->installEventFilter(&firstFrame);
    window->show();
    const int status = app.exec();
    delete window;
    return status;
}
