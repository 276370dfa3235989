// The language catalogue reader on arbitrary bytes: no crash, no hang; every record takes what the text gives.
#include "shell/IniText.h"
#include "shell/Localize.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const IniText catalogue(IniText::decode(bytes));
    Localize localize;
    for (LocRecord* record : {static_cast<LocRecord*>(&localize.other), static_cast<LocRecord*>(&localize.button),
                              static_cast<LocRecord*>(&localize.caption), static_cast<LocRecord*>(&localize.group),
                              static_cast<LocRecord*>(&localize.items), static_cast<LocRecord*>(&localize.menu),
                              static_cast<LocRecord*>(&localize.string)})
        record->load(catalogue);
    return 0;
}
