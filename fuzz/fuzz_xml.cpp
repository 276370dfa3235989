// The reading of a service answer on arbitrary bytes: no crash, no hang, and only whole, sensible records.
#include "net/RateResponse.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const RateResponse r = ParseRateResponse(bytes);
    if (!r.isRateData && !r.records.isEmpty())
        std::abort();
    for (const DownloadedRate& rate : r.records) {
        if (!rate.date.isValid() || rate.nominal < 1 || !std::isfinite(rate.rate) || rate.rate <= 0)
            std::abort();
    }
    return 0;
}
