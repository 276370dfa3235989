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

// Reads one Record element, the reader standing on its start tag; leaves it on the end tag.
std::optional<DownloadedRate> readRecord(QXmlStreamReader& xml) {
    DownloadedRate rate;
    rate.date = QDate::fromString(xml.attributes().value(QLatin1String("Date")).trimmed().toString(),
                                  QStringLiteral("dd.MM.yyyy"));
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
