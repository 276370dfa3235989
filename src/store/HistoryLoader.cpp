#include "HistoryLoader.h"

#include "Database.h"
#include "TableCatalog.h"
#include "TableObject.h"
#include "IsoDate.h"
#include "UpdateSource.h"
#include "common/AppError.h"
#include "common/Clock.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>
#include <limits>
#include <optional>

namespace {
// A fault of one line; the loader adds the file.
struct LineFault {
    int line;
    QString text;
};

struct ParsedRow {
    int line = 0;
    QDate date;
    // Value columns in the order of the header, by column index of the layout.
    QList<QPair<int, QVariant>> values;
};

struct ParsedFile {
    TableInfo table;
    QString path;
    QList<ParsedRow> rows;
};

// Splits one CSV line; a field may be quoted, with "" for a quote inside. Nothing for an unclosed quote.
std::optional<QStringList> splitCsv(const QString& line) {
    QStringList fields;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char(',')) {
            fields.append(field);
            field.clear();
            wasQuoted = false;
        } else if (c == QLatin1Char('"') && field.isEmpty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
        } else {
            field += c;
        }
    }
    if (quoted)
        return std::nullopt;
    fields.append(field);
    return fields;
}

QDate readIsoDate(const QString& text) {
    const QByteArray latin = text.toLatin1();
    return ParseIsoDate(latin.constData(), int(latin.size()));
}

// A positive decimal written with a point: every indicator of the shipped series is above zero.
std::optional<double> readPositiveDecimal(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\d+(\\.\\d+)?$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(v) || v <= 0)
        return std::nullopt;
    return v;
}

std::optional<int> readPositiveInteger(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\d+$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v <= 0 || v > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(v);
}

QString expectedHeader(Layout layout) {
    const auto& cols = Catalog::columns(layout);
    QString text;
    for (int i = Col::CurDate; i < Col::Upd; ++i)
        text += (i ? QStringLiteral(",") : QString()) + QLatin1String(cols[size_t(i)].name);
    return text;
}

// The header names CURDATE first, then some value columns of the layout, each once. Gives the column indexes
// of the value columns in the order of the header.
QList<int> readHeader(const QStringList& fields, const TableInfo& table) {
    const auto refuse = [&] {
        return LineFault{1, QStringLiteral("заголовок «%1» не совпадает с полями таблицы %2 (%3).")
                                .arg(fields.join(QLatin1Char(',')), table.name, expectedHeader(table.layout))};
    };
    if (fields.size() < 2 || Catalog::columnIndex(table.layout, fields.first().trimmed()) != Col::CurDate)
        throw refuse();
    QList<int> columns;
    for (qsizetype i = 1; i < fields.size(); ++i) {
        const int c = Catalog::columnIndex(table.layout, fields[i].trimmed());
        if (c <= Col::CurDate || c >= Col::Upd || columns.contains(c))
            throw refuse();
        columns.append(c);
    }
    return columns;
}

QVariant readValue(const ColumnDef& def, const QString& text, int line) {
    const QString name = QLatin1String(def.name);
    switch (def.type) {
    case ColumnType::Integer:
        if (const auto v = readPositiveInteger(text))
            return *v;
        throw LineFault{line, QStringLiteral("в поле %1 «%2» — не целое число больше нуля.").arg(name, text)};
    case ColumnType::Real:
        if (const auto v = readPositiveDecimal(text))
            return *v;
        throw LineFault{line,
                        QStringLiteral("в поле %1 «%2» — не число больше нуля с десятичной точкой.").arg(name, text)};
    case ColumnType::Text:
        if (text.trimmed().isEmpty())
            throw LineFault{line, QStringLiteral("поле %1 пусто.").arg(name)};
        if (text.size() > def.maxLength)
            throw LineFault{
                line, QStringLiteral("в поле %1 текст «%2» длиннее %3 символов.").arg(name, text).arg(def.maxLength)};
        return text;
    case ColumnType::Date:
        break;
    }
    throw LineFault{line, QStringLiteral("поле %1 не может быть загружено.").arg(name)};
}

