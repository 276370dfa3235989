#include "RecordText.h"

QString FormatRecordLine(const TableObject& table, const TableRow& row) {
    QString line;
    for (int i = 0; i < kColumnCount; ++i) {
        if (i)
            line += QLatin1Char(';');
        line += table.formatValue(i, row.values[size_t(i)]);
    }
    return line;
}
