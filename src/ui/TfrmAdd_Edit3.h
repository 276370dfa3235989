#pragma once

#include "RecordDialog.h"

// The quarterly inflation index by hand: the quarter as text ("I квартал 2002 г.") and the index.
class TfrmAdd_Edit3 : public RecordDialog {
    Q_OBJECT
public:
    TfrmAdd_Edit3(const RecordDialogContext& context, QWidget* parent = nullptr);

protected:
    bool isPeriodDialog() const override { return true; }
    QString mainColumn() const override { return QStringLiteral("INDINFL"); }
    void fillFields() override;
    Entry readEntry() override;
    void writeColumns(TableObject& table, Write kind) override;

private:
    QLineEdit* ed = nullptr;
    QLineEdit* ce = nullptr;
    QString m_period;
    double m_value = 0.0;
};
