// The recognition loop with every parser on arbitrary bytes: no crash, no hang, and every record handed on
// carries a valid date.
#include "common/AppError.h"
#include "common/RegionalSettings.h"
#include "import/ImportRun.h"
#include "import/SeriesImport.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const RegionalSettings regional = RegionalSettings::russian();
    for (const SeriesImport& series : SeriesImports::all()) {
        for (const SeriesImportSource& kind : {series.consultant, series.garant}) {
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
    }
    return 0;
}
