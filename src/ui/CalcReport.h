#pragma once

#include "common/RegionalSettings.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QMimeData;
class QPagedPaintDevice;

// One calculation as a document: what was asked, the table, the total and the words for a filing. Numbers in
// the cells are plain (no digit grouping, the regional decimal separator), as the calculations give them; the
// screen, the clipboard and the page group their digits, the CSV file keeps them plain for spreadsheets.
struct CalcReport {
    QString title;
    QList<QPair<QString, QString>> inputs; // caption, value as shown
    QStringList columns;
    QList<bool> numeric; // per column: the cells are numbers
    QList<QStringList> rows;
    QStringList total; // a last row in the shape of the others; empty when the table has none
    QStringList warnings;
    QString sentence;
    QDate calculatedOn;

    bool isEmpty() const { return title.isEmpty(); }
};

namespace CalcExport {
// A plain number with its whole part grouped by the regional thousands separator.
QString grouped(const QString& plain, const RegionalSettings& regional);
// A cell as the screen shows it: numbers grouped, other text unchanged.
QString displayCell(const CalcReport& report, int column, const QString& cell, const RegionalSettings& regional);

// A whole HTML document: title, inputs, the table with its total, warnings, the sentence, the date.
QString toHtml(const CalcReport& report, const RegionalSettings& regional);
// Tab-separated lines: the inputs, the table, the warnings and the sentence.
QString toTabText(const CalcReport& report, const RegionalSettings& regional);
// UTF-8 with a byte order mark, ";" between cells, numbers plain with the regional decimal separator.
QByteArray toCsv(const CalcReport& report, const RegionalSettings& regional);
// The HTML and the tab text together, for the clipboard.
QMimeData* toMimeData(const CalcReport& report, const RegionalSettings& regional);
// Lays the HTML document out on the pages of a printer or a PDF writer.
void print(const CalcReport& report, const RegionalSettings& regional, QPagedPaintDevice& device);
} // namespace CalcExport
