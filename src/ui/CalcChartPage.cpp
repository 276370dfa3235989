#include "CalcChartPage.h"

#include "CalcInputs.h"
#include "SeriesChart.h"
#include "calc/SeriesHistory.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/NumberText.h"
#include "common/Prompts.h"
#include "common/Settings.h"
#include "store/TableCatalog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

QList<CalcChartPage::Entry> CalcChartPage::entries() {
    QList<Entry> list;
    const int kurs = Catalog::columnIndex(Layout::Currency, u"KURS");
    list.append({QStringLiteral("Доллар США (USD), руб. за 1 USD"), QStringLiteral("USD"), kurs, true, false});
    list.append({QStringLiteral("Евро (EUR), руб. за 1 EUR"), QStringLiteral("EUR"), kurs, true, false});
    for (const OtherCurrency& c : Catalog::otherCurrencies()) {
        const QString code = QString::fromLatin1(c.table);
        list.append({QString::fromUtf8(c.name) + QStringLiteral(" (") + code + QStringLiteral("), руб. за 1 ") + code,
                     code, kurs, true, false});
    }
    list.append({QStringLiteral("МРОТ для уплаты госпошлины, руб."), QStringLiteral("MROT"),
                 Catalog::columnIndex(Layout::Wage, u"RAZMER"), false, true});
    list.append({QStringLiteral("МРОТ для регулирования оплаты труда, руб."), QStringLiteral("MROT"),
                 Catalog::columnIndex(Layout::Wage, u"RAZMER2"), false, true});
    list.append({QStringLiteral("Ставка рефинансирования (ключевая ставка), %"), QStringLiteral("refin"),
                 Catalog::columnIndex(Layout::Wage, u"RAZMER"), false, true});
    list.append({QStringLiteral("Индекс инфляции, %"), QStringLiteral("infl"),
                 Catalog::columnIndex(Layout::Inflation, u"INDINFL"), false, false});
    list.append({QStringLiteral("Индекс потребительских цен к предыдущему месяцу, %"), QStringLiteral("price"),
                 Catalog::columnIndex(Layout::Price, u"TOMONTH"), false, false});
    return list;
}

