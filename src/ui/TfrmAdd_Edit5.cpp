#include "TfrmAdd_Edit5.h"

#include "MaskedDateEdit.h"
#include "store/TableObject.h"

#include <QLineEdit>

TfrmAdd_Edit5::TfrmAdd_Edit5(const RecordDialogContext& context, QWidget* parent) : RecordDialog(context, parent) {
    setObjectName(QStringLiteral("frmAdd_Edit5"));
    addDateField();
    ce = addTextField("ce", QStringLiteral("В иных целях (уплата госпошлины):"));
    ce2 = addTextField("ce2", QStringLiteral("В целях регулирования оплаты труда:"));
    finishLayout();
}

void TfrmAdd_Edit5::fillFields() {
    if (addMode()) {
        de->setDate(clock().today());
        return;
    }
    de->setDate(table().asDate(u"CURDATE"));
    ce->setText(storedText(u"RAZMER"));
    ce2->setText(storedText(u"RAZMER2"));
}

RecordDialog::Entry TfrmAdd_Edit5::readEntry() {
    Entry entry;
    entry.date = readDe();
    entry.keyText = de->maskedText();
    entry.mainText = ce->text();
    entry.mainValue = readNumber(ce);
    m_value = entry.mainValue.toDouble();
    m_value2 = numberValue(ce2);
    return entry;
}

void TfrmAdd_Edit5::writeColumns(TableObject& table, Write) {
    table.setFloat(u"RAZMER", m_value);
    table.setFloat(u"RAZMER2", m_value2);
}
