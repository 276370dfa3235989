#pragma once

#include "TableCatalog.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

// The series the program shows and keeps current. What differs between them is data in their descriptors, so
// that a new series or a new use of one is a row here rather than another switch.
enum class Series { Dollar, Euro, OtherCurrency, Mrot, Refin, Inflation, Price };

// The grid that lists a series and the page of per-series controls beside it.
enum class SeriesGrid { Kurs, Other, MrotRefin, Infl, Price };
enum class SeriesPage { Currencies = 0, MrotRefin = 1, Inflation = 2, Price = 3, Other = 4 };
// Currency: amount x rate / nominal; Multiple: a multiple of the value; None: no express calculation.
enum class ExpressKind { None, Currency, Multiple };
enum class RecordDialogKind { Currency, Refin, Inflation, Price, Mrot };

struct SeriesInfo {
    Series series;
    const char* key;         // tarvel-cli's name of the series
    const char16_t* entry;   // the navigation tree's text
    const char16_t* caption; // the caption over the grid; nullptr: the entry's text
    Layout layout;
    const char* table; // the table the navigation opens; nullptr: the currency list's chosen row
    SeriesPage page;
    SeriesGrid grid;
    // Update modes besides "вручную", which every series allows, on entering the series.
    bool consultant;
    bool garant;
    bool internet;
    const char* serviceCode; // the central bank's code; nullptr: the currency list's, or none
    ExpressKind express;
    bool roublesWord; // the express result is an amount of roubles, with the word declined after it
    bool quickSearch; // the quick date search works on the series
    RecordDialogKind dialog;
};

namespace SeriesTable {
std::span<const SeriesInfo> all();
const SeriesInfo& of(Series series);
// By tarvel-cli's name, compared exactly.
std::optional<Series> byKey(QStringView key);
// The table the navigation opens for a series; for the other currencies the row of the currency list.
QString tableOf(Series series, int otherCurrencyRow);
} // namespace SeriesTable