CalcChartPage::CalcChartPage(Database& db, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                             QWidget* parent)
    : QWidget(parent), m_db(db), m_prompts(prompts), m_clock(clock), m_regional(regional) {
    setObjectName(QStringLiteral("pageChart"));
    m_series = new QComboBox(this);
    m_series->setObjectName(QStringLiteral("cbChartSeries"));
    for (const Entry& e : entries())
        m_series->addItem(e.caption);
    m_from = CalcInputs::dateEdit("deChartFrom", this);
    m_to = CalcInputs::dateEdit("deChartTo", this);
    m_from->setDate(QDate(1992, 1, 1));
    m_to->setDate(m_clock.today());
    m_denominate = new QCheckBox(QStringLiteral("Суммы до 1998 г. — в деноминированных рублях (1000 : 1)"), this);
    m_denominate->setObjectName(QStringLiteral("cbDenominate"));
    m_denominate->setChecked(true);
    m_denominate->setToolTip(QStringLiteral("Курсы и МРОТ до 01.01.1998 записаны в рублях до деноминации; для "
                                            "сплошной линии они делятся на 1000"));
    auto* build = new QPushButton(QStringLiteral("Построить"), this);
    build->setObjectName(QStringLiteral("btnChartBuild"));
    auto* all = new QPushButton(QStringLiteral("Весь ряд"), this);
    all->setObjectName(QStringLiteral("btnChartAll"));
    all->setToolTip(QStringLiteral("Показать все записи ряда (или двойной щелчок по графику)"));
    m_chart = new SeriesChart(m_regional, this);

    auto* inputs = new QHBoxLayout;
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Ряд:"), m_series);
    auto* dates = new QHBoxLayout;
    dates->addWidget(new QLabel(QStringLiteral("с"), this));
    dates->addWidget(m_from);
    dates->addWidget(new QLabel(QStringLiteral("по"), this));
    dates->addWidget(m_to);
    dates->addStretch(1);
    form->addRow(QStringLiteral("Период:"), dates);
    form->addRow(QString(), m_denominate);
    inputs->addLayout(form, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(build);
    buttons->addWidget(all);
    buttons->addStretch(1);
    inputs->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(m_chart, 1);
    auto* hint = new QLabel(
        QStringLiteral("Выделите мышью участок графика, чтобы увеличить его; двойной щелчок — весь ряд."), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    connect(build, &QPushButton::clicked, this, [this] {
        try {
            this->build();
        } catch (const AppError& e) {
            m_prompts.message(e.text());
        }
    });
    connect(all, &QPushButton::clicked, m_chart, &SeriesChart::showAll);
    connect(m_series, &QComboBox::currentIndexChanged, this, &CalcChartPage::onSeriesChosen);
    onSeriesChosen();
    connect(m_chart, &SeriesChart::rangeChanged, this, [this](QDate from, QDate to) {
        if (from.isValid() && to.isValid()) {
            const QSignalBlocker b1(m_from), b2(m_to);
            m_from->setDate(from);
            m_to->setDate(to);
        }
    });
}

void CalcChartPage::onSeriesChosen() {
    const QList<Entry> list = entries();
    const int index = m_series->currentIndex();
    m_denominate->setEnabled(index >= 0 && index < list.size() && list[index].roubles());
}

void CalcChartPage::build() {
    const QList<Entry> list = entries();
    const int index = m_series->currentIndex();
    if (index < 0 || index >= list.size())
        return;
    const Entry& e = list[index];
    const std::optional<TableInfo> info = Catalog::findTable(e.table);
    if (!info)
        throw AppError(QStringLiteral("Неизвестный ряд ") + e.table);
    const SeriesHistory series(m_db, info->name, m_regional);
    const bool denominate = e.roubles() && m_denominate->isChecked();
    QVector<SeriesChart::Point> points;
    points.reserve(series.recordCount());
    const int nominal = Catalog::columnIndex(Layout::Currency, u"NOMINAL");
    // Newest first in the history; the chart wants them oldest first. Empty values are no points.
    for (int r = series.recordCount() - 1; r >= 0; --r) {
        const TableRow& row = series.record(r);
        if (!row.values[size_t(e.column)].isValid() || !row.date().isValid())
            continue;
        double value = series.fixed4(row, e.column).toDouble();
        if (e.perNominal) {
            const int n = series.integer(row, nominal);
            if (n <= 0)
                continue;
            value /= n;
        }
        if (denominate && row.date() < denominationDay())
            value /= 1000;
        points.append({row.date(), value});
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const SeriesChart::Point& a, const SeriesChart::Point& b) { return a.date < b.date; });
    m_builtOn = m_clock.today();
    const QDate from = m_from->date(), to = m_to->date(); // the new series would show itself whole
    const bool spansDenomination = !points.isEmpty() && e.roubles() && points.front().date < denominationDay();
    QString caption = e.caption;
    if (spansDenomination)
        caption += denominate ? QStringLiteral(" (до 1998 г. — в деноминированных рублях)")
                              : QStringLiteral(" (до 1998 г. — в рублях до деноминации)");
    m_chart->setSeries(caption, std::move(points), e.steps);
    m_chart->setRange(from, to);
}

CalcReport CalcChartPage::report() const {
    CalcReport r;
    if (m_chart->points().isEmpty())
        return r;
    r.title = QStringLiteral("График ряда: ") + m_chart->caption();
    r.inputs = {{QStringLiteral("Период"), m_regional.formatDate(m_chart->shownFrom()) + QStringLiteral(" — ") +
                                               m_regional.formatDate(m_chart->shownTo())}};
    r.columns = {QStringLiteral("Дата"), QStringLiteral("Значение")};
    r.numeric = {false, true};
    for (const SeriesChart::Point& p : m_chart->points()) {
        if (p.date < m_chart->shownFrom() || p.date > m_chart->shownTo())
            continue;
        r.rows.append({m_regional.formatDate(p.date), SeriesChart::valueText(p.value, m_regional)});
    }
    r.calculatedOn = m_builtOn;
    return r;
}

void CalcChartPage::print(QPagedPaintDevice& device) const {
    QPainter painter(&device);
    const QRect page = painter.viewport();
    QFont title = painter.font();
    title.setPointSize(14);
    title.setBold(true);
    painter.setFont(title);
    const int line = painter.fontMetrics().height();
    painter.drawText(QRect(0, 0, page.width(), line), Qt::AlignLeft, QStringLiteral("График ряда"));
    QFont plain = title;
    plain.setPointSize(10);
    plain.setBold(false);
    painter.setFont(plain);
    const int small = painter.fontMetrics().height();
    painter.drawText(QRect(0, line + 4, page.width(), small), Qt::AlignLeft,
                     QStringLiteral("Период: ") + m_regional.formatDate(m_chart->shownFrom()) + QStringLiteral(" — ") +
                         m_regional.formatDate(m_chart->shownTo()) + QStringLiteral(". Дата построения: ") +
                         m_regional.formatDate(m_builtOn));
    // The chart drawn afresh for the page: the dates shown, without the mouse's marker, at a size of its own.
    SeriesChart copy(m_regional);
    copy.setSeries(m_chart->caption(), m_chart->points(), m_chart->steps());
    copy.setRange(m_chart->shownFrom(), m_chart->shownTo());
    copy.resize(900, 540);
    const QPixmap picture = copy.grab();
    const double scale = double(page.width()) / picture.width();
    painter.drawPixmap(QRect(0, line + small + 16, page.width(), int(picture.height() * scale)), picture);
}

void CalcChartPage::loadInputs(const Settings& settings) {
    const int index = m_series->findText(settings.text(Settings::Key::ChartSeries));
    if (index >= 0)
        m_series->setCurrentIndex(index);
    const QDate from = QDate::fromString(settings.text(Settings::Key::ChartFrom), QStringLiteral("dd.MM.yyyy"));
    const QDate to = QDate::fromString(settings.text(Settings::Key::ChartTo), QStringLiteral("dd.MM.yyyy"));
    if (from.isValid())
        m_from->setDate(from);
    if (to.isValid())
        m_to->setDate(to);
}

void CalcChartPage::saveInputs(Settings& settings) const {
    settings.setValues({{Settings::Key::ChartSeries, m_series->currentText()},
                        {Settings::Key::ChartFrom, m_from->date().toString(QStringLiteral("dd.MM.yyyy"))},
                        {Settings::Key::ChartTo, m_to->date().toString(QStringLiteral("dd.MM.yyyy"))}});
}
