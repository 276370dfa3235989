#include "DatedRecordDialog.h"

#include "MaskedDateEdit.h"
#include "store/TableObject.h"

#include <QLineEdit>

DatedRecordDialog::DatedRecordDialog(const DatedRecordDescriptor& descriptor, const RecordDialogContext& context,
                                     QWidget* parent)
    : RecordDialog(context, parent), m_descriptor(descriptor) {
    setObjectName(QLatin1String(descriptor.dialogName));
    addDateField();
    for (int i = 0; i < descriptor.fieldCount; ++i) {
        const auto& field = descriptor.fields[size_t(i)];
        m_fields[size_t(i)] = addTextField(field.objectName, QStringView(field.label).toString());
    }
    finishLayout();
}

QString DatedRecordDialog::mainColumn() const {
    return QStringView(m_descriptor.fields[0].column).toString();
}

void DatedRecordDialog::fillFields() {
    if (addMode()) {
        de->setDate(clock().today());
        return;
    }
    de->setDate(table().asDate(u"CURDATE"));
    for (int i = 0; i < m_descriptor.fieldCount; ++i)
        m_fields[size_t(i)]->setText(storedText(m_descriptor.fields[size_t(i)].column));
}

RecordDialog::Entry DatedRecordDialog::readEntry() {
    Entry entry;
    entry.date = readDe();
    entry.keyText = de->maskedText();
    entry.mainText = m_fields[0]->text();
    entry.mainValue = readNumber(m_fields[0]);
    m_values[0] = entry.mainValue.toDouble();
    for (int i = 1; i < m_descriptor.fieldCount; ++i)
        m_values[size_t(i)] = numberValue(m_fields[size_t(i)]);
    return entry;
}

void DatedRecordDialog::writeColumns(TableObject& table, Write) {
    for (int i = 0; i < m_descriptor.fieldCount; ++i)
        table.setFloat(QStringView(m_descriptor.fields[size_t(i)].column), m_values[size_t(i)]);
}
