#pragma once

#include "RecordDialog.h"

// The monthly consumer price index by hand: the month as text ("январь 2002 г.") and the percentage of the
// previous month.
class TfrmAdd_Edit4 : public RecordDialog {
    Q_OBJECT
public:
    TfrmAdd_Edit4(const RecordDialogContext& context, QWidget* parent = nullptr);

protected:
    bool isPeriodDialog() const override { return true; }
    QString mainColumn() const override { return QStringLiteral("TOMONTH"); }
    void fillFields() override;
    Entry readEntry() override;
    void writeColumns(TableObject& table, Write kind) override;

private:
    QLineEdit* ed = nullptr;
    QLineEdit* ce = nullptr;
    QString m_period;
    double m_value = 0.0;
};
