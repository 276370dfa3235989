#pragma once

#include "HttpClient.h"
#include "store/Series.h"

#include <QDate>
#include <QString>

#include <optional>

struct RegionalSettings;

// The request to the central bank's dynamic rate service: its address, the currency codes, the date form.
namespace RateRequest {
inline constexpr char kDefaultService[] = "http://www.cbr.ru";
inline constexpr char kServiceVariable[] = "TARVEL_SERVICE";

// Scheme, host and port of the service: the given address, else the environment variable TARVEL_SERVICE, else
// the default. Nothing when the chosen text is no http or https address with a host.
std::optional<QString> serviceBase(const QString& override = QString());

// dd.mm.yyyy with dots, whatever the user's regional settings.
QString dateText(QDate date);

QString url(const QString& serviceBase, QDate from, QDate to, const QString& currencyCode);

// The code sent for a series: its own, or for the other currencies the code of the currency list's row. Nothing
// for a series without one or a row outside the list.
std::optional<QString> codeForSeries(Series series, int otherCurrencyRow);
// The code of a currency table (USD, EUR or another currency's), letter case ignored.
std::optional<QString> codeForTable(const QString& table);

// A date field of the download: the user's date order and separator, the 50-year window for short years.
std::optional<QDate> readRangeDate(const QString& text, const RegionalSettings& regional, int currentYear);

enum class Problem { None, NoCurrency, BadService, BadDate };
struct Assembled {
    Problem problem = Problem::None;
    DownloadRequest request; // only without a problem
    bool ok() const { return problem == Problem::None; }
};
// The request of one download: the limits of `limits`, the series' code, the service (serviceBase's choice),
// the two date fields. Checked in this order; the first fault is the problem.
Assembled assemble(const DownloadRequest& limits, const std::optional<QString>& code, const QString& serviceOverride,
                   const QString& fromText, const QString& toText, const RegionalSettings& regional, int currentYear);
} // namespace RateRequest
