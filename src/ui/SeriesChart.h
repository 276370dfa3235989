#pragma once

#include "common/RegionalSettings.h"

#include <QDate>
#include <QVector>
#include <QWidget>

// A series drawn as a line (or as steps for change points) over a date axis, painted directly so that ten
// thousand records cost one pass per repaint: the records of each pixel column are reduced to their first,
// lowest, highest and last value. Shows the value under the mouse; a drag over the chart zooms to the dates
// it covers, a double click shows the whole series again.
class SeriesChart : public QWidget {
    Q_OBJECT
public:
    struct Point {
        QDate date;
        double value; // for drawing only: the figures of a calculation never come from here
    };

    explicit SeriesChart(const RegionalSettings& regional, QWidget* parent = nullptr);

    // Points in date order. `steps`: each value holds until the next one (a rate set on a date).
    void setSeries(const QString& caption, QVector<Point> points, bool steps);
    const QVector<Point>& points() const { return m_points; }
    QString caption() const { return m_caption; }
    bool steps() const { return m_steps; }

    // The dates shown; an invalid date means the series' own end.
    void setRange(QDate from, QDate to);
    void showAll();
    QDate shownFrom() const { return m_from; }
    QDate shownTo() const { return m_to; }

    // The record that the mouse at `x` points at: the one in force for steps, the nearest otherwise; -1 when
    // the chart is empty or x lies outside the plot.
    int recordAt(int x) const;
    // "dd.MM.yyyy: value" of a record.
    QString recordText(int index) const;
    // A value as the chart writes it.
    static QString valueText(double value, const RegionalSettings& regional);
    // The area the series is drawn in.
    QRect plotRect() const;

    QSize sizeHint() const override { return {640, 360}; }
    QSize minimumSizeHint() const override { return {240, 160}; }

signals:
    void rangeChanged(QDate from, QDate to);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    double xOf(qint64 day, const QRect& plot) const;
    qint64 dayAt(int x, const QRect& plot) const;
    void valueBounds(double* low, double* high) const;
    QString valueText(double value) const;

    RegionalSettings m_regional;
    QString m_caption;
    QVector<Point> m_points;
    bool m_steps = false;
    QDate m_from, m_to;
    int m_hover = -1;
    int m_dragFrom = -1, m_dragTo = -1;
};
