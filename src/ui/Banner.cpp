#include "Banner.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

Banner::Banner(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
}

void Banner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();

    QLinearGradient sky(r.topLeft(), r.bottomRight());
    sky.setColorAt(0.0, QColor(0x14, 0x2f, 0x5c));
    sky.setColorAt(0.6, QColor(0x1f, 0x4e, 0x8c));
    sky.setColorAt(1.0, QColor(0x2c, 0x6d, 0xa8));
    p.fillRect(r, sky);

    // A rising line of rates behind the name.
    QPainterPath curve;
    const double h = r.height();
    curve.moveTo(r.width() * 0.66, h * 0.86);
    const double points[][2] = {{0.71, 0.72}, {0.75, 0.78}, {0.80, 0.56}, {0.84, 0.62},
                                {0.88, 0.42}, {0.92, 0.48}, {0.96, 0.24}, {0.99, 0.18}};
    for (const auto& pt : points)
        curve.lineTo(r.width() * pt[0], h * pt[1]);
    p.setPen(QPen(QColor(0xf2, 0xc1, 0x4e, 200), 3));
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf2, 0xc1, 0x4e));
    for (const auto& pt : points)
        p.drawEllipse(QPointF(r.width() * pt[0], h * pt[1]), 3.5, 3.5);

    QFont title = font();
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0xff, 0xff, 0xff));
    p.drawText(QRectF(18, 8, r.width() * 0.5, 52), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tarvel"));

    QFont sub = font();
    sub.setPixelSize(13);
    p.setFont(sub);
    p.setPen(QColor(0xd6, 0xe4, 0xf5));
    p.drawText(QRectF(20, 58, r.width() * 0.64 - 20, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Курсы валют · МРОТ · ставка рефинансирования · индексы цен"));
}

void Banner::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (m_inDoubleClick) {
        m_inDoubleClick = false;
        return;
    }
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void Banner::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_inDoubleClick = true;
    emit doubleClicked();
}
