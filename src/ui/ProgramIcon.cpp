#include "ProgramIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QLinearGradient sky(0, 0, s, s);
    sky.setColorAt(0.0, QColor(0x14, 0x2f, 0x5c));
    sky.setColorAt(1.0, QColor(0x2c, 0x6d, 0xa8));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.16, s * 0.16);

    // A rising line of rates, as on the banner.
    QPainterPath curve;
    const double points[][2] = {{0.14, 0.78}, {0.34, 0.58}, {0.50, 0.66}, {0.68, 0.40}, {0.86, 0.22}};
    curve.moveTo(s * points[0][0], s * points[0][1]);
    for (const auto& pt : points)
        curve.lineTo(s * pt[0], s * pt[1]);
    p.setPen(QPen(QColor(0xf2, 0xc1, 0x4e), qMax(1.5, s / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xff, 0xff));
    p.drawEllipse(QPointF(s * 0.86, s * 0.22), s / 12, s / 12);
    return pixmap;
}
} // namespace

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(drawIcon(size));
    return icon;
}
