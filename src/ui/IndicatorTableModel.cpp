#include "IndicatorTableModel.h"

#include "store/TableObject.h"

IndicatorTableModel::IndicatorTableModel(TableObject& table, QList<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(std::move(columns)) {
    m_knownRows = currentCount();
    connect(&m_table, &TableObject::aboutToReset, this, [this] {
        if (live())
            beginResetModel();
    });
    connect(&m_table, &TableObject::resetDone, this, [this] {
        if (!live())
            return markStale();
        m_knownRows = currentCount();
        endResetModel();
    });
    connect(&m_table, &TableObject::rowAboutToBeInserted, this, [this](int row) {
        if (live())
            beginInsertRows({}, row, row);
    });
    connect(&m_table, &TableObject::rowInserted, this, [this](int) {
        if (!live())
            return markStale();
        m_knownRows = currentCount();
        endInsertRows();
    });
    connect(&m_table, &TableObject::rowAboutToBeRemoved, this, [this](int row) {
        if (live())
            beginRemoveRows({}, row, row);
    });
    connect(&m_table, &TableObject::rowRemoved, this, [this](int) {
        if (!live())
            return markStale();
        m_knownRows = currentCount();
        endRemoveRows();
    });
    connect(&m_table, &TableObject::rowChanged, this, [this](int row) {
        if (!live())
            return markStale();
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(&m_table, &TableObject::cursorMoved, this, [this](int row) {
        // Controls are enabled again: one refresh for everything that changed meanwhile.
        if (m_stale && !m_table.controlsDisabled()) {
            beginResetModel();
            m_stale = false;
            m_knownRows = currentCount();
            endResetModel();
        }
        if (m_markedRow != row) {
            const int old = m_markedRow;
            m_markedRow = row;
            if (old >= 0 && old < m_knownRows)
                emit headerDataChanged(Qt::Vertical, old, old);
            if (row >= 0 && row < m_knownRows)
                emit headerDataChanged(Qt::Vertical, row, row);
        }
    });
}

int IndicatorTableModel::currentCount() const {
    return m_table.isOpen() ? m_table.recordCount() : 0;
}

bool IndicatorTableModel::live() const {
    return !m_stale && !m_table.controlsDisabled();
}

void IndicatorTableModel::markStale() {
    // The view keeps the rows it knows until the refresh; data() reads the live rows within bounds.
    m_stale = true;
}

void IndicatorTableModel::setColumnSource(int index, int layoutColumn) {
    if (index < 0 || index >= m_columns.size() || m_columns[index].column == layoutColumn)
        return;
    m_columns[index].column = layoutColumn;
    if (live())
        emit dataChanged(this->index(0, index), this->index(rowCount() - 1, index));
}

int IndicatorTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_knownRows;
}

int IndicatorTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant IndicatorTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_table.isOpen() || index.row() >= m_table.recordCount() ||
        index.column() >= m_columns.size())
        return {};
    const Column& c = m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return m_table.formatValue(c.column, m_table.row(index.row()).values[size_t(c.column)]);
    case Qt::TextAlignmentRole:
        return c.centred ? QVariant(Qt::AlignCenter) : QVariant(Qt::AlignVCenter | Qt::AlignLeft);
    default:
        return {};
    }
}

QVariant IndicatorTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_columns.size())
            return {};
        if (role == Qt::DisplayRole)
            return m_columns[section].title;
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignCenter);
        return {};
    }
    if (role == Qt::DisplayRole)
        return section == m_markedRow ? QStringLiteral("▸") : QString();
    return {};
}

Qt::ItemFlags IndicatorTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
