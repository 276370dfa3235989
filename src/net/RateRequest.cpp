#include "RateRequest.h"

#include "common/RegionalSettings.h"
#include "store/TableCatalog.h"

#include <QUrl>

namespace RateRequest {

std::optional<QString> serviceBase(const QString& override) {
    QString text = override.trimmed();
    if (text.isEmpty())
        text = qEnvironmentVariable(kServiceVariable).trimmed();
    if (text.isEmpty())
        text = QLatin1String(kDefaultService);
    const QUrl given(text, QUrl::StrictMode);
    const QString scheme = given.scheme().toLower();
    if (!given.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        given.host().isEmpty())
        return std::nullopt;
    QUrl base;
    base.setScheme(scheme);
    base.setHost(given.host());
    base.setPort(given.port());
    return base.toString(QUrl::FullyEncoded);
}

QString dateText(QDate date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString url(const QString& serviceBase, QDate from, QDate to, const QString& currencyCode) {
    return serviceBase + QStringLiteral("/scripts/XML_dynamic.asp?date_req1=") + dateText(from) +
           QStringLiteral("&date_req2=") + dateText(to) + QStringLiteral("&VAL_NM_RQ=") + currencyCode;
}

std::optional<QString> codeForSeries(Series series, int otherCurrencyRow) {
    if (const char* code = SeriesTable::of(series).serviceCode)
        return QString::fromLatin1(code);
    if (series != Series::OtherCurrency)
        return std::nullopt;
    const auto others = Catalog::otherCurrencies();
    if (otherCurrencyRow < 0 || otherCurrencyRow >= int(others.size()))
        return std::nullopt;
    return QString::fromLatin1(others[size_t(otherCurrencyRow)].code).trimmed();
}

std::optional<QString> codeForTable(const QString& table) {
    for (const SeriesInfo& s : SeriesTable::all()) {
        if (s.table && s.serviceCode && table.compare(QLatin1String(s.table), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(s.serviceCode);
    }
    for (const OtherCurrency& c : Catalog::otherCurrencies()) {
        if (table.compare(QLatin1String(c.table), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(c.code).trimmed();
    }
    return std::nullopt;
}

std::optional<QDate> readRangeDate(const QString& text, const RegionalSettings& regional, int currentYear) {
    // A masked field may show its blanks as underscores.
    QString blanked = text;
    blanked.replace(QLatin1Char('_'), QLatin1Char(' '));
    return regional.parseDate(blanked, currentYear);
}

Assembled assemble(const DownloadRequest& limits, const std::optional<QString>& code, const QString& serviceOverride,
                   const QString& fromText, const QString& toText, const RegionalSettings& regional, int currentYear) {
    Assembled out;
    if (!code) {
        out.problem = Problem::NoCurrency;
        return out;
    }
    const auto base = serviceBase(serviceOverride);
    if (!base) {
        out.problem = Problem::BadService;
        return out;
    }
    const auto from = readRangeDate(fromText, regional, currentYear);
    const auto to = readRangeDate(toText, regional, currentYear);
    if (!from || !to) {
        out.problem = Problem::BadDate;
        return out;
    }
    out.request = limits;
    out.request.url = url(*base, *from, *to, *code);
    return out;
}

} // namespace RateRequest
