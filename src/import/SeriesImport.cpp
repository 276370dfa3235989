#include "SeriesImport.h"

#include "ImportParsers.h"

namespace {
void parseGarantDollar(ImportRun& run) {
    ParseGarantRates(run, GarantRateColumn::Dollar);
}
void parseGarantEuro(ImportRun& run) {
    ParseGarantRates(run, GarantRateColumn::Euro);
}

const SeriesImport kImports[] = {
    {Series::Dollar,
     "USD",
     "USD",
     {u"1 Доллар США", ParseConsultantDollar},
     {u"КУРСЫ ДОЛЛАРА США,", parseGarantDollar}},
    {Series::Euro, "EUR", "EUR", {u"1 ЕВРО", ParseConsultantEuro}, {u"КУРСЫ ДОЛЛАРА США,", parseGarantEuro}},
    // The navigation opens the MROT table as "mrot": an MROT import always reopens it, which puts the cursor
    // on the newest record.
    {Series::Mrot,
     "Mrot",
     "MROT",
     {u"Сумма минимального", ParseConsultantMrot},
     {u"размер оплаты труда", ParseGarantMrot}},
    {Series::Refin, "refin", "REFIN", {u"(%, годовых)", ParseConsultantRefin}, {u"учетной ставки", ParseGarantRefin}},
};
} // namespace

namespace SeriesImports {
std::span<const SeriesImport> all() {
    return kImports;
}

const SeriesImport* of(Series series) {
    for (const SeriesImport& i : kImports) {
        if (i.series == series)
            return &i;
    }
    return nullptr;
}
} // namespace SeriesImports
