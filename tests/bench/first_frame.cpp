// Linked into every program the start-up benchmark runs: the real program's main and the two
// floors. Once the application exists, it watches for the first paint of a top-level window; when
// that paint and its flush to the screen are done, it reports the time (CLOCK_MONOTONIC, in
// nanoseconds) on the file descriptor named by KRIVOKLYUN_FIRST_FRAME_FD and ends the process at
// once, so that CPU time and peak memory cover start-up and nothing after it.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <unistd.h>

namespace {

class FirstFrameProbe final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!armed_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            armed_ = true;
            // Fires once the whole paint, children and flush included, has returned to the loop.
            QTimer::singleShot(0, [] { reportAndExit(); });
        }
        return false;
    }

private:
    static void reportAndExit() {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const long long nanoseconds = now.tv_sec * 1'000'000'000LL + now.tv_nsec;
        if (const char* fd = std::getenv("KRIVOKLYUN_FIRST_FRAME_FD")) {
            char line[32];
            const int length = std::snprintf(line, sizeof line, "%lld\n", nanoseconds);
            if (write(std::atoi(fd), line, static_cast<std::size_t>(length)) != length)
                std::_Exit(2);
        }
        std::_Exit(0);
    }

    bool armed_ = false;
};

void installProbe() {
    QCoreApplication::instance()->installEventFilter(new FirstFrameProbe);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
