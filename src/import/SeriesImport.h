#pragma once

#include "store/Series.h"

struct ImportRun;

// How the exports of one series are recognised: per file source the signature line and the parser after it.
struct SeriesImportSource {
    const char16_t* signature;
    void (*parser)(ImportRun&);
};

struct SeriesImport {
    Series series;
    const char* openedName; // the dataset is reopened unless its table name is exactly this
    const char* reopenName; // the table it is reopened on
    SeriesImportSource consultant;
    SeriesImportSource garant;
};

namespace SeriesImports {
// Every series that can be imported from a file, in the order of the series.
std::span<const SeriesImport> all();
// Nothing for a series without a file import.
const SeriesImport* of(Series series);
} // namespace SeriesImports
