#include "FirstPaintReport.h"

#include "platform/MemoryStatus.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

void FirstPaintReport::install(QWidget& window) {
    window.installEventFilter(new FirstPaintReport(&window));
}

bool FirstPaintReport::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !m_seen) {
        m_seen = true;
        // Once the whole window is painted and flushed, not when its first widget starts painting.
        QTimer::singleShot(0, this, [] {
            std::printf("first-paint %llu\n", static_cast<unsigned long long>(MemoryStatus::peakResidentBytes()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
    return QObject::eventFilter(watched, event);
}
