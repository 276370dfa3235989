#include "SeriesChart.h"

#include "common/NumberText.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
// 1, 2 or 5 times a power of ten, near span / count.
double niceStep(double span, int count) {
    if (span <= 0 || count <= 0)
        return 1;
    const double raw = span / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (raw <= m * power)
            return m * power;
    }
    return 10 * power;
}

struct DateTick {
    QDate date;
    QString label;
};

QVector<DateTick> dateTicks(QDate from, QDate to, int maxTicks) {
    QVector<DateTick> ticks;
    const qint64 days = from.daysTo(to);
    if (days <= 0 || maxTicks < 2)
        return ticks;
    // Whole years, or whole months, or days: the coarsest step that still gives a few ticks.
    const double years = days / 365.25;
    if (years >= 2) {
        const int step = std::max(1, int(std::ceil(years / maxTicks)));
        int year = from.year() + (from.dayOfYear() == 1 ? 0 : 1);
        year = ((year + step - 1) / step) * step;
        for (; QDate(year, 1, 1) <= to; year += step)
            ticks.append({QDate(year, 1, 1), QString::number(year)});
        return ticks;
    }
    const double months = days / 30.44;
    if (months >= 2) {
        const int step = std::max(1, int(std::ceil(months / maxTicks)));
        QDate d(from.year(), from.month(), 1);
        if (d < from)
            d = d.addMonths(1);
        for (; d <= to; d = d.addMonths(step))
            ticks.append({d, d.toString(QStringLiteral("MM.yyyy"))});
        return ticks;
    }
    const int step = std::max(1, int(std::ceil(double(days) / maxTicks)));
    for (QDate d = from; d <= to; d = d.addDays(step))
        ticks.append({d, d.toString(QStringLiteral("dd.MM.yy"))});
    return ticks;
}
} // namespace

