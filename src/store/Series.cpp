#include "Series.h"

namespace {
using enum Series;
const SeriesInfo kSeries[] = {
    {Dollar, "usd", u"Доллар США", u"Курсы валют - Доллар США", Layout::Currency, "USD", SeriesPage::Currencies,
     SeriesGrid::Kurs, true, true, true, "R01235", ExpressKind::Currency, true, true, RecordDialogKind::Currency},
    {Euro, "eur", u"ЕВРО", u"Курсы валют - ЕВРО", Layout::Currency, "EUR", SeriesPage::Currencies, SeriesGrid::Kurs,
     true, true, true, "R01239", ExpressKind::Currency, true, true, RecordDialogKind::Currency},
    // Entered on the German mark; a pick in the currency list allows the file modes as well.
    {OtherCurrency, "other", u"Другие", u"Курсы валют - Немецкая марка", Layout::Currency, nullptr, SeriesPage::Other,
     SeriesGrid::Other, false, false, true, nullptr, ExpressKind::Currency, true, true, RecordDialogKind::Currency},
    {Mrot, "mrot", u"МРОТ", u"Минимальный размер оплаты труда", Layout::Wage, "mrot", SeriesPage::MrotRefin,
     SeriesGrid::MrotRefin, true, true, false, nullptr, ExpressKind::Multiple, true, true, RecordDialogKind::Mrot},
    {Refin, "refin", u"Ставка рефинансирования", nullptr, Layout::Wage, "refin", SeriesPage::MrotRefin,
     SeriesGrid::MrotRefin, true, true, false, nullptr, ExpressKind::Multiple, false, true, RecordDialogKind::Refin},
    // Kept by hand only; an amount is not converted at an index.
    {Inflation, "infl", u"Индекс инфляции", nullptr, Layout::Inflation, "infl", SeriesPage::Inflation, SeriesGrid::Infl,
     false, false, false, nullptr, ExpressKind::None, false, false, RecordDialogKind::Inflation},
    {Price, "price", u"Индекс потребительских цен", nullptr, Layout::Price, "price", SeriesPage::Price,
     SeriesGrid::Price, false, false, false, nullptr, ExpressKind::None, false, false, RecordDialogKind::Price},
};
} // namespace

namespace SeriesTable {
std::span<const SeriesInfo> all() {
    return kSeries;
}

const SeriesInfo& of(Series series) {
    return kSeries[int(series)];
}

std::optional<Series> byKey(QStringView key) {
    for (const SeriesInfo& s : kSeries) {
        if (key == QLatin1String(s.key))
            return s.series;
    }
    return std::nullopt;
}

QString tableOf(Series series, int otherCurrencyRow) {
    const SeriesInfo& s = of(series);
    if (s.table)
        return QLatin1String(s.table);
    const auto others = Catalog::otherCurrencies();
    if (otherCurrencyRow < 0 || otherCurrencyRow >= int(others.size()))
        return QString();
    return QLatin1String(others[size_t(otherCurrencyRow)].table);
}
} // namespace SeriesTable
