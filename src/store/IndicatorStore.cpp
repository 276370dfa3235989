#include "IndicatorStore.h"

IndicatorStore::IndicatorStore(Database& db, const RegionalSettings& regional, const Clock& clock)
    : tKurs(db, Layout::Currency, QStringLiteral("USD"), regional, clock),
      tStavka(db, Layout::Wage, QStringLiteral("MROT"), regional, clock),
      tInfl(db, Layout::Inflation, QStringLiteral("infl"), regional, clock),
      tPrice(db, Layout::Price, QStringLiteral("price"), regional, clock), m_db(db), m_active(&tKurs) {
    tKurs.setObjectName(QStringLiteral("tKurs"));
    tStavka.setObjectName(QStringLiteral("tStavka"));
    tInfl.setObjectName(QStringLiteral("tInfl"));
    tPrice.setObjectName(QStringLiteral("tPrice"));
}

void IndicatorStore::makeActive(TableObject& table) {
    if (&table == m_active && table.isOpen()) {
        // Reopening would read the same rows again: the records are already in display order.
        table.cancel();
        table.first();
        return;
    }
    m_active->close();
    m_active = &table;
    table.open();
}

TableObject& IndicatorStore::tableFor(Layout layout) {
    switch (layout) {
    case Layout::Currency:
        return tKurs;
    case Layout::Wage:
        return tStavka;
    case Layout::Inflation:
        return tInfl;
    case Layout::Price:
        break;
    }
    return tPrice;
}