SeriesChart::SeriesChart(const RegionalSettings& regional, QWidget* parent) : QWidget(parent), m_regional(regional) {
    setObjectName(QStringLiteral("SeriesChart"));
    setMouseTracking(true);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void SeriesChart::setSeries(const QString& caption, QVector<Point> points, bool steps) {
    m_caption = caption;
    m_points = std::move(points);
    m_steps = steps;
    m_hover = -1;
    showAll();
}

void SeriesChart::showAll() {
    setRange(QDate(), QDate());
}

void SeriesChart::setRange(QDate from, QDate to) {
    if (!m_points.isEmpty()) {
        if (!from.isValid())
            from = m_points.front().date;
        if (!to.isValid())
            to = m_points.back().date;
    }
    if (from.isValid() && to.isValid() && from > to)
        std::swap(from, to);
    if (from.isValid() && from == to)
        to = to.addDays(1);
    m_from = from;
    m_to = to;
    update();
    emit rangeChanged(m_from, m_to);
}

QRect SeriesChart::plotRect() const {
    const QFontMetrics fm(font());
    const int left = fm.horizontalAdvance(QStringLiteral("00000000,00")) + 10;
    const int top = fm.height() * 2 + 8;
    const int bottom = fm.height() + 12;
    return QRect(left, top, std::max(10, width() - left - 16), std::max(10, height() - top - bottom));
}

double SeriesChart::xOf(qint64 day, const QRect& plot) const {
    const qint64 span = std::max<qint64>(1, m_from.daysTo(m_to));
    return plot.left() + double(day - m_from.toJulianDay()) * plot.width() / double(span);
}

qint64 SeriesChart::dayAt(int x, const QRect& plot) const {
    const qint64 span = std::max<qint64>(1, m_from.daysTo(m_to));
    return m_from.toJulianDay() + qint64(std::llround(double(x - plot.left()) * double(span) / plot.width()));
}

void SeriesChart::valueBounds(double* low, double* high) const {
    // The records shown, and for steps the one in force at the left edge.
    auto first = std::lower_bound(m_points.begin(), m_points.end(), m_from,
                                  [](const Point& p, QDate d) { return p.date < d; });
    auto last = std::upper_bound(m_points.begin(), m_points.end(), m_to,
                                 [](QDate d, const Point& p) { return d < p.date; });
    if (first != m_points.begin())
        --first;
    *low = INFINITY;
    *high = -INFINITY;
    for (auto it = first; it != last; ++it) {
        *low = std::min(*low, it->value);
        *high = std::max(*high, it->value);
    }
    if (!std::isfinite(*low)) {
        *low = 0;
        *high = 1;
    }
    if (*low > 0 && *low < *high * 0.25)
        *low = 0; // a series far above zero keeps its shape; one near it starts at zero
    if (*high - *low < 1e-9) {
        *low -= 1;
        *high += 1;
    }
}

QString SeriesChart::valueText(double value, const RegionalSettings& regional) {
    // A stored value has four places and a nominal at most four digits: eight places hold a per-unit rate, and
    // the rounding drops what the division added in binary.
    return formatGeneral(std::round(value * 1e8) / 1e8, regional);
}

QString SeriesChart::valueText(double value) const {
    return valueText(value, m_regional);
}

QString SeriesChart::recordText(int index) const {
    if (index < 0 || index >= m_points.size())
        return QString();
    const Point& p = m_points[index];
    return m_regional.formatDate(p.date) + QStringLiteral(": ") + valueText(p.value);
}

int SeriesChart::recordAt(int x) const {
    const QRect plot = plotRect();
    if (m_points.isEmpty() || !m_from.isValid() || x < plot.left() || x > plot.right())
        return -1;
    const QDate day = QDate::fromJulianDay(dayAt(x, plot));
    auto it = std::upper_bound(m_points.begin(), m_points.end(), day,
                               [](QDate d, const Point& p) { return d < p.date; });
    // it: the first record after the day.
    if (m_steps) {
        if (it == m_points.begin())
            return -1;
        return int(it - m_points.begin()) - 1;
    }
    if (it == m_points.end())
        return int(m_points.size()) - 1;
    if (it == m_points.begin())
        return 0;
    const auto before = it - 1;
    return int((day.daysTo(it->date) < before->date.daysTo(day) ? it : before) - m_points.begin());
}

void SeriesChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect plot = plotRect();
    const QFontMetrics fm(font());
    const QColor text = palette().color(QPalette::Text);
    const QColor grid = palette().color(QPalette::Mid);

    painter.setPen(text);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QRect(0, 4, width(), fm.height()), Qt::AlignHCenter, m_caption);
    painter.setFont(font());

    if (m_points.isEmpty() || !m_from.isValid()) {
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Нет записей для графика"));
        return;
    }

    double low = 0, high = 1;
    valueBounds(&low, &high);
    const double step = niceStep(high - low, std::max(2, plot.height() / (fm.height() * 3)));
    low = std::floor(low / step) * step;
    high = std::ceil(high / step) * step;
    auto yOf = [&](double v) { return plot.bottom() - (v - low) * plot.height() / (high - low); };

    // Value axis and grid.
    painter.setPen(QPen(grid, 0, Qt::DotLine));
    for (double v = low; v <= high + step / 2; v += step) {
        const double y = yOf(v);
        painter.setPen(QPen(grid, 0, Qt::DotLine));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        painter.drawText(QRectF(0, y - fm.height() / 2.0, plot.left() - 6, fm.height()),
                         Qt::AlignRight | Qt::AlignVCenter, valueText(std::abs(v) < step / 1e6 ? 0 : v));
    }
    // Date axis.
    const int labelWidth = fm.horizontalAdvance(QStringLiteral("00.00.0000")) + 12;
    for (const DateTick& tick : dateTicks(m_from, m_to, std::max(2, plot.width() / labelWidth))) {
        const double x = xOf(tick.date.toJulianDay(), plot);
        painter.setPen(QPen(grid, 0, Qt::DotLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(text);
        painter.drawText(QRectF(x - labelWidth / 2.0, plot.bottom() + 4, labelWidth, fm.height()), Qt::AlignHCenter,
                         tick.label);
    }
    painter.setPen(text);
    painter.drawRect(plot.adjusted(0, 0, -1, -1));

    // The series, one column of pixels at a time.
    auto first = std::lower_bound(m_points.begin(), m_points.end(), m_from,
                                  [](const Point& p, QDate d) { return p.date < d; });
    auto last = std::upper_bound(m_points.begin(), m_points.end(), m_to,
                                 [](QDate d, const Point& p) { return d < p.date; });
    if (first != m_points.begin())
        --first; // enters from the left edge
    if (last != m_points.end())
        ++last; // leaves at the right edge
    QPolygonF line;
    line.reserve(int(std::min<qsizetype>(last - first, qsizetype(plot.width()) * 4 + 8)));
    int column = INT_MIN;
    double colFirst = 0, colLow = 0, colHigh = 0, colLast = 0, colX = 0;
    auto flush = [&] {
        if (column == INT_MIN)
            return;
        line << QPointF(colX, yOf(colFirst));
        if (colLow != colHigh) {
            line << QPointF(colX, yOf(colFirst <= colLast ? colLow : colHigh));
            line << QPointF(colX, yOf(colFirst <= colLast ? colHigh : colLow));
        }
        line << QPointF(colX, yOf(colLast));
    };
    double previous = 0;
    bool hasPrevious = false;
    for (auto it = first; it != last; ++it) {
        const double x = xOf(it->date.toJulianDay(), plot);
        const int c = int(std::floor(x));
        if (c != column) {
            flush();
            column = c;
            colX = x;
            colFirst = (m_steps && hasPrevious) ? previous : it->value;
            colLow = std::min(colFirst, it->value);
            colHigh = std::max(colFirst, it->value);
        } else {
            colLow = std::min(colLow, it->value);
            colHigh = std::max(colHigh, it->value);
        }
        colLast = it->value;
        previous = it->value;
        hasPrevious = true;
    }
    flush();
    if (m_steps && hasPrevious)
        line << QPointF(std::max(colX, double(plot.right())), yOf(previous)); // the last value stays in force

    painter.save();
    painter.setClipRect(plot);
    painter.setRenderHint(QPainter::Antialiasing, line.size() < 4000);
    painter.setPen(QPen(QColor(0x1f, 0x4e, 0x9a), 1.5));
    painter.drawPolyline(line);

    if (m_dragFrom >= 0 && m_dragTo >= 0) {
        const int l = std::min(m_dragFrom, m_dragTo), r = std::max(m_dragFrom, m_dragTo);
        painter.fillRect(QRect(l, plot.top(), r - l, plot.height()), QColor(0x1f, 0x4e, 0x9a, 40));
    }
    if (m_hover >= 0 && m_hover < m_points.size()) {
        const Point& p = m_points[m_hover];
        const QPointF at(xOf(p.date.toJulianDay(), plot), yOf(p.value));
        painter.setPen(QPen(text, 0, Qt::DashLine));
        painter.drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), plot.bottom()));
        painter.setBrush(QColor(0xc0, 0x30, 0x30));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(at, 3.5, 3.5);
    }
    painter.restore();
    if (m_hover >= 0) {
        painter.setPen(text);
        painter.drawText(QRect(plot.left(), 4 + fm.height(), plot.width(), fm.height() + 2), Qt::AlignHCenter,
                         recordText(m_hover));
    }
}

void SeriesChart::mouseMoveEvent(QMouseEvent* event) {
    const int x = int(event->position().x());
    if (m_dragFrom >= 0)
        m_dragTo = std::clamp(x, plotRect().left(), plotRect().right());
    const int hover = recordAt(x);
    if (hover != m_hover || m_dragFrom >= 0) {
        m_hover = hover;
        setToolTip(recordText(hover));
        update();
    }
}

void SeriesChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && plotRect().contains(event->position().toPoint()))
        m_dragFrom = m_dragTo = int(event->position().x());
}

void SeriesChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_dragFrom < 0)
        return;
    const QRect plot = plotRect();
    const int l = std::min(m_dragFrom, m_dragTo), r = std::max(m_dragFrom, m_dragTo);
    m_dragFrom = m_dragTo = -1;
    if (r - l >= 4)
        setRange(QDate::fromJulianDay(dayAt(l, plot)), QDate::fromJulianDay(dayAt(r, plot)));
    update();
}

void SeriesChart::mouseDoubleClickEvent(QMouseEvent*) {
    showAll();
}

void SeriesChart::leaveEvent(QEvent*) {
    m_hover = -1;
    update();
}
