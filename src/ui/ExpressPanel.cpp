#include "ExpressPanel.h"

#include "MainWindowLayout.h"
#include "calc/ExpressCalculation.h"
#include "common/AppError.h"
#include "common/NumberText.h"
#include "store/TableObject.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cmath>

using MainWindowLayout::makeLabel;

ExpressPanel::ExpressPanel(QWidget* window, const RegionalSettings& regional) : m_regional(regional) {
    gb5 = new QGroupBox(QStringLiteral(" Экспресс-расчет "), window);
    gb5->setObjectName(QStringLiteral("gb5"));
    gb5->setGeometry(423, 450, 224, 84);
    val1 = new QLineEdit(QStringLiteral("1"), gb5);
    val1->setObjectName(QStringLiteral("val1"));
    val1->setGeometry(10, 30, 70, 22);
    Skl = makeLabel(gb5, "Skl", QStringLiteral("USD"), 84, 30, 26);
    Skl->setFixedHeight(22);
    Skl->setAlignment(Qt::AlignLeft | Qt::AlignVCenter); // level with the text of the fields
    Label20 = new QLabel(QStringLiteral("="), gb5);
    Label20->setObjectName(QStringLiteral("Label20"));
    QFont large = Label20->font();
    large.setBold(true);
    large.setPixelSize(16);
    Label20->setFont(large);
    Label20->setGeometry(111, 29, 14, std::max(22, Label20->fontMetrics().height()));
    val2 = new QLineEdit(gb5);
    val2->setObjectName(QStringLiteral("val2"));
    val2->setGeometry(126, 30, 88, 22);
    Skl2 = makeLabel(gb5, "Skl2", QStringLiteral("рублей"), 126, 57, 88);
}

void ExpressPanel::setCaption(TableObject& table) {
    gb5->setTitle(QStringLiteral("Экспресс-расчет на ") + table.displayText(Col::CurDate));
}

void ExpressPanel::declineRoubles() {
    const QString text = val2->text();
    const auto amount = parseDecimal(text, m_regional.decimalSeparator);
    if (!amount)
        throw AppError(notFloatMessage(text));
    Skl2->setText(RoubleWord(*amount));
}

void ExpressPanel::showResult(QLineEdit* field, double value) {
    // An infinity or NaN is no figure: the fields keep what they hold.
    if (!std::isfinite(value))
        throw AppError(QStringLiteral("Результат слишком велик для расчёта."));
    const QString text = formatGeneral(value, m_regional);
    field->setText(text);
    // A long figure is shown from its first digit; the whole of it is in the tooltip.
    field->setCursorPosition(0);
    field->setToolTip(text);
}

void ExpressPanel::calcCurrency(TableObject& table, const QString& code, bool fromVal2) {
    setCaption(table);
    const double rate = table.asFloat(u"KURS");
    const int nominal = table.asInteger(u"NOMINAL");
    if (!code.isEmpty())
        Skl->setText(code);
    Skl->show();
    QLineEdit* const given = fromVal2 ? val2 : val1;
    QLineEdit* const computed = fromVal2 ? val1 : val2;
    // With a rate of 0 the given field is not read: the figure is 0 whatever it holds.
    const double amount = rate != 0.0 ? readFloat(given->text(), m_regional) : 0.0;
    showResult(computed, ExpressCurrency(amount, rate, nominal, fromVal2));
    declineRoubles();
}

void ExpressPanel::calcMultiple(TableObject& table, double value, bool fromVal2) {
    setCaption(table);
    Skl->hide();
    QLineEdit* const given = fromVal2 ? val2 : val1;
    QLineEdit* const computed = fromVal2 ? val1 : val2;
    const double multiple = value != 0.0 ? readFloat(given->text(), m_regional) : 0.0;
    showResult(computed, ExpressMultiple(multiple, value, fromVal2));
    declineRoubles();
}
