#pragma once

#include "LineReader.h"
#include "common/RegionalSettings.h"
#include "store/RecordMerge.h"

#include <QString>
#include <QStringView>

#include <functional>

// What a parser works with while one file is imported: the file's lines, the code page in force and where its
// records go (MergeImportedRecord with the parser's profile, in the command).
struct ImportRun {
    using Sink = std::function<void(const ImportedRecord&, const ImporterProfile&)>;

    ImportRun(LineReader& reader, const RegionalSettings& regional, int currentYear, Sink merge)
        : reader(reader), regional(regional), currentYear(currentYear), merge(std::move(merge)) {}

    LineReader& reader;
    bool dosMode = false; // once set, stays set until the command ends
    RegionalSettings regional; // a copy: callers may pass a temporary
    int currentYear; // for date texts with a two-digit year
    Sink merge;

    // The next line, decoded by DosMode.
    bool readLine(QString& line);
};

using ImportParser = std::function<void(ImportRun&)>;

// Reads the file to its end; every line that holds the signature, in windows-1251 or else through the DOS
// table (which then stays on), starts the parser on the lines after it.
void RunRecognition(ImportRun& run, QStringView signature, const ImportParser& parser);
