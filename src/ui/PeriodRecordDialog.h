#pragma once

#include "RecordDialog.h"
#include "store/TableCatalog.h"

// An index series by hand: the period as text and the index.
struct PeriodRecordDescriptor {
    const char* dialogName;
    Layout layout;
    const char16_t* periodColumn; // its length comes from the catalogue
    const char16_t* valueColumn;
    const char16_t* valueLabel;
    const char16_t* firstPeriod; // the text of a new record's period
    const char16_t* example;     // shown when the period is too long
    QDate (*readPeriod)(const QString& text);
};

namespace RecordDialogs {
extern const PeriodRecordDescriptor Inflation; // quarters, "I квартал 2002 г."
extern const PeriodRecordDescriptor Prices;    // months, "январь 2002 г.", percent of the previous month
} // namespace RecordDialogs

class PeriodRecordDialog : public RecordDialog {
    Q_OBJECT
public:
    PeriodRecordDialog(const PeriodRecordDescriptor& descriptor, const RecordDialogContext& context,
                       QWidget* parent = nullptr);

protected:
    bool isPeriodDialog() const override { return true; }
    QString mainColumn() const override;
    void fillFields() override;
    Entry readEntry() override;
    void writeColumns(TableObject& table, Write kind) override;

private:
    const PeriodRecordDescriptor& m_descriptor;
    QLineEdit* ed = nullptr;
    QLineEdit* ce = nullptr;
    QString m_period;
    double m_value = 0.0;
};
