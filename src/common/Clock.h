#pragma once

#include <QDate>

// Today's date for whatever writes DT or fills date fields; tests set it.
class Clock {
public:
    QDate today() const { return m_fixed.isValid() ? m_fixed : QDate::currentDate(); }
    void setToday(QDate day) { m_fixed = day; }

private:
    QDate m_fixed;
};
