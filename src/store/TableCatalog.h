#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <span>

// The indicator tables the program knows, their column layouts and the list of other currencies.
enum class Layout { Currency, Wage, Inflation, Price };
enum class ColumnType { Date, Integer, Real, Text };

struct ColumnDef {
    const char* name;
    ColumnType type;
    int maxLength; // text columns only
};

constexpr int kColumnCount = 5; // every layout: CURDATE, two value columns, UPD, DT

struct TableInfo {
    QString name; // as the catalogue spells it
    Layout layout;
};

struct OtherCurrency {
    const char* name; // UTF-8, as the currency list shows it
    const char* code; // central bank code
    const char* table;
};

namespace Catalog {
// Every table of the database, in the order they are created.
std::span<const TableInfo> tables();
// The table of a name compared without regard to letter case; nothing for an unknown name.
std::optional<TableInfo> findTable(QStringView name);
const std::array<ColumnDef, kColumnCount>& columns(Layout layout);
// Column index within the layout, name compared without regard to letter case; -1 when absent.
int columnIndex(Layout layout, QStringView name);
std::span<const OtherCurrency> otherCurrencies();
QString otherCurrencyName(int row);
} // namespace Catalog

namespace Col {
constexpr int CurDate = 0;
constexpr int Upd = 3;
constexpr int Dt = 4;
} // namespace Col
