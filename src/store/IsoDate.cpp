#include "IsoDate.h"

bool IsoDigits(QDate d, char (&text)[11]) {
    int y = 0, m = 0, day = 0;
    d.getDate(&y, &m, &day);
    if (!d.isValid() || y < 1 || y > 9999)
        return false;
    const auto put = [&text](int at, int width, int value) {
        for (int i = at + width - 1; i >= at; --i, value /= 10)
            text[i] = char('0' + value % 10);
    };
    put(0, 4, y);
    text[4] = '-';
    put(5, 2, m);
    text[7] = '-';
    put(8, 2, day);
    text[10] = '\0';
    return true;
}

QString IsoDateText(QDate d) {
    char text[11];
    return IsoDigits(d, text) ? QString::fromLatin1(text, 10) : d.toString(Qt::ISODate);
}

QDate ParseIsoDate(const char* s, int n) {
    if (!s || n != 10 || s[4] != '-' || s[7] != '-')
        return QDate();
    auto digits = [s](int from, int count) {
        int v = 0;
        for (int i = from; i < from + count; ++i) {
            if (s[i] < '0' || s[i] > '9')
                return -1;
            v = v * 10 + (s[i] - '0');
        }
        return v;
    };
    const int y = digits(0, 4), m = digits(5, 2), d = digits(8, 2);
    if (y < 1 || m < 0 || d < 0 || !QDate::isValid(y, m, d))
        return QDate();
    return QDate(y, m, d);
}
