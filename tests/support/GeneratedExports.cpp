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

QByteArray rateServiceResponse(int records, QDate first) {
    const QDate last = first.addDays(records - 1);
    QByteArray out = "<?xml version=\"1.0\" encoding=\"windows-1251\"?><ValCurs ID=\"R01235\" DateRange1=\"" +
                     first.toString(u"dd.MM.yyyy").toLatin1() + "\" DateRange2=\"" +
                     last.toString(u"dd.MM.yyyy").toLatin1() + "\" name=\"Foreign Currency Market Dynamic\">";
    out.reserve(out.size() + qsizetype(records) * 120);
    for (int i = 0; i < records; ++i) {
        const qint64 count = generatedRateCount(i);
        const QByteArray value =
            QByteArray::number(count / 10000) + ',' + QByteArray::number(count % 10000).rightJustified(4, '0');
        out += "<Record Date=\"" + first.addDays(i).toString(u"dd.MM.yyyy").toLatin1() +
               "\" Id=\"R01235\"><Nominal>1</Nominal><Value>" + value + "</Value><VunitRate>" + value +
               "</VunitRate></Record>";
    }
    out += "</ValCurs>";
    return out;
}
