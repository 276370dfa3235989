#include "RateResponse.h"

#include "common/NumberText.h"

#include <QXmlStreamReader>

#include <cmath>

namespace {
QString withoutSeparators(QStringView text) {
    QString digits = trimmedControl(text).toString();
    digits.remove(QChar(0x00A0));
    digits.remove(QChar(0x202F));
    digits.remove(QLatin1Char(' '));
    return digits;
}

std::optional<int> readNominal(QStringView text) {
    const QString digits = withoutSeparators(text);
    if (digits.isEmpty())
        return std::nullopt;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const auto n = parseInteger(digits);
    if (!n || *n < 1)
        return std::nullopt;
    return n;
}

std::optional<double> readRate(QStringView text) {
    const QString digits = withoutSeparators(text);
    // The service writes plain decimals; an exponent would let «41e4217» through as an endless rate.
    if (digits.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return std::nullopt;
    const auto number = parseDecimal(digits, QLatin1Char(','));
    if (!number || number->negative || number->isZero())
        return std::nullopt;
    const double rate = number->toDouble();
    if (!std::isfinite(rate))
        return std::nullopt;
    return rate;
}

// The Date attribute, dd.mm.yyyy. The service's own form is read by hand: QDate::fromString sets up a whole
// date parser per call, half the cost of reading a record. Anything else goes to it as before.
QDate readServiceDate(QStringView text) {
    const auto digit = [&text](qsizetype i) {
        const char16_t c = text[i].unicode();
        return c >= u'0' && c <= u'9' ? int(c - u'0') : -1;
    };
    if (text.size() == 10 && text[2] == QLatin1Char('.') && text[5] == QLatin1Char('.')) {
        const int d1 = digit(0), d2 = digit(1), m1 = digit(3), m2 = digit(4);
        const int y1 = digit(6), y2 = digit(7), y3 = digit(8), y4 = digit(9);
        if (d1 >= 0 && d2 >= 0 && m1 >= 0 && m2 >= 0 && y1 >= 1 && y2 >= 0 && y3 >= 0 && y4 >= 0) {
            const int y = y1 * 1000 + y2 * 100 + y3 * 10 + y4, m = m1 * 10 + m2, d = d1 * 10 + d2;
            return QDate::isValid(y, m, d) ? QDate(y, m, d) : QDate();
        }
    }
    return QDate::fromString(text.toString(), QStringLiteral("dd.MM.yyyy"));
}

// Reads one Record element, the reader standing on its start tag; leaves it on the end tag.
std::optional<DownloadedRate> readRecord(QXmlStreamReader& xml) {
    DownloadedRate rate;
    rate.date = readServiceDate(xml.attributes().value(QLatin1String("Date")).trimmed());
    std::optional<int> nominal;
    std::optional<double> value;
    bool nominalSeen = false, valueSeen = false;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"Nominal" && !nominalSeen) {
            nominalSeen = true;
            nominal = readNominal(xml.readElementText(QXmlStreamReader::SkipChildElements));
        } else if (xml.name() == u"Value" && !valueSeen) {
            valueSeen = true;
            value = readRate(xml.readElementText(QXmlStreamReader::SkipChildElements));
        } else {
            xml.skipCurrentElement();
        }
    }
    if (!rate.date.isValid() || !nominal || !value)
        return std::nullopt;
    rate.nominal = *nominal;
    rate.rate = *value;
    return rate;
}
} // namespace

RateResponse ParseRateResponse(const QByteArray& document) {
    RateResponse response;
    QXmlStreamReader xml(document);
    bool rootSeen = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (!rootSeen) {
            rootSeen = true;
            if (xml.name() != u"ValCurs")
                return RateResponse{};
            continue;
        }
        if (xml.name() != u"Record")
            continue;
        if (const auto rate = readRecord(xml))
            response.records.append(*rate);
        else
            ++response.skipped;
    }
    if (xml.hasError() || !rootSeen)
        return RateResponse{};
    response.isRateData = true;
    return response;
}
