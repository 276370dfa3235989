#pragma once

#include "IndicatorTableModel.h"

#include <QTableView>

class Prompts;

// A read-only grid bound to a table object: the selected row is the object's current record, in both
// directions. Ctrl+Delete deletes the current record after the question "Delete record?".
class IndicatorGrid : public QTableView {
    Q_OBJECT
public:
    IndicatorGrid(TableObject& table, QList<IndicatorTableModel::Column> columns, Prompts& prompts,
                  QWidget* parent = nullptr);

    IndicatorTableModel& indicatorModel() const { return *m_model; }
    TableObject& table() const { return m_model->table(); }
    // Selects the row of the table's current record now, instead of on the next turn of the event loop.
    void syncToCursor();

signals:
    // A click in a cell, after the clicked row has become the current record.
    void cellClicked();
    void gridDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void scheduleSync();
    void applyColumnWidths();

    IndicatorTableModel* m_model;
    Prompts& m_prompts;
    bool m_syncScheduled = false;
    bool m_syncing = false;
};
