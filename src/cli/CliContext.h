#pragma once

#include "common/RegionalSettings.h"

#include <QString>
#include <QStringList>

class Database;

// What every command of tarvel-cli is given.
struct CliContext {
    QString databasePath; // --db, or the database the window works on
    RegionalSettings regional;
    QStringList args; // the command's own arguments
};

// Output helpers: UTF-8 text to stdout or stderr.
void writeOut(const QString& text);
void writeErr(const QString& text);

// Opens the database of the context; on failure writes the message and returns false.
bool openDatabase(const CliContext& context, Database& db);

int runInitDb(const CliContext& context);
int runDump(const CliContext& context);
int runImport(const CliContext& context);
int runDownload(const CliContext& context);
int runRate(const CliContext& context);
int runConvert(const CliContext& context);
int runInterest(const CliContext& context);
int runInflation(const CliContext& context);
