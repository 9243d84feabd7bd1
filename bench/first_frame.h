// Start-up probe shared by the benchmark programs: once the first frame of the first top-level
// window has been painted, prints the wall-clock time in nanoseconds and quits.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

class FirstFrameProbe : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!done_ && event->type() == QEvent::Paint && widget != nullptr && widget->isWindow()) {
            done_ = true;
            // Runs once this paint and the flush to the screen that follows it are over.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("first-frame-ns %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                if (QWidget* window = QApplication::activeWindow()) window->close();
                QApplication::closeAllWindows();
            });
        }
        return false;
    }

private:
    bool done_ = false;
};

inline void InstallFirstFrameProbe() {
    QCoreApplication::instance()->installEventFilter(new FirstFrameProbe);
}
