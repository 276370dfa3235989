#include "GeneratedExports.h"

#include "import/ImportText.h"

#include <QHash>

QByteArray toWindows1251(const QString& text) {
    static const QHash<QChar, char> table = [] {
        QHash<QChar, char> h;
        for (int b = 1; b < 256; ++b)
            h.insert(DecodeWindows1251(QByteArray(1, char(b))).at(0), char(b));
        return h;
    }();
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out.append(table.value(c, '?'));
    return out;
}

qint64 generatedRateCount(int index) {
    return 250000 + (qint64(index) * 7919) % 300000;
}

QByteArray consultantDollarExport(int days, bool newestFirst, QDate first) {
    static const char* months[] = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                                   "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
    QString text = QStringLiteral("ОФИЦИАЛЬНЫЙ КУРС ДОЛЛАРА США\r\n\r\nДата                   1 Доллар США\r\n\r\n");
    for (int n = 0; n < days; ++n) {
        const int i = newestFirst ? days - 1 - n : n;
        const QDate d = first.addDays(i);
        const QString head = QStringLiteral("с %1 %2 %3 г.")
                                 .arg(d.day(), 2, 10, QLatin1Char('0'))
                                 .arg(QString::fromUtf8(months[d.month() - 1]))
                                 .arg(d.year());
        const qint64 count = generatedRateCount(i);
        text += head.leftJustified(23, QLatin1Char(' ')) +
                QStringLiteral("%1,%2").arg(count / 10000).arg(count % 10000, 4, 10, QLatin1Char('0')) +
                QStringLiteral("\r\n");
    }
    return toWindows1251(text);
}
