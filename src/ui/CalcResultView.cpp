#include "CalcResultView.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

CalcResultView::CalcResultView(const RegionalSettings& regional, QWidget* parent)
    : QWidget(parent), m_regional(regional) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("tblResult"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->setVisible(false);
    // Columns as wide as their contents, as a table in a document.
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_warning = new QLabel(this);
    m_warning->setObjectName(QStringLiteral("lblWarning"));
    m_warning->setWordWrap(true);
    m_warning->setStyleSheet(QStringLiteral("color: #9a3a00;"));
    m_warning->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_sentence = new QLabel(this);
    m_sentence->setObjectName(QStringLiteral("lblSentence"));
    m_sentence->setWordWrap(true);
    m_sentence->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_sentence->font();
    bold.setBold(true);
    m_sentence->setFont(bold);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_warning);
    layout->addWidget(m_sentence);
    clear();
}

void CalcResultView::clear() {
    m_table->clear();
    m_table->setRowCount(0);
    m_table->setColumnCount(0);
    m_warning->clear();
    m_warning->hide();
    m_sentence->clear();
}

void CalcResultView::showReport(const CalcReport& report) {
    clear();
    m_table->setColumnCount(int(report.columns.size()));
    m_table->setHorizontalHeaderLabels(report.columns);
    QList<QStringList> rows = report.rows;
    if (!report.total.isEmpty())
        rows << report.total;
    m_table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const bool total = !report.total.isEmpty() && r == rows.size() - 1;
        for (int c = 0; c < rows[r].size() && c < report.columns.size(); ++c) {
            auto* item = new QTableWidgetItem(CalcExport::displayCell(report, c, rows[r][c], m_regional));
            if (c < report.numeric.size() && report.numeric[c])
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (total) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            m_table->setItem(r, c, item);
        }
    }
    m_table->resizeColumnsToContents();
    if (!report.warnings.isEmpty()) {
        m_warning->setText(report.warnings.join(QLatin1Char('\n')));
        m_warning->show();
    }
    m_sentence->setText(report.sentence);
}
