#include "PeriodRecordDialog.h"

#include "common/AppError.h"
#include "common/PeriodText.h"
#include "store/TableObject.h"

#include <QLineEdit>

namespace RecordDialogs {
const PeriodRecordDescriptor Inflation{.dialogName = "frmAdd_Edit3",
                                       .layout = Layout::Inflation,
                                       .periodColumn = u"KVART",
                                       .valueColumn = u"INDINFL",
                                       .valueLabel = u"ИРИП",
                                       .firstPeriod = u"I квартал",
                                       .example = u"I квартал 2002 г.",
                                       .readPeriod = &ReadQuarterPeriod};
const PeriodRecordDescriptor Prices{.dialogName = "frmAdd_Edit4",
                                    .layout = Layout::Price,
                                    .periodColumn = u"PERIOD",
                                    .valueColumn = u"TOMONTH",
                                    .valueLabel = u"% к предыдущему месяцу",
                                    .firstPeriod = u"январь 2002 г.",
                                    .example = u"январь 2002 г.",
                                    .readPeriod = &ReadMonthPeriod};
} // namespace RecordDialogs

PeriodRecordDialog::PeriodRecordDialog(const PeriodRecordDescriptor& descriptor, const RecordDialogContext& context,
                                       QWidget* parent)
    : RecordDialog(context, parent), m_descriptor(descriptor) {
    setObjectName(QLatin1String(descriptor.dialogName));
    ed = addTextField("ed", QStringLiteral("Период"));
    ce = addTextField("ce", QStringView(descriptor.valueLabel).toString());
    finishLayout();
}

QString PeriodRecordDialog::mainColumn() const {
    return QStringView(m_descriptor.valueColumn).toString();
}

void PeriodRecordDialog::fillFields() {
    if (addMode()) {
        ed->setText(QStringView(m_descriptor.firstPeriod).toString());
        return;
    }
    ed->setText(storedText(m_descriptor.periodColumn));
    ce->setText(storedText(m_descriptor.valueColumn));
}

RecordDialog::Entry PeriodRecordDialog::readEntry() {
    Entry entry;
    m_period = ed->text();
    entry.date = m_descriptor.readPeriod(m_period);
    entry.keyText = m_period;
    const Layout layout = m_descriptor.layout;
    const int maxLength =
        Catalog::columns(layout)[size_t(Catalog::columnIndex(layout, m_descriptor.periodColumn))].maxLength;
    if (m_period.size() > maxLength)
        throw AppError(QStringLiteral("Период длиннее %1 символов. Пример: %2")
                           .arg(maxLength)
                           .arg(QStringView(m_descriptor.example)));
    entry.mainText = ce->text();
    entry.mainValue = readNumber(ce);
    m_value = entry.mainValue.toDouble();
    return entry;
}

void PeriodRecordDialog::writeColumns(TableObject& table, Write kind) {
    // A replacement keeps the stored period text.
    if (kind != Write::Replace)
        table.setText(m_descriptor.periodColumn, m_period);
    table.setFloat(m_descriptor.valueColumn, m_value);
}
