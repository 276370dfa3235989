#include "TfrmAdd_Edit2.h"

#include "MaskedDateEdit.h"
#include "store/TableObject.h"

#include <QLineEdit>

TfrmAdd_Edit2::TfrmAdd_Edit2(const RecordDialogContext& context, QWidget* parent) : RecordDialog(context, parent) {
    setObjectName(QStringLiteral("frmAdd_Edit2"));
    addDateField();
    ce = addTextField("ce", QStringLiteral("Размер:"));
    finishLayout();
}

void TfrmAdd_Edit2::fillFields() {
    if (addMode()) {
        de->setDate(clock().today());
        return;
    }
    de->setDate(table().asDate(u"CURDATE"));
    ce->setText(storedText(u"RAZMER"));
}

RecordDialog::Entry TfrmAdd_Edit2::readEntry() {
    Entry entry;
    entry.date = readDe();
    entry.keyText = de->maskedText();
    entry.mainText = ce->text();
    entry.mainValue = readNumber(ce);
    m_value = entry.mainValue.toDouble();
    return entry;
}

void TfrmAdd_Edit2::writeColumns(TableObject& table, Write) {
    table.setFloat(u"RAZMER", m_value);
}