ParsedFile parseFile(const QString& path, const TableInfo& table, const RegionalSettings& regional) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw LineFault{0, QStringLiteral("файл не открывается: %1").arg(file.errorString())};
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);

    ParsedFile parsed{table, path, {}};
    const auto& cols = Catalog::columns(table.layout);
    QList<int> columns;
    bool haveHeader = false;
    QHash<QDate, int> lineOfDate;
    int lineNo = 0;
    for (QByteArray raw : bytes.split('\n')) {
        ++lineNo;
        if (raw.endsWith('\r'))
            raw.chop(1);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = utf8.decode(raw);
        if (utf8.hasError())
            throw LineFault{lineNo, QStringLiteral("текст не в кодировке UTF-8.")};
        if (line.trimmed().isEmpty())
            continue;
        const auto fields = splitCsv(line);
        if (!fields)
            throw LineFault{lineNo, QStringLiteral("кавычка не закрыта.")};
        if (!haveHeader) {
            if (lineNo != 1)
                throw LineFault{lineNo, QStringLiteral("заголовок должен стоять в первой строке.")};
            columns = readHeader(*fields, table);
            haveHeader = true;
            continue;
        }
        if (fields->size() != columns.size() + 1)
            throw LineFault{lineNo, QStringLiteral("ожидается полей через запятую: %1, найдено: %2.")
                                        .arg(columns.size() + 1)
                                        .arg(fields->size())};
        ParsedRow row;
        row.line = lineNo;
        row.date = readIsoDate(fields->first());
        if (!row.date.isValid())
            throw LineFault{lineNo,
                            QStringLiteral("дата «%1» не в виде ГГГГ-ММ-ДД или такого дня нет.").arg(fields->first())};
        if (const auto other = lineOfDate.constFind(row.date); other != lineOfDate.cend())
            throw LineFault{
                lineNo,
                QStringLiteral("запись на %1 уже есть в строке %2.").arg(regional.formatDate(row.date)).arg(*other)};
        lineOfDate.insert(row.date, lineNo);
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const int c = columns[i];
            row.values.append({c, readValue(cols[size_t(c)], fields->at(i + 1), lineNo)});
        }
        parsed.rows.append(std::move(row));
    }
    if (!haveHeader)
        throw LineFault{1, QStringLiteral("файл пуст, нет заголовка (%1).").arg(expectedHeader(table.layout))};
    return parsed;
}

QString refusal(const QString& path, const LineFault& fault) {
    const QString file = QDir::toNativeSeparators(path);
    if (fault.line <= 0)
        return QStringLiteral("Исторические ряды не загружены. Файл «%1»: %2").arg(file, fault.text);
    return QStringLiteral("Исторические ряды не загружены. Файл «%1», строка %2: %3")
        .arg(file)
        .arg(fault.line)
        .arg(fault.text);
}
} // namespace

HistoryLoader::HistoryLoader(Database& db, const RegionalSettings& regional) : m_db(db), m_regional(regional) {}

QList<HistorySeries> HistoryLoader::load(const QString& dirPath) {
    const QDir dir(dirPath);
    if (!dir.exists())
        throw AppError(QStringLiteral("Исторические ряды не загружены: папка «%1» не найдена.")
                           .arg(QDir::toNativeSeparators(dirPath)));

    // Read and check everything first: a fault in the last file must not leave the first one half-written.
    QList<ParsedFile> files;
    QHash<QString, QString> fileOfTable;
    const QFileInfoList entries = dir.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (entry.suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0)
            continue;
        const QString path = entry.filePath();
        // A misspelt file name would otherwise drop a whole series without a word.
        const auto table = Catalog::findTable(entry.completeBaseName());
        if (!table)
            throw AppError(
                refusal(path, {0, QStringLiteral("таблицы «%1» в базе данных нет.").arg(entry.completeBaseName())}));
        if (fileOfTable.contains(table->name))
            throw AppError(refusal(path, {0, QStringLiteral("таблица %1 уже загружается из файла «%2».")
                                                 .arg(table->name, fileOfTable.value(table->name))}));
        fileOfTable.insert(table->name, entry.fileName());
        try {
            files.append(parseFile(path, *table, m_regional));
        } catch (const LineFault& fault) {
            throw AppError(refusal(path, fault));
        }
    }
    if (files.isEmpty())
        throw AppError(QStringLiteral("Исторические ряды не загружены: в папке «%1» нет файлов *.csv с именами таблиц.")
                           .arg(QDir::toNativeSeparators(dirPath)));

    QList<HistorySeries> loaded;
    Clock clock;
    Database::Transaction transaction(m_db);
    for (const ParsedFile& f : files) {
        TableObject table(m_db, f.table.layout, f.table.name, m_regional, clock);
        table.open();
        QuietControls quiet(table);
        for (const ParsedRow& row : f.rows) {
            try {
                table.append();
                table.setDate(u"CURDATE", row.date);
                const auto& cols = Catalog::columns(f.table.layout);
                for (const auto& [column, value] : row.values) {
                    const QString name = QLatin1String(cols[size_t(column)].name);
                    if (value.typeId() == QMetaType::Int)
                        table.setInteger(name, value.toInt());
                    else if (value.typeId() == QMetaType::Double)
                        table.setFloat(name, value.toDouble());
                    else
                        table.setText(name, value.toString());
                }
                table.setInteger(u"UPD", int(UpdateSource::Shipped));
                table.setNull(u"DT");
                table.post();
            } catch (const AppError& e) {
                // A date already stored before the load, or the engine refusing the row.
                throw AppError(refusal(f.path, {row.line, e.text()}));
            }
        }
        loaded.append({f.table.name, f.path, int(f.rows.size())});
    }
    transaction.commit();
    return loaded;
}
