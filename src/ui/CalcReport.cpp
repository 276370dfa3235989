#include "CalcReport.h"

#include <QMimeData>
#include <QPagedPaintDevice>
#include <QTextDocument>

namespace CalcExport {

QString grouped(const QString& plain, const RegionalSettings& regional) {
    qsizetype start = 0;
    if (plain.startsWith(QLatin1Char('-')) || plain.startsWith(QLatin1Char('+')))
        start = 1;
    qsizetype end = plain.indexOf(regional.decimalSeparator, start);
    if (end < 0)
        end = plain.size();
    for (qsizetype i = start; i < end; ++i) {
        if (!plain[i].isDigit())
            return plain; // not a plain number: leave it as it is
    }
    QString out = plain.left(start);
    const qsizetype digits = end - start;
    for (qsizetype i = 0; i < digits; ++i) {
        if (i > 0 && (digits - i) % 3 == 0)
            out += regional.thousandsSeparator;
        out += plain[start + i];
    }
    return out + plain.mid(end);
}

QString displayCell(const CalcReport& report, int column, const QString& cell, const RegionalSettings& regional) {
    if (column < report.numeric.size() && report.numeric[column])
        return grouped(cell, regional);
    return cell;
}

namespace {
QString esc(const QString& text) {
    return text.toHtmlEscaped();
}

QString tableRowHtml(const CalcReport& report, const QStringList& cells, const RegionalSettings& regional,
                     bool bold) {
    QString html = QStringLiteral("<tr>");
    for (int c = 0; c < cells.size(); ++c) {
        const bool number = c < report.numeric.size() && report.numeric[c];
        html += number ? QStringLiteral("<td align=\"right\" style=\"text-align:right\">")
                       : QStringLiteral("<td>");
        const QString text = esc(displayCell(report, c, cells[c], regional));
        html += bold ? QStringLiteral("<b>") + text + QStringLiteral("</b>") : text;
        html += QStringLiteral("</td>");
    }
    return html + QStringLiteral("</tr>\n");
}

QString csvCell(const QString& text) {
    if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n'))) {
        QString quoted = text;
        quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    return text;
}

QString csvLine(const QStringList& cells) {
    QStringList out;
    for (const QString& cell : cells)
        out << csvCell(cell);
    return out.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}
} // namespace

QString toHtml(const CalcReport& report, const RegionalSettings& regional) {
    QString html = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>") +
                   esc(report.title) + QStringLiteral("</title></head>\n<body>\n<h2>") + esc(report.title) +
                   QStringLiteral("</h2>\n");
    if (!report.inputs.isEmpty()) {
        html += QStringLiteral("<p>");
        for (int i = 0; i < report.inputs.size(); ++i) {
            if (i > 0)
                html += QStringLiteral("<br>\n");
            html += esc(report.inputs[i].first) + QStringLiteral(": ") + esc(report.inputs[i].second);
        }
        html += QStringLiteral("</p>\n");
    }
    if (!report.columns.isEmpty()) {
        html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" "
                               "style=\"border-collapse:collapse\">\n<thead><tr>");
        for (const QString& column : report.columns)
            html += QStringLiteral("<th>") + esc(column) + QStringLiteral("</th>");
        html += QStringLiteral("</tr></thead>\n<tbody>\n");
        for (const QStringList& row : report.rows)
            html += tableRowHtml(report, row, regional, false);
        if (!report.total.isEmpty())
            html += tableRowHtml(report, report.total, regional, true);
        html += QStringLiteral("</tbody>\n</table>\n");
    }
    for (const QString& warning : report.warnings)
        html += QStringLiteral("<p><i>") + esc(warning) + QStringLiteral("</i></p>\n");
    if (!report.sentence.isEmpty())
        html += QStringLiteral("<p>") + esc(report.sentence) + QStringLiteral("</p>\n");
    if (report.calculatedOn.isValid())
        html += QStringLiteral("<p>Дата расчёта: ") + esc(regional.formatDate(report.calculatedOn)) +
                QStringLiteral("</p>\n");
    return html + QStringLiteral("</body></html>\n");
}

QString toTabText(const CalcReport& report, const RegionalSettings& regional) {
    QString text = report.title + QLatin1Char('\n');
    for (const auto& [caption, value] : report.inputs)
        text += caption + QLatin1Char('\t') + value + QLatin1Char('\n');
    if (!report.columns.isEmpty()) {
        text += QLatin1Char('\n') + report.columns.join(QLatin1Char('\t')) + QLatin1Char('\n');
        QList<QStringList> rows = report.rows;
        if (!report.total.isEmpty())
            rows << report.total;
        for (const QStringList& row : rows) {
            QStringList cells;
            for (int c = 0; c < row.size(); ++c)
                cells << displayCell(report, c, row[c], regional);
            text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
        }
    }
    for (const QString& warning : report.warnings)
        text += QLatin1Char('\n') + warning + QLatin1Char('\n');
    if (!report.sentence.isEmpty())
        text += QLatin1Char('\n') + report.sentence + QLatin1Char('\n');
    if (report.calculatedOn.isValid())
        text += QStringLiteral("Дата расчёта: ") + regional.formatDate(report.calculatedOn) + QLatin1Char('\n');
    return text;
}

QByteArray toCsv(const CalcReport& report, const RegionalSettings& regional) {
    QString text = csvLine({report.title});
    for (const auto& [caption, value] : report.inputs)
        text += csvLine({caption, value});
    text += QStringLiteral("\r\n") + csvLine(report.columns);
    for (const QStringList& row : report.rows)
        text += csvLine(row);
    if (!report.total.isEmpty())
        text += csvLine(report.total);
    for (const QString& warning : report.warnings)
        text += QStringLiteral("\r\n") + csvLine({warning});
    if (!report.sentence.isEmpty())
        text += QStringLiteral("\r\n") + csvLine({report.sentence});
    if (report.calculatedOn.isValid())
        text += csvLine({QStringLiteral("Дата расчёта"), regional.formatDate(report.calculatedOn)});
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QMimeData* toMimeData(const CalcReport& report, const RegionalSettings& regional) {
    auto* data = new QMimeData;
    data->setHtml(toHtml(report, regional));
    data->setText(toTabText(report, regional));
    return data;
}

void print(const CalcReport& report, const RegionalSettings& regional, QPagedPaintDevice& device) {
    QTextDocument document;
    document.setHtml(toHtml(report, regional));
    document.print(&device);
}

} // namespace CalcExport
