#include "TfrmAdd_Edit3.h"

#include "common/AppError.h"
#include "common/PeriodText.h"
#include "store/TableObject.h"

#include <QLineEdit>

TfrmAdd_Edit3::TfrmAdd_Edit3(const RecordDialogContext& context, QWidget* parent) : RecordDialog(context, parent) {
    setObjectName(QStringLiteral("frmAdd_Edit3"));
    ed = addTextField("ed", QStringLiteral("Период"));
    ce = addTextField("ce", QStringLiteral("ИРИП"));
    finishLayout();
}

void TfrmAdd_Edit3::fillFields() {
    if (addMode()) {
        ed->setText(QStringLiteral("I квартал"));
        return;
    }
    ed->setText(storedText(u"KVART"));
    ce->setText(storedText(u"INDINFL"));
}

RecordDialog::Entry TfrmAdd_Edit3::readEntry() {
    Entry entry;
    m_period = ed->text();
    entry.date = ReadQuarterPeriod(m_period);
    entry.keyText = m_period;
    constexpr int kMaxLength = 20; // KVART
    if (m_period.size() > kMaxLength)
        throw AppError(QStringLiteral("Период длиннее %1 символов. Пример: I квартал 2002 г.").arg(kMaxLength));
    entry.mainText = ce->text();
    entry.mainValue = readNumber(ce);
    m_value = entry.mainValue.toDouble();
    return entry;
}

void TfrmAdd_Edit3::writeColumns(TableObject& table, Write kind) {
    // A replacement keeps the stored period text.
    if (kind != Write::Replace)
        table.setText(u"KVART", m_period);
    table.setFloat(u"INDINFL", m_value);
}
