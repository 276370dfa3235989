#include "CalcConversionPage.h"

#include "CalcInputs.h"
#include "CalcResultView.h"
#include "calc/CalcText.h"
#include "calc/SeriesHistory.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/Settings.h"
#include "store/TableCatalog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QStringList CalcConversionPage::currencyTables() {
    QStringList tables{QStringLiteral("USD"), QStringLiteral("EUR")};
    for (const OtherCurrency& c : Catalog::otherCurrencies())
        tables << QString::fromLatin1(c.table);
    return tables;
}

CalcConversionPage::CalcConversionPage(Database& db, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                                       QWidget* parent)
    : QWidget(parent), m_db(db), m_prompts(prompts), m_clock(clock), m_regional(regional) {
    setObjectName(QStringLiteral("pageConversion"));
    m_currency = new QComboBox(this);
    m_currency->setObjectName(QStringLiteral("cbCurrency"));
    m_currency->addItem(QStringLiteral("Доллар США (USD)"), QStringLiteral("USD"));
    m_currency->addItem(QStringLiteral("Евро (EUR)"), QStringLiteral("EUR"));
    for (const OtherCurrency& c : Catalog::otherCurrencies())
        m_currency->addItem(QString::fromUtf8(c.name) + QStringLiteral(" (") + QString::fromLatin1(c.table) +
                                QLatin1Char(')'),
                            QString::fromLatin1(c.table));
    m_date = CalcInputs::dateEdit("deConversionDate", this);
    m_date->setDate(m_clock.today());
    m_amount = new QLineEdit(QStringLiteral("1000"), this);
    m_amount->setObjectName(QStringLiteral("edAmount"));
    m_toRoubles = new QRadioButton(QStringLiteral("валюта → рубли"), this);
    m_toRoubles->setObjectName(QStringLiteral("rbToRoubles"));
    m_fromRoubles = new QRadioButton(QStringLiteral("рубли → валюта"), this);
    m_fromRoubles->setObjectName(QStringLiteral("rbFromRoubles"));
    m_toRoubles->setChecked(true);
    auto* calc = new QPushButton(QStringLiteral("Рассчитать"), this);
    calc->setObjectName(QStringLiteral("btnConversionCalc"));
    m_result = new CalcResultView(m_regional, this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Валюта:"), m_currency);
    form->addRow(QStringLiteral("Дата:"), m_date);
    form->addRow(QStringLiteral("Сумма:"), m_amount);
    auto* direction = new QHBoxLayout;
    direction->addWidget(m_toRoubles);
    direction->addWidget(m_fromRoubles);
    direction->addStretch(1);
    form->addRow(QStringLiteral("Пересчёт:"), direction);
    CalcInputs::layOutPage(this, form, calc, m_result);

    CalcInputs::connectCalculation(this, m_prompts, calc, m_amount, [this] { calculate(); });
}

void CalcConversionPage::setCurrency(const QString& table) {
    const int index = m_currency->findData(table);
    if (index >= 0)
        m_currency->setCurrentIndex(index);
}

void CalcConversionPage::calculate() {
    m_report = {};
    m_result->clear();
    const QString table = m_currency->currentData().toString();
    const bool toRoubles = m_toRoubles->isChecked();
    const Money amount = CalcInputs::readMoney(m_amount->text(), QStringLiteral("Сумма"), m_regional, true);
    const SeriesHistory rates(m_db, table, m_regional);
    const ConversionResult result =
        toRoubles ? ConvertToRoubles(rates, m_date->date(), amount) : ConvertFromRoubles(rates, m_date->date(), amount);
    m_report = makeReport(table, result);
    m_result->showReport(m_report);
}

CalcReport CalcConversionPage::makeReport(const QString& code, const ConversionResult& r) const {
    const QChar dec = m_regional.decimalSeparator;
    CalcReport report;
    report.title = QStringLiteral("Пересчёт %1 по официальному курсу Банка России").arg(code);
    report.inputs.append({QStringLiteral("Валюта"), m_currency->currentText()});
    report.inputs.append({QStringLiteral("Дата"), m_regional.formatDate(r.asked)});
    const bool to = r.direction == ConversionDirection::ToRoubles;
    const QString currency = CalcInputs::moneyText(r.amount, m_regional) + QLatin1Char(' ') + code;
    const QString roubles = CalcInputs::moneyText(r.roubles, m_regional) + QStringLiteral(" руб.");
    report.inputs.append({QStringLiteral("Сумма"), to ? currency : roubles});
    report.columns = {QStringLiteral("Сумма, ") + code, QStringLiteral("Дата курса"), QStringLiteral("Номинал"),
                      QStringLiteral("Курс, руб."), QStringLiteral("Сумма, руб.")};
    report.numeric = {true, false, true, true, true};
    report.rows.append({r.amount.toText(dec), m_regional.formatDate(r.recordDate), QString::number(r.nominal),
                        FormatFixed4(r.rate, dec), r.roubles.toText(dec)});
    const QString rate = QStringLiteral("%1 руб. за %2 %3, курс установлен на %4")
                             .arg(CalcExport::grouped(FormatFixed4(r.rate, dec), m_regional))
                             .arg(r.nominal)
                             .arg(code, m_regional.formatDate(r.recordDate));
    report.sentence = QStringLiteral("%1 по официальному курсу Банка России на %2 (%3) = %4")
                          .arg(to ? currency : roubles, m_regional.formatDate(r.asked), rate, to ? roubles : currency);
    report.calculatedOn = m_clock.today();
    return report;
}

void CalcConversionPage::loadInputs(const Settings& settings) {
    setCurrency(settings.text(Settings::Key::ConvSeries));
    if (const QDate d = CalcInputs::dateFromKey(settings.text(Settings::Key::ConvDate)); d.isValid())
        m_date->setDate(d);
    if (settings.contains(Settings::Key::ConvAmount))
        m_amount->setText(settings.text(Settings::Key::ConvAmount));
    (settings.number(Settings::Key::ConvDirection, 0) == 1 ? m_fromRoubles : m_toRoubles)->setChecked(true);
}

void CalcConversionPage::saveInputs(Settings& settings) const {
    settings.setValues({{Settings::Key::ConvSeries, m_currency->currentData().toString()},
                        {Settings::Key::ConvDate, CalcInputs::dateKey(m_date->date())},
                        {Settings::Key::ConvAmount, m_amount->text()},
                        {Settings::Key::ConvDirection, m_fromRoubles->isChecked() ? 1 : 0}});
}
