#pragma once

#include <QDate>
#include <QStringView>

#include <optional>

struct ImportRun;

// The parsers of the ConsultantPlus and Garant exports. Each is called right after the signature line, reads
// the lines that follow up to the end of the file or its own end line, and merges every data line; a data
// line that cannot be read throws AppError and ends the import.

enum class GarantRateColumn { Dollar = 1, Euro = 2 };

void ParseConsultantDollar(ImportRun& run);
void ParseConsultantEuro(ImportRun& run);
void ParseGarantRates(ImportRun& run, GarantRateColumn column);
void ParseConsultantRefin(ImportRun& run);
void ParseGarantRefin(ImportRun& run);
void ParseConsultantMrot(ImportRun& run);
void ParseGarantMrot(ImportRun& run);

// The date at the start of a ConsultantPlus rate line: "с " or "со ", a day in two positions, the genitive
// month name up to a blank at B, the year after it. Nothing when the line has neither anchor.
struct ConsultantDateHead {
    QDate date;
    int blank; // B: the blank after the month name
};
std::optional<ConsultantDateHead> ReadConsultantDateHead(QStringView line);

// A day in two positions from d, the month name from m up to the first "1" or "2", which starts the year at Y.
struct DigitEndedDateHead {
    QDate date;
    int yearStart; // Y
};
DigitEndedDateHead ReadDigitEndedDateHead(QStringView line, int d, int m);

// "с " or else "со ": the position of the anchor of a ConsultantPlus line, 0 when it has neither.
int FindConsultantAnchor(QStringView line);
