#include "IndicatorGrid.h"

#include "common/AppError.h"
#include "common/Prompts.h"
#include "store/TableObject.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>

IndicatorGrid::IndicatorGrid(TableObject& table, QList<IndicatorTableModel::Column> columns, Prompts& prompts,
                             QWidget* parent)
    : QTableView(parent), m_model(new IndicatorTableModel(table, std::move(columns), this)), m_prompts(prompts) {
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(true);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setFixedWidth(14);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsMovable(false);
    applyColumnWidths();
    connect(m_model, &QAbstractItemModel::modelReset, this, &IndicatorGrid::applyColumnWidths);

    connect(&table, &TableObject::cursorMoved, this, [this](int) { scheduleSync(); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                if (m_syncing || !current.isValid())
                    return;
                this->table().moveTo(current.row());
            });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (!index.isValid())
            return;
        this->table().moveTo(index.row());
        emit cellClicked();
    });
    scheduleSync();
}

void IndicatorGrid::applyColumnWidths() {
    const auto& cols = m_model->columns();
    for (int i = 0; i < cols.size(); ++i) {
        if (cols[i].width > 0)
            setColumnWidth(i, cols[i].width);
    }
}

void IndicatorGrid::scheduleSync() {
    // A scan moves the cursor over thousands of records: select the row once, when the scan is done.
    if (m_syncScheduled)
        return;
    m_syncScheduled = true;
    QTimer::singleShot(0, this, &IndicatorGrid::syncToCursor);
}

void IndicatorGrid::syncToCursor() {
    m_syncScheduled = false;
    TableObject& t = table();
    if (t.controlsDisabled())
        return;
    const int row = t.currentRow();
    m_syncing = true;
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex index = m_model->index(row, 0);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    } else {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    m_syncing = false;
}

void IndicatorGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        TableObject& t = table();
        if (t.isOpen() && !t.isEmpty()) {
            try {
                if (m_prompts.confirm(QStringLiteral("Delete record?")))
                    t.remove();
            } catch (const AppError& e) {
                m_prompts.message(e.text());
            }
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void IndicatorGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        table().moveTo(index.row());
    emit gridDoubleClicked();
}
