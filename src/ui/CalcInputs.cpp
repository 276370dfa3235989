#include "CalcInputs.h"

#include "CalcReport.h"
#include "common/AppError.h"
#include "common/Prompts.h"

#include <QBoxLayout>
#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace CalcInputs {

QDateEdit* dateEdit(const char* name, QWidget* parent, const QString& format) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setDisplayFormat(format);
    edit->setCalendarPopup(true);
    edit->setMinimumDate(QDate(1900, 1, 1));
    edit->setMaximumDate(QDate(2999, 12, 31));
    return edit;
}

Money readMoney(const QString& text, const QString& field, const RegionalSettings& regional, bool positive) {
    QString plain = text;
    plain.remove(QLatin1Char(' '));
    plain.remove(QChar(0x00A0));
    plain.remove(QChar(0x202F));
    if (regional.thousandsSeparator != regional.decimalSeparator && !regional.thousandsSeparator.isSpace())
        plain.remove(regional.thousandsSeparator);
    const std::optional<Money> amount = Money::parse(plain, regional.decimalSeparator);
    if (!amount)
        throw AppError(QStringLiteral("%1: «%2» — не сумма в рублях и копейках (не более двух знаков после запятой).")
                           .arg(field, text.trimmed()));
    if (positive && amount->kopecks() <= 0)
        throw AppError(QStringLiteral("%1 должна быть больше нуля.").arg(field));
    return *amount;
}

QString moneyText(Money amount, const RegionalSettings& regional) {
    return CalcExport::grouped(amount.toText(regional.decimalSeparator), regional);
}

QString dateKey(QDate date) {
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QDate dateFromKey(const QString& text) {
    return QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
}

void layOutPage(QWidget* page, QFormLayout* inputs, QPushButton* calculate, QWidget* result) {
    auto* top = new QHBoxLayout;
    top->addLayout(inputs, 1);
    auto* calcColumn = new QVBoxLayout;
    calcColumn->addWidget(calculate);
    calcColumn->addStretch(1);
    top->addLayout(calcColumn);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(result, 1);
}

void connectCalculation(QWidget* page, Prompts& prompts, QPushButton* calculate, QLineEdit* field,
                        std::function<void()> calculation) {
    auto guarded = [&prompts, calculation = std::move(calculation)] {
        try {
            calculation();
        } catch (const AppError& e) {
            prompts.message(e.text());
        }
    };
    QObject::connect(calculate, &QPushButton::clicked, page, guarded);
    QObject::connect(field, &QLineEdit::returnPressed, page, guarded);
}

} // namespace CalcInputs
