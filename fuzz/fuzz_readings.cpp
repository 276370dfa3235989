// The date and number readings on arbitrary text: no crash, no hang, and what they accept is self-consistent.
#include "common/NumberText.h"
#include "common/RegionalSettings.h"
#include "store/Fixed4.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (QChar separator : {QChar(u','), QChar(u'.')}) {
        if (const auto d = parseDecimal(text, separator)) {
            (void)d->toDouble();
            if (const auto count = d->toTenThousandths()) {
                // A value read back from what it writes keeps its count.
                const Fixed4 f = Fixed4::fromCount(*count);
                // Up to 15 digits a double carries every count exactly.
                if (*count > -qint64(1000000000000000) && *count < qint64(1000000000000000) &&
                    Fixed4::fromDouble(f.toDouble()).count() != *count)
                    std::abort();
            }
            if (const auto exact = d->exactTenThousandths()) {
                if (exact != d->toTenThousandths())
                    std::abort();
            }
        }
    }
    (void)parseInteger(text);
    const RegionalSettings formats[] = {RegionalSettings::russian(), [] {
                                            RegionalSettings r;
                                            r.shortDateFormat = QStringLiteral("M/d/yyyy");
                                            r.dateSeparator = QLatin1Char('/');
                                            r.decimalSeparator = QLatin1Char('.');
                                            return r;
                                        }()};
    for (const RegionalSettings& r : formats) {
        if (const auto date = r.parseDate(text, 2026)) {
            if (!date->isValid())
                std::abort();
            // A date written in the short format reads back as itself.
            if (r.parseDate(r.formatDate(*date), 2026) != date)
                std::abort();
        }
    }
    return 0;
}
