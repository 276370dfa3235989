#pragma once

#include "CalcReport.h"

#include <QWidget>

class QLabel;
class QTableWidget;

// The result of a calculation on screen: the table with its total, the warnings and the ready sentence.
class CalcResultView : public QWidget {
    Q_OBJECT
public:
    explicit CalcResultView(const RegionalSettings& regional, QWidget* parent = nullptr);

    void showReport(const CalcReport& report);
    void clear();
    QTableWidget* table() const { return m_table; }
    QLabel* warningLabel() const { return m_warning; }
    QLabel* sentenceLabel() const { return m_sentence; }

private:
    RegionalSettings m_regional;
    QTableWidget* m_table;
    QLabel* m_warning;
    QLabel* m_sentence;
};
