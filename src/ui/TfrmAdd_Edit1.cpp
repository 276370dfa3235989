#include "TfrmAdd_Edit1.h"

#include "MaskedDateEdit.h"
#include "common/AppError.h"
#include "store/TableObject.h"

#include <QLineEdit>

TfrmAdd_Edit1::TfrmAdd_Edit1(const RecordDialogContext& context, QWidget* parent) : RecordDialog(context, parent) {
    setObjectName(QStringLiteral("frmAdd_Edit1"));
    addDateField();
    ce1 = addTextField("ce1", QStringLiteral("Номинал"));
    ce = addTextField("ce", QStringLiteral("Курс"));
    finishLayout();
}

void TfrmAdd_Edit1::fillFields() {
    if (addMode()) {
        de->setDate(clock().today());
        return;
    }
    de->setDate(table().asDate(u"CURDATE"));
    ce1->setText(storedText(u"NOMINAL"));
    ce->setText(storedText(u"KURS"));
}

RecordDialog::Entry TfrmAdd_Edit1::readEntry() {
    Entry entry;
    entry.date = readDe();
    entry.keyText = de->maskedText();
    // A rate without its nominal, or a nominal without its rate, cannot be used in any calculation.
    if (trimmedControl(ce1->text()).isEmpty())
        throw AppError(QStringLiteral("Не указан номинал. Введите количество единиц валюты, например 1."));
    m_nominal = readInteger(ce1->text());
    if (m_nominal <= 0)
        throw AppError(positiveMessage(ce1));
    if (trimmedControl(ce->text()).isEmpty())
        throw AppError(QStringLiteral("Не указан курс. Введите курс валюты в рублях."));
    entry.mainText = ce->text();
    entry.mainValue = readNumber(ce);
    m_rate = entry.mainValue.toDouble();
    return entry;
}

void TfrmAdd_Edit1::writeColumns(TableObject& table, Write) {
    table.setInteger(u"NOMINAL", m_nominal);
    table.setFloat(u"KURS", m_rate);
}
