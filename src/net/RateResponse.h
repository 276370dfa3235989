#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>

// One rate of the service's answer, read whole.
struct DownloadedRate {
    QDate date;
    int nominal = 0;
    double rate = 0;
};

// The service's answer as read: whether it is rate data at all (well-formed XML under a ValCurs root), the
// records that read whole, and how many records were left out because a field was missing or unreadable.
struct RateResponse {
    bool isRateData = false;
    QList<DownloadedRate> records;
    int skipped = 0;
};

// Takes every Record element, whatever the line breaks and the declared encoding: its Date attribute
// (dd.mm.yyyy), the whole Nominal and the whole Value (decimal comma; blanks and no-break spaces between the
// digits are thousands separators).
RateResponse ParseRateResponse(const QByteArray& document);
