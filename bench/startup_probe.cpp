// Starts the main window, an empty window of the same size, or that window
// with one Japanese label, and reports, once the first frame has been
// painted, the time since the given launch instant and the peak resident
// memory. bench/startup.sh drives it.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "ui/main_window.h"

namespace {

long long nowNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// The peak resident memory of this process image in KiB. Unlike
// getrusage's ru_maxrss, which keeps the peak of a parent that forked the
// process before exec, VmHWM starts afresh with the program.
long peakResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
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
        std::printf("%.1f %ld\n", milliseconds, peakResidentKiB());
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    long long m_launched;
    bool m_seen = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: startup_probe gosei|empty|label LAUNCH_NS\n");
        return 2;
    }
    const std::string kind = argv[1];
    const long long launched = std::atoll(argv[2]);
    QApplication app(argc, argv);
    FirstFrame firstFrame(launched);
    QWidget* window = nullptr;
    if (kind == "gosei") {
        window = new gosei::ui::MainWindow;
    } else {
        window = new QWidget;
        window->setFixedSize(584, 456);
        if (kind == "label") {
            // What any window with Japanese text pays: fontconfig, one face,
            // shaping and rasterising a few glyphs.
            auto* label = new QLabel(QStringLiteral("合成抵抗算出ソフト"), window);
            QFont font(QStringLiteral("IPAPGothic"));
            font.setPixelSize(12);
            label->setFont(font);
            label->move(40, 40);
        }
    }
    window->installEventFilter(&firstFrame);
    window->show();
    const int status = app.exec();
    delete window;
    return status;
}
