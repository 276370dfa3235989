#include "CalcInterestPage.h"

#include "CalcInputs.h"
#include "CalcResultView.h"
#include "calc/CalcText.h"
#include "calc/SeriesHistory.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/Settings.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString kAnnual = QStringLiteral("годовая (ст. 395 ГК РФ)");
const QString kLabour = QStringLiteral("1/150 в день (ст. 236 ТК РФ)");
const QString kTax = QStringLiteral("1/300 в день");
constexpr int kDateColumn = 0;
constexpr int kAmountColumn = 1;

// Payment dates edited in place with a calendar, shown in the regional form.
class PaymentDelegate : public QStyledItemDelegate {
public:
    PaymentDelegate(const RegionalSettings& regional, QObject* parent)
        : QStyledItemDelegate(parent), m_regional(regional) {}
    QString displayText(const QVariant& value, const QLocale& locale) const override {
        if (value.typeId() == QMetaType::QDate)
            return m_regional.formatDate(value.toDate());
        return QStyledItemDelegate::displayText(value, locale);
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() == kDateColumn)
            return CalcInputs::dateEdit("dePaymentDate", parent);
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* date = qobject_cast<QDateEdit*>(editor))
            date->setDate(index.data(Qt::EditRole).toDate());
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* date = qobject_cast<QDateEdit*>(editor))
            model->setData(index, date->date(), Qt::EditRole);
        else
            QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    RegionalSettings m_regional;
};
} // namespace

