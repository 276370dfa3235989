#include "TfrmAdd_Edit4.h"

#include "common/AppError.h"
#include "common/PeriodText.h"
#include "store/TableObject.h"

#include <QLineEdit>

TfrmAdd_Edit4::TfrmAdd_Edit4(const RecordDialogContext& context, QWidget* parent) : RecordDialog(context, parent) {
    setObjectName(QStringLiteral("frmAdd_Edit4"));
    ed = addTextField("ed", QStringLiteral("Период"));
    ce = addTextField("ce", QStringLiteral("% к предыдущему месяцу"));
    finishLayout();
}

void TfrmAdd_Edit4::fillFields() {
    if (addMode()) {
        ed->setText(QStringLiteral("январь 2002 г."));
        return;
    }
    ed->setText(storedText(u"PERIOD"));
    ce->setText(storedText(u"TOMONTH"));
}

RecordDialog::Entry TfrmAdd_Edit4::readEntry() {
    Entry entry;
    m_period = ed->text();
    entry.date = ReadMonthPeriod(m_period);
    entry.keyText = m_period;
    constexpr int kMaxLength = 18; // PERIOD
    if (m_period.size() > kMaxLength)
        throw AppError(QStringLiteral("Период длиннее %1 символов. Пример: январь 2002 г.").arg(kMaxLength));
    entry.mainText = ce->text();
    entry.mainValue = readNumber(ce);
    m_value = entry.mainValue.toDouble();
    return entry;
}

void TfrmAdd_Edit4::writeColumns(TableObject& table, Write kind) {
    if (kind != Write::Replace)
        table.setText(u"PERIOD", m_period);
    table.setFloat(u"TOMONTH", m_value);
}
