#pragma once

#include "RecordDialog.h"

// The minimum wage by hand: date and the two values, for state duty and for the regulation of labour pay.
class TfrmAdd_Edit5 : public RecordDialog {
    Q_OBJECT
public:
    TfrmAdd_Edit5(const RecordDialogContext& context, QWidget* parent = nullptr);

protected:
    QString mainColumn() const override { return QStringLiteral("RAZMER"); }
    void fillFields() override;
    Entry readEntry() override;
    void writeColumns(TableObject& table, Write kind) override;

private:
    QLineEdit* ce = nullptr;
    QLineEdit* ce2 = nullptr;
    double m_value = 0.0;
    double m_value2 = 0.0;
};
