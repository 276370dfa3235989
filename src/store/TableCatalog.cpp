#include "TableCatalog.h"

#include <vector>

namespace {
const OtherCurrency kOther[] = {
    {"Австралийский доллар", "R01010", "AUD"},
    {"Австрийский шиллинг", "R01015", "ATS"},
    {"Английский фунт стерлингов", "R01035", "GBP"},
    {"Белорусский рубль", "R01090", "BYR"},
    {"Бельгийский франк", "R01095", "BEF"},
    {"Греческий драхм", "R01205", "GRD"},
    {"Датская крона", "R01215", "DKK"},
    {"Ирландский фунт", "R01305", "IEP"},
    {"Исландская крона", "R01310", "ISK"},
    {"Испанский песет", "R01315", "ESP"},
    {"Итальянская лира", "R01325", "ITL"},
    {"Казахский тенге", "R01335", "KZT"},
    {"Канадский доллар", "R01350", "CAD"},
    {"Немецкая марка", "R01510", "DEM"},
    {"Нидерландский гульден", "R01523", "NLG"},
    {"Норвежская крона", "R01535", "NOK"},
    {"Португальский эскудо", "R01570", "PTE"},
    {"СДР", "R01589", "XDR"},
    {"Сингапурский доллар", "R01625", "SGD"},
    {"Турецкая лира", "R01700", "TRL"},
    {"Украинская гривна", "R01720", "UAH"},
    {"Финляндская марка", "R01740", "FIM"},
    {"Французский франк", "R01750", "FRF"},
    {"Шведская крона", "R01770", "SEK"},
    {"Швейцарский франк", "R01775", "CHF"},
    {"Японская иена", "R01820", "JPY"},
};

const std::array<ColumnDef, kColumnCount> kCurrency = {{
    {"CURDATE", ColumnType::Date, 0},
    {"NOMINAL", ColumnType::Integer, 0},
    {"KURS", ColumnType::Real, 0},
    {"UPD", ColumnType::Integer, 0},
    {"DT", ColumnType::Date, 0},
}};
const std::array<ColumnDef, kColumnCount> kWage = {{
    {"CURDATE", ColumnType::Date, 0},
    {"RAZMER", ColumnType::Real, 0},
    {"RAZMER2", ColumnType::Real, 0},
    {"UPD", ColumnType::Integer, 0},
    {"DT", ColumnType::Date, 0},
}};
const std::array<ColumnDef, kColumnCount> kInflation = {{
    {"CURDATE", ColumnType::Date, 0},
    {"KVART", ColumnType::Text, 20},
    {"INDINFL", ColumnType::Real, 0},
    {"UPD", ColumnType::Integer, 0},
    {"DT", ColumnType::Date, 0},
}};
const std::array<ColumnDef, kColumnCount> kPrice = {{
    {"CURDATE", ColumnType::Date, 0},
    {"PERIOD", ColumnType::Text, 18},
    {"TOMONTH", ColumnType::Real, 0},
    {"UPD", ColumnType::Integer, 0},
    {"DT", ColumnType::Date, 0},
}};

const std::vector<TableInfo>& allTables() {
    static const std::vector<TableInfo> tables = [] {
        std::vector<TableInfo> t;
        t.push_back({QStringLiteral("USD"), Layout::Currency});
        t.push_back({QStringLiteral("EUR"), Layout::Currency});
        for (const OtherCurrency& c : kOther)
            t.push_back({QString::fromLatin1(c.table), Layout::Currency});
        t.push_back({QStringLiteral("MROT"), Layout::Wage});
        t.push_back({QStringLiteral("refin"), Layout::Wage});
        t.push_back({QStringLiteral("infl"), Layout::Inflation});
        t.push_back({QStringLiteral("price"), Layout::Price});
        return t;
    }();
    return tables;
}
} // namespace

namespace Catalog {
std::span<const TableInfo> tables() {
    return allTables();
}

std::optional<TableInfo> findTable(QStringView name) {
    for (const TableInfo& t : allTables()) {
        if (name.compare(t.name, Qt::CaseInsensitive) == 0)
            return t;
    }
    return std::nullopt;
}

const std::array<ColumnDef, kColumnCount>& columns(Layout layout) {
    switch (layout) {
    case Layout::Currency:
        return kCurrency;
    case Layout::Wage:
        return kWage;
    case Layout::Inflation:
        return kInflation;
    case Layout::Price:
        return kPrice;
    }
    return kCurrency;
}

namespace {
// The catalogue's names are upper-case ASCII: a name of ASCII letters is compared by folding them; anything
// else goes to Qt's full case folding. A lookup comes for every value an import writes.
std::optional<bool> asciiSameName(QStringView name, const char* column) {
    qsizetype i = 0;
    for (; column[i] != '\0'; ++i) {
        if (i >= name.size())
            return false;
        char16_t c = name[i].unicode();
        if (c > 0x7f)
            return std::nullopt;
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - (u'a' - u'A'));
        if (c != char16_t(column[i]))
            return false;
    }
    return i == name.size();
}
} // namespace

int columnIndex(Layout layout, QStringView name) {
    const auto& cols = columns(layout);
    for (int i = 0; i < kColumnCount; ++i) {
        const char* column = cols[size_t(i)].name;
        const std::optional<bool> same = asciiSameName(name, column);
        if (same ? *same : name.compare(QLatin1String(column), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::span<const OtherCurrency> otherCurrencies() {
    return kOther;
}

QString otherCurrencyName(int row) {
    if (row < 0 || row >= int(std::size(kOther)))
        return QString();
    return QString::fromUtf8(kOther[row].name);
}
} // namespace Catalog
