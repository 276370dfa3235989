#pragma once

#include "RecordDialog.h"

// A currency rate by hand: date, nominal and rate of the US dollar, the euro or another currency.
class TfrmAdd_Edit1 : public RecordDialog {
    Q_OBJECT
public:
    TfrmAdd_Edit1(const RecordDialogContext& context, QWidget* parent = nullptr);

protected:
    QString mainColumn() const override { return QStringLiteral("KURS"); }
    void fillFields() override;
    Entry readEntry() override;
    void writeColumns(TableObject& table, Write kind) override;

private:
    QLineEdit* ce1 = nullptr;
    QLineEdit* ce = nullptr;
    int m_nominal = 0;
    double m_rate = 0.0;
};
