#include "RecordDialog.h"

#include "MaskedDateEdit.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "store/RecordMerge.h"
#include "store/TableObject.h"
#include "store/UpdateSource.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

QString ManualReplaceQuestionText(bool period, const QString& keyText, const QString& storedText,
                                  const QString& typedText, int storedUpd) {
    const QString first = period ? QStringLiteral("На введенный Вами период уже есть запись в таблице. \nНа ")
                                 : QStringLiteral("На введенную Вами дату уже есть запись в таблице. \nНа ");
    return first + keyText + QStringLiteral(" в таблице значение - ") + storedText +
           QStringLiteral(", а в добавляемой Вами записи - ") + typedText + QStringLiteral(". ") + QLatin1Char('\n') +
           SourceSentence(storedUpd) + QLatin1Char('\n') +
           QStringLiteral("Вы хотите заменить значение в таблице на введенное Вами?");
}

RecordDialog::RecordDialog(const RecordDialogContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    if (parent)
        setFont(parent->font());
    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    m_form = new QFormLayout;
    m_form->setLabelAlignment(Qt::AlignLeft);
    outer->addLayout(m_form);
}

MaskedDateEdit* RecordDialog::addDateField() {
    de = new MaskedDateEdit(m_context.regional, 4, this);
    de->setObjectName(QStringLiteral("de"));
    de->setFixedWidth(90);
    m_form->addRow(QStringLiteral("Дата"), de);
    return de;
}

QLineEdit* RecordDialog::addTextField(const char* name, const QString& label) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    field->setFixedWidth(130);
    m_form->addRow(label, field);
    return field;
}

void RecordDialog::finishLayout() {
    auto* outer = static_cast<QVBoxLayout*>(layout());
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    outer->addWidget(line);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOK = new QPushButton(QStringLiteral("ОК"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCanc = new QPushButton(QStringLiteral("Отмена"), this);
    btnCanc->setObjectName(QStringLiteral("btnCanc"));
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCanc);
    outer->addLayout(buttons);
    connect(btnOK, &QPushButton::clicked, this, &RecordDialog::btnOKClick);
    connect(btnCanc, &QPushButton::clicked, this, &RecordDialog::btnCancClick);
    FormCreate();
}

void RecordDialog::FormCreate() {
    setWindowTitle(m_context.addMode ? QStringLiteral("Добавить новую запись")
                                     : QStringLiteral("Редактировать текущую запись"));
    fillFields();
    m_filled = fieldTexts();
}

QStringList RecordDialog::fieldTexts() const {
    QStringList texts;
    for (const QLineEdit* field : findChildren<QLineEdit*>())
        texts << field->text();
    return texts;
}

QString RecordDialog::fieldName(const QWidget* field) const {
    const auto* label = qobject_cast<const QLabel*>(m_form->labelForField(const_cast<QWidget*>(field)));
    QString name = label ? label->text().trimmed() : QString();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}

void RecordDialog::btnCancClick() {
    reject();
}

void RecordDialog::btnOKClick() {
    try {
        // OK on an edit that changed nothing is a close: the record keeps its source and date of writing.
        if (!m_context.addMode && m_context.table.recordCount() > 0 && fieldTexts() == m_filled) {
            accept();
            return;
        }
        const Entry entry = readEntry();
        if (entry.date.year() < kFirstYear || entry.date.year() > kLastYear) {
            const QString field = isPeriodDialog() ? QStringLiteral("Период") : QStringLiteral("Дата");
            throw AppError(
                QStringLiteral("Поле «%1»: год должен быть от %2 до %3.").arg(field).arg(kFirstYear).arg(kLastYear));
        }
        if (m_context.addMode)
            addRecord(entry);
        else
            editRecord(entry);
        accept();
    } catch (const AppError& e) {
        m_context.prompts.message(e.text());
    }
}

QDate RecordDialog::readDe() const {
    return de->date(m_context.clock.today().year());
}

DecimalNumber RecordDialog::readNumber(const QLineEdit* field) const {
    const QString text = field->text();
    const auto number = parseDecimal(text, m_context.regional.decimalSeparator);
    if (!number || !std::isfinite(number->toDouble()))
        throw AppError(notFloatMessage(text));
    // A rate, size or index of zero or below is no figure; so is one too small to be stored as other than 0.
    if (number->negative || !(number->toDouble() > 0.0))
        throw AppError(positiveMessage(field));
    return *number;
}

QString RecordDialog::positiveMessage(const QWidget* field) const {
    return QStringLiteral("Поле «%1»: значение должно быть больше нуля.").arg(fieldName(field));
}

double RecordDialog::numberValue(const QLineEdit* field) const {
    return readNumber(field).toDouble();
}

QString RecordDialog::storedText(const char16_t* column) const {
    return table().displayText(QStringView(column));
}

// A typed record against the stored one of its date: compared exactly, ConsultantPlus records kept, the question
// of the dialogs, the source "by hand".
class RecordDialog::AddPolicy : public MergePolicy {
public:
    AddPolicy(RecordDialog& dialog, const Entry& entry) : m_dialog(dialog), m_entry(entry) {}
    bool sameAsStored(const TableObject& t) const override {
        // Typed value against the stored count of ten-thousandths: more than four places is different.
        const auto typed = m_entry.mainValue.exactTenThousandths();
        return typed && *typed == t.asFixed4(m_dialog.mainColumn()).count();
    }
    UpdateSource keptSource() const override { return UpdateSource::ConsultantPlus; }
    bool agreeToReplace(MergeContext& context, int storedUpd) const override {
        return context.prompts.question(ManualReplaceQuestionText(m_dialog.isPeriodDialog(), m_entry.keyText,
                                                                  context.table.displayText(m_dialog.mainColumn()),
                                                                  m_entry.mainText, storedUpd));
    }
    void write(TableObject& t, bool inserting) const override {
        m_dialog.writeColumns(t, inserting ? Write::Insert : Write::Replace);
        t.setInteger(u"UPD", int(UpdateSource::Manual));
        t.setDate(u"DT", m_dialog.m_context.clock.today());
    }

private:
    RecordDialog& m_dialog;
    const Entry& m_entry;
};

void RecordDialog::addRecord(const Entry& entry) {
    MergeContext merge{table(), m_context.counters, m_context.prompts, m_context.clock, m_context.regional};
    MergeImportedRecord(entry.date, AddPolicy(*this, entry), merge);
}

void RecordDialog::editRecord(const Entry& entry) {
    TableObject& t = table();
    const int other = t.findDate(entry.date);
    if (other >= 0 && other != t.currentRow()) {
        const QString date = m_context.regional.formatDate(entry.date);
        throw AppError(isPeriodDialog()
                           ? QStringLiteral("На этот период (с %1) в таблице уже есть другая запись. "
                                            "Укажите другой период.")
                                 .arg(date)
                           : QStringLiteral("На %1 в таблице уже есть другая запись. Укажите другую дату.").arg(date));
    }
    postEdit(entry);
    ++m_context.counters.changed;
}

void RecordDialog::postEdit(const Entry& entry) {
    TableObject& t = table();
    t.edit(); // on an empty table this starts an insert
    try {
        t.setDate(u"CURDATE", entry.date);
        writeColumns(t, Write::Edit);
        t.setInteger(u"UPD", int(UpdateSource::Manual));
        t.setDate(u"DT", m_context.clock.today());
        t.post();
    } catch (...) {
        t.cancel(); // nothing of a half-written record reaches the table
        throw;
    }
}
