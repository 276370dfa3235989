#pragma once

#include <QAbstractTableModel>
#include <QList>

class TableObject;

// A grid's view of one table object: reads the object's rows in place, follows its changes row by row, and
// while the object's controls are disabled (an import, a download) waits and refreshes once afterwards.
class IndicatorTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        int column; // index in the table's layout
        QString title;
        int width = -1; // pixels; -1 for the view's default
        bool centred = true;
    };

    IndicatorTableModel(TableObject& table, QList<Column> columns, QObject* parent = nullptr);

    TableObject& table() const { return m_table; }
    const QList<Column>& columns() const { return m_columns; }
    // Shows another column of the layout in place of column `index` (the MROT variant).
    void setColumnSource(int index, int layoutColumn);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool live() const;
    void markStale();
    int currentCount() const;

    TableObject& m_table;
    QList<Column> m_columns;
    bool m_stale = false;
    int m_knownRows = 0;  // the row count the views have been told
    int m_markedRow = -1; // the row the indicator column marks as current
};