CalcInterestPage::CalcInterestPage(Database& db, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                                   QWidget* parent)
    : QWidget(parent), m_db(db), m_prompts(prompts), m_clock(clock), m_regional(regional) {
    setObjectName(QStringLiteral("pageInterest"));
    m_principal = new QLineEdit(this);
    m_principal->setObjectName(QStringLiteral("edPrincipal"));
    m_principal->setPlaceholderText(QStringLiteral("например, 100000,00"));
    m_first = CalcInputs::dateEdit("deInterestFrom", this);
    m_last = CalcInputs::dateEdit("deInterestTo", this);
    const QDate today = m_clock.today();
    m_first->setDate(QDate(today.year(), 1, 1));
    m_last->setDate(today);
    m_basis = new QComboBox(this);
    m_basis->setObjectName(QStringLiteral("cbBasis"));
    m_basis->setEditable(true);
    m_basis->setInsertPolicy(QComboBox::NoInsert);
    m_basis->addItems({kAnnual, kLabour, kTax});
    m_basis->setToolTip(QStringLiteral("Выберите базу или впишите долю ставки в день в виде 1/N, например 1/200"));

    m_payments = new QTableWidget(0, 2, this);
    m_payments->setObjectName(QStringLiteral("tblPayments"));
    m_payments->setHorizontalHeaderLabels({QStringLiteral("Дата платежа"), QStringLiteral("Сумма, руб.")});
    m_payments->horizontalHeader()->setStretchLastSection(true);
    m_payments->setColumnWidth(kDateColumn, 130);
    m_payments->verticalHeader()->setVisible(false);
    m_payments->setItemDelegate(new PaymentDelegate(m_regional, m_payments));
    m_payments->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    m_payments->setMinimumHeight(90);
    m_payments->setMaximumHeight(140); // the result below gets the room
    auto* add = new QPushButton(QStringLiteral("Добавить платёж"), this);
    add->setObjectName(QStringLiteral("btnAddPayment"));
    auto* remove = new QPushButton(QStringLiteral("Удалить платёж"), this);
    remove->setObjectName(QStringLiteral("btnDelPayment"));
    auto* calc = new QPushButton(QStringLiteral("Рассчитать"), this);
    calc->setObjectName(QStringLiteral("btnInterestCalc"));
    calc->setDefault(true);
    m_result = new CalcResultView(m_regional, this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Сумма долга, руб.:"), m_principal);
    auto* dates = new QHBoxLayout;
    dates->addWidget(new QLabel(QStringLiteral("с"), this));
    dates->addWidget(m_first);
    dates->addWidget(new QLabel(QStringLiteral("по"), this));
    dates->addWidget(m_last);
    dates->addWidget(new QLabel(QStringLiteral("(включительно)"), this));
    dates->addStretch(1);
    form->addRow(QStringLiteral("Период просрочки:"), dates);
    form->addRow(QStringLiteral("База расчёта:"), m_basis);
    auto* paymentButtons = new QVBoxLayout;
    paymentButtons->addWidget(add);
    paymentButtons->addWidget(remove);
    paymentButtons->addStretch(1);
    auto* paymentRow = new QHBoxLayout;
    paymentRow->addWidget(m_payments, 1);
    paymentRow->addLayout(paymentButtons);
    form->addRow(QStringLiteral("Платежи в погашение:"), paymentRow);

    CalcInputs::layOutPage(this, form, calc, m_result);

    connect(add, &QPushButton::clicked, this, [this] { addPayment(m_last->date(), QString()); });
    connect(remove, &QPushButton::clicked, this, &CalcInterestPage::removePayment);
    CalcInputs::connectCalculation(this, m_prompts, calc, m_principal, [this] { calculate(); });
}

void CalcInterestPage::addPayment(QDate date, const QString& amount) {
    const int row = m_payments->rowCount();
    m_payments->insertRow(row);
    auto* day = new QTableWidgetItem;
    day->setData(Qt::EditRole, date);
    m_payments->setItem(row, kDateColumn, day);
    auto* sum = new QTableWidgetItem(amount);
    sum->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_payments->setItem(row, kAmountColumn, sum);
    m_payments->setCurrentCell(row, amount.isEmpty() ? kAmountColumn : kDateColumn);
}

void CalcInterestPage::removePayment() {
    const int row = m_payments->currentRow();
    if (row >= 0)
        m_payments->removeRow(row);
}

int CalcInterestPage::perDayDivisor() const {
    const QString text = m_basis->currentText().trimmed();
    if (text == kAnnual)
        return 0;
    static const QRegularExpression fraction(QStringLiteral("^1\\s*/\\s*(\\d{1,6})(\\s.*)?$"));
    const QRegularExpressionMatch m = fraction.match(text);
    const int n = m.hasMatch() ? m.captured(1).toInt() : 0;
    if (n < 1)
        throw AppError(QStringLiteral("База расчёта: «%1» — выберите годовую базу или впишите долю ставки в день в "
                                      "виде 1/N, например 1/150.")
                           .arg(text));
    return n;
}

InterestRequest CalcInterestPage::request() const {
    InterestRequest r;
    r.principal = CalcInputs::readMoney(m_principal->text(), QStringLiteral("Сумма долга"), m_regional, false);
    r.first = m_first->date();
    r.last = m_last->date();
    r.perDayDivisor = perDayDivisor();
    for (int row = 0; row < m_payments->rowCount(); ++row) {
        const QDate date = m_payments->item(row, kDateColumn)->data(Qt::EditRole).toDate();
        const QString field = QStringLiteral("Платёж %1").arg(row + 1);
        const QString amount = m_payments->item(row, kAmountColumn)->text();
        r.payments.append({date, CalcInputs::readMoney(amount, field, m_regional, false)});
    }
    return r;
}

void CalcInterestPage::calculate() {
    m_report = {};
    m_result->clear();
    const InterestRequest r = request();
    const QString fault = InterestRequestError(r);
    if (!fault.isEmpty())
        throw AppError(fault);
    const SeriesHistory rates(m_db, QStringLiteral("refin"), m_regional);
    const InterestResult result = CalculateInterest(rates, r);
    m_report = makeReport(r, result);
    m_result->showReport(m_report);
}

CalcReport CalcInterestPage::makeReport(const InterestRequest& request, const InterestResult& result) const {
    const QChar dec = m_regional.decimalSeparator;
    CalcReport report;
    report.title = QStringLiteral("Расчёт процентов по ключевой ставке (ставке рефинансирования) Банка России");
    const QString period =
        QStringLiteral("с %1 по %2").arg(m_regional.formatDate(request.first), m_regional.formatDate(request.last));
    report.inputs.append({QStringLiteral("Сумма долга"),
                          CalcInputs::moneyText(request.principal, m_regional) + QStringLiteral(" руб.")});
    report.inputs.append({QStringLiteral("Период просрочки"), period + QStringLiteral(" включительно")});
    report.inputs.append(
        {QStringLiteral("База расчёта"), request.perDayDivisor == 0
                                             ? kAnnual + QStringLiteral(": ставка / 100 × дни / дни года (365 или 366)")
                                             : QStringLiteral("1/%1 ставки в день").arg(request.perDayDivisor)});
    QList<InterestPayment> payments = request.payments;
    std::stable_sort(payments.begin(), payments.end(),
                     [](const InterestPayment& a, const InterestPayment& b) { return a.date < b.date; });
    for (const InterestPayment& p : payments)
        report.inputs.append({QStringLiteral("Платёж"), m_regional.formatDate(p.date) + QStringLiteral(" — ") +
                                                            CalcInputs::moneyText(p.amount, m_regional) +
                                                            QStringLiteral(" руб.")});
    report.columns = {QStringLiteral("С"),
                      QStringLiteral("По"),
                      QStringLiteral("Дней"),
                      QStringLiteral("Долг, руб."),
                      QStringLiteral("Ставка, %"),
                      QStringLiteral("База"),
                      QStringLiteral("Проценты, руб.")};
    report.numeric = {false, false, true, true, true, false, true};
    for (const InterestPeriod& p : result.periods)
        report.rows.append({m_regional.formatDate(p.from), m_regional.formatDate(p.to), QString::number(p.days),
                            p.debt.toText(dec), FormatFixed4(p.rate, dec), p.basisText(), p.interest.toText(dec)});
    report.total = {
        QStringLiteral("Итого"), QString(), QString::number(result.totalDays), QString(), QString(), QString(),
        result.total.toText(dec)};
    report.warnings = result.warnings + result.reports;
    report.sentence = QStringLiteral("Проценты за период %1 на сумму долга %2 руб. составляют %3 руб.")
                          .arg(period, CalcInputs::moneyText(request.principal, m_regional),
                               CalcInputs::moneyText(result.total, m_regional));
    report.calculatedOn = m_clock.today();
    return report;
}

void CalcInterestPage::loadInputs(const Settings& settings) {
    m_principal->setText(settings.text(Settings::Key::CalcPrincipal));
    if (const QDate d = CalcInputs::dateFromKey(settings.text(Settings::Key::CalcFrom)); d.isValid())
        m_first->setDate(d);
    if (const QDate d = CalcInputs::dateFromKey(settings.text(Settings::Key::CalcTo)); d.isValid())
        m_last->setDate(d);
    const QString basis = settings.text(Settings::Key::CalcBasis);
    if (basis == QLatin1String("395") || basis.isEmpty())
        m_basis->setCurrentIndex(0);
    else if (basis == QLatin1String("150"))
        m_basis->setCurrentIndex(1);
    else if (basis == QLatin1String("300"))
        m_basis->setCurrentIndex(2);
    else
        m_basis->setEditText(QStringLiteral("1/") + basis);
    for (const QString& item : settings.text(Settings::Key::CalcPayments).split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        const QDate d = CalcInputs::dateFromKey(item.left(eq));
        if (eq > 0 && d.isValid())
            addPayment(d, item.mid(eq + 1));
    }
}

void CalcInterestPage::saveInputs(Settings& settings) const {
    QString basis = QStringLiteral("395");
    if (m_basis->currentText() == kLabour)
        basis = QStringLiteral("150");
    else if (m_basis->currentText() == kTax)
        basis = QStringLiteral("300");
    else if (m_basis->currentText() != kAnnual) {
        static const QRegularExpression fraction(QStringLiteral("^\\s*1\\s*/\\s*(\\d{1,6})"));
        const QRegularExpressionMatch m = fraction.match(m_basis->currentText());
        if (m.hasMatch())
            basis = m.captured(1);
    }
    QStringList payments;
    for (int row = 0; row < m_payments->rowCount(); ++row)
        payments << CalcInputs::dateKey(m_payments->item(row, kDateColumn)->data(Qt::EditRole).toDate()) +
                        QLatin1Char('=') + m_payments->item(row, kAmountColumn)->text().remove(QLatin1Char('|'));
    settings.setValues({{Settings::Key::CalcPrincipal, m_principal->text()},
                        {Settings::Key::CalcFrom, CalcInputs::dateKey(m_first->date())},
                        {Settings::Key::CalcTo, CalcInputs::dateKey(m_last->date())},
                        {Settings::Key::CalcBasis, basis},
                        {Settings::Key::CalcPayments, payments.join(QLatin1Char('|'))}});
}
