// The recognition loop with every parser on arbitrary bytes: no crash, no hang, and every record handed on
// carries a valid date.
#include "common/AppError.h"
#include "common/RegionalSettings.h"
#include "import/ImportParsers.h"
#include "import/ImportRun.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {
void garantDollar(ImportRun& run) {
    ParseGarantRates(run, GarantRateColumn::Dollar);
}
void garantEuro(ImportRun& run) {
    ParseGarantRates(run, GarantRateColumn::Euro);
}

struct Kind {
    const char16_t* signature;
    void (*parser)(ImportRun&);
};
const Kind kKinds[] = {
    {u"1 Доллар США", ParseConsultantDollar}, {u"КУРСЫ ДОЛЛАРА США,", garantDollar},
    {u"1 ЕВРО", ParseConsultantEuro},         {u"КУРСЫ ДОЛЛАРА США,", garantEuro},
    {u"Сумма минимального", ParseConsultantMrot}, {u"размер оплаты труда", ParseGarantMrot},
    {u"(%, годовых)", ParseConsultantRefin},  {u"учетной ставки", ParseGarantRefin},
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const RegionalSettings regional = RegionalSettings::russian();
    for (const Kind& kind : kKinds) {
        LineReader reader(bytes);
        ImportRun run(reader, regional, 2026, [](const ImportedRecord& record, const ImporterProfile&) {
            if (!record.date.isValid())
                std::abort();
        });
        try {
            RunRecognition(run, QStringView(kind.signature), kind.parser);
        } catch (const AppError&) {
            // A line that cannot be read ends the import with its report.
        }
    }
    return 0;
}
