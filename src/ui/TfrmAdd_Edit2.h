#pragma once

#include "RecordDialog.h"

// The refinancing rate by hand: date and rate.
class TfrmAdd_Edit2 : public RecordDialog {
    Q_OBJECT
public:
    TfrmAdd_Edit2(const RecordDialogContext& context, QWidget* parent = nullptr);

protected:
    QString mainColumn() const override { return QStringLiteral("RAZMER"); }
    void fillFields() override;
    Entry readEntry() override;
    void writeColumns(TableObject& table, Write kind) override;

private:
    QLineEdit* ce = nullptr;
    double m_value = 0.0;
};
