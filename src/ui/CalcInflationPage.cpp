#include "CalcInflationPage.h"

#include "CalcInputs.h"
#include "CalcResultView.h"
#include "calc/CalcText.h"
#include "calc/ExactRatio.h"
#include "calc/SeriesHistory.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/Settings.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CalcInflationPage::CalcInflationPage(Database& db, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                                     QWidget* parent)
    : QWidget(parent), m_db(db), m_prompts(prompts), m_clock(clock), m_regional(regional) {
    setObjectName(QStringLiteral("pageInflation"));
    m_from = CalcInputs::dateEdit("deInflationFrom", this, QStringLiteral("MM.yyyy"));
    m_to = CalcInputs::dateEdit("deInflationTo", this, QStringLiteral("MM.yyyy"));
    const QDate today = m_clock.today();
    m_from->setDate(QDate(today.year() - 1, 1, 1));
    m_to->setDate(QDate(today.year() - 1, 12, 1));
    m_amount = new QLineEdit(this);
    m_amount->setObjectName(QStringLiteral("edInflationAmount"));
    m_amount->setPlaceholderText(QStringLiteral("необязательно"));
    auto* calc = new QPushButton(QStringLiteral("Рассчитать"), this);
    calc->setObjectName(QStringLiteral("btnInflationCalc"));
    m_result = new CalcResultView(m_regional, this);

    auto* form = new QFormLayout;
    auto* months = new QHBoxLayout;
    months->addWidget(new QLabel(QStringLiteral("с"), this));
    months->addWidget(m_from);
    months->addWidget(new QLabel(QStringLiteral("по"), this));
    months->addWidget(m_to);
    months->addWidget(new QLabel(QStringLiteral("(месяцы включительно)"), this));
    months->addStretch(1);
    form->addRow(QStringLiteral("Период:"), months);
    form->addRow(QStringLiteral("Сумма для индексации, руб.:"), m_amount);
    CalcInputs::layOutPage(this, form, calc, m_result);

    CalcInputs::connectCalculation(this, m_prompts, calc, m_amount, [this] { calculate(); });
}

Money CalcInflationPage::indexedAmount(Money amount, qint64 indexHundredths) {
    const std::optional<qint64> kopecks = RoundedQuotient(BigInt(amount.kopecks()) * indexHundredths, BigInt(10000));
    if (!kopecks)
        throw AppError(AmountTooLargeMessage());
    return Money::fromKopecks(*kopecks);
}

void CalcInflationPage::calculate() {
    m_report = {};
    m_result->clear();
    std::optional<Money> amount;
    if (!m_amount->text().trimmed().isEmpty())
        amount = CalcInputs::readMoney(m_amount->text(), QStringLiteral("Сумма для индексации"), m_regional, true);
    const SeriesHistory prices(m_db, QStringLiteral("price"), m_regional);
    const InflationResult result = CumulativeInflation(prices, m_from->date(), m_to->date());
    m_report = makeReport(result, amount);
    m_result->showReport(m_report);
}

CalcReport CalcInflationPage::makeReport(const InflationResult& result, std::optional<Money> amount) const {
    const QChar dec = m_regional.decimalSeparator;
    CalcReport report;
    report.title = QStringLiteral("Расчёт индекса потребительских цен за период");
    const QString period = QStringLiteral("с %1 по %2").arg(FormatMonth(result.from), FormatMonth(result.to));
    report.inputs.append({QStringLiteral("Период"), period + QStringLiteral(" (%1 мес.)").arg(result.months)});
    if (amount)
        report.inputs.append({QStringLiteral("Сумма для индексации"),
                              CalcInputs::moneyText(*amount, m_regional) + QStringLiteral(" руб.")});
    report.columns = {QStringLiteral("Месяц"), QStringLiteral("Индекс к предыдущему месяцу, %"),
                      QStringLiteral("Накопленный индекс, %")};
    report.numeric = {false, true, true};
    for (const InflationMonth& m : result.rows)
        report.rows.append(
            {FormatMonth(m.month), FormatFixed4(m.index, dec), FormatHundredths(m.cumulativeHundredths, dec)});
    report.total = {QStringLiteral("Итого за %1 мес.").arg(result.months), QString(),
                    FormatHundredths(result.indexHundredths, dec)};
    const QString index = CalcExport::grouped(FormatHundredths(result.indexHundredths, dec), m_regional);
    report.sentence = QStringLiteral("Индекс потребительских цен за период %1 составляет %2 %.").arg(period, index);
    if (amount) {
        const Money indexed = indexedAmount(*amount, result.indexHundredths);
        report.sentence +=
            QStringLiteral(" Сумма %1 руб. с учётом индексации составляет %2 руб.")
                .arg(CalcInputs::moneyText(*amount, m_regional), CalcInputs::moneyText(indexed, m_regional));
    }
    report.calculatedOn = m_clock.today();
    return report;
}

void CalcInflationPage::loadInputs(const Settings& settings) {
    if (const auto m = ParseMonth(settings.text(Settings::Key::InflFrom)))
        m_from->setDate(*m);
    if (const auto m = ParseMonth(settings.text(Settings::Key::InflTo)))
        m_to->setDate(*m);
    m_amount->setText(settings.text(Settings::Key::InflAmount));
}

void CalcInflationPage::saveInputs(Settings& settings) const {
    settings.setValues({{Settings::Key::InflFrom, FormatMonth(m_from->date())},
                        {Settings::Key::InflTo, FormatMonth(m_to->date())},
                        {Settings::Key::InflAmount, m_amount->text()}});
}
