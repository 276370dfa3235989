#pragma once

#include <QDate>
#include <QDateTime>

// Today's date for whatever writes DT or fills date fields; tests set it.
class Clock {
public:
    QDate today() const { return m_fixed.isValid() ? m_fixed : systemToday(); }
    void setToday(QDate day) { m_fixed = day; }

private:
    // QDate::currentDate() reads the time zone afresh on every call (on Linux a look at /etc/localtime, some
    // microseconds), and an import dates every record it stores. A local date only changes at a whole second,
    // so the answer holds for the rest of the second it was read in; per thread, so that no thread waits.
    static QDate systemToday() {
        thread_local qint64 second = -1;
        thread_local QDate date;
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        if (now != second) {
            date = QDate::currentDate();
            second = now;
        }
        return date;
    }

    QDate m_fixed;
};
