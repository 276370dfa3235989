#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

// Realistic exports made up for volume: a ConsultantPlus dollar table of `days` consecutive days from `first`,
// in windows-1251 with CR LF line ends.
QByteArray toWindows1251(const QString& text);
QByteArray consultantDollarExport(int days, bool newestFirst, QDate first = QDate(1992, 7, 1));
// The rate the generated export gives to the day `index` (0 = `first`), in ten-thousandths.
qint64 generatedRateCount(int index);

// The service's answer for the dollar over `records` consecutive days from `first`, oldest first, in one line as
// the service sends it; the rate of each day is generatedRateCount of its index.
QByteArray rateServiceResponse(int records, QDate first = QDate(1992, 7, 1));
