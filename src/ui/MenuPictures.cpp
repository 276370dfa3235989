#include "MenuPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace MenuPictures {
namespace {
constexpr int kScale = 2; // drawn at twice the size, so that the pictures stay sharp on dense screens

QPixmap canvas(int w, int h) {
    QPixmap pixmap(w * kScale, h * kScale);
    pixmap.setDevicePixelRatio(kScale);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void roundBadge(QPainter& p, const QColor& colour, const QString& letter) {
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QFont f = p.font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, letter);
}

QPixmap drawCommand(Command command) {
    QPixmap pixmap = canvas(16, 16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (command) {
    case Command::ConnectionSettings: {
        // Two computers joined by a cable.
        const QColor frame(0x3a, 0x4a, 0x5c);
        p.setPen(QPen(QColor(0x2c, 0x8a, 0x3c), 1.4));
        p.drawLine(QPointF(5, 9), QPointF(11, 9));
        for (double x : {0.5, 9.5}) {
            p.setPen(QPen(frame, 1));
            p.setBrush(QColor(0x9c, 0xc8, 0xf0));
            p.drawRect(QRectF(x + 0.5, 3.5, 5, 4));
            p.setBrush(frame);
            p.drawRect(QRectF(x + 1.5, 10.5, 3, 1.5));
        }
        p.setPen(QPen(frame, 1));
        p.drawLine(QPointF(3.5, 8), QPointF(3.5, 10.5));
        p.drawLine(QPointF(12.5, 8), QPointF(12.5, 10.5));
        break;
    }
    case Command::Contents:
        roundBadge(p, QColor(0x2f, 0x6f, 0xc0), QStringLiteral("?"));
        break;
    case Command::About:
        roundBadge(p, QColor(0x2f, 0x8f, 0x9f), QStringLiteral("i"));
        break;
    case Command::WebPage: {
        // A globe.
        const QRectF globe(1.5, 1.5, 13, 13);
        p.setPen(QPen(QColor(0x1f, 0x5f, 0x9f), 1));
        p.setBrush(QColor(0x8f, 0xc8, 0xf0));
        p.drawEllipse(globe);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        p.drawLine(QPointF(3, 4.8), QPointF(13, 4.8));
        p.drawLine(QPointF(3, 11.2), QPointF(13, 11.2));
        break;
    }
    case Command::Mail: {
        // An envelope.
        p.setPen(QPen(QColor(0x7a, 0x62, 0x2a), 1));
        p.setBrush(QColor(0xfb, 0xf0, 0xc8));
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        QPainterPath flap;
        flap.moveTo(1.5, 3.5);
        flap.lineTo(8, 9);
        flap.lineTo(14.5, 3.5);
        p.setBrush(Qt::NoBrush);
        p.drawPath(flap);
        break;
    }
    case Command::Exit: {
        // A door with an arrow leaving through it.
        p.setPen(QPen(QColor(0x6a, 0x40, 0x20), 1));
        p.setBrush(QColor(0xb0, 0x74, 0x3c));
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        p.setBrush(QColor(0xf2, 0xd0, 0x60));
        p.drawEllipse(QPointF(8, 8.5), 0.8, 0.8);
        p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(8.5, 8), QPointF(14.5, 8));
        p.drawLine(QPointF(12, 5.5), QPointF(14.5, 8));
        p.drawLine(QPointF(12, 10.5), QPointF(14.5, 8));
        break;
    }
    }
    return pixmap;
}

// A flag of three stripes, horizontal or vertical.
QPixmap stripes(const QColor& a, const QColor& b, const QColor& c, bool vertical) {
    QPixmap pixmap = canvas(16, 11);
    QPainter p(&pixmap);
    const QColor colours[] = {a, b, c};
    for (int i = 0; i < 3; ++i) {
        const QRectF r = vertical ? QRectF(16.0 * i / 3, 0, 16.0 / 3, 11) : QRectF(0, 11.0 * i / 3, 16, 11.0 / 3);
        p.fillRect(r, colours[i]);
    }
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 15, 10));
    return pixmap;
}

QPixmap twoStripes(const QColor& a, const QColor& b) {
    QPixmap pixmap = canvas(16, 11);
    QPainter p(&pixmap);
    p.fillRect(QRectF(0, 0, 16, 5.5), a);
    p.fillRect(QRectF(0, 5.5, 16, 5.5), b);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.drawRect(QRectF(0.5, 0.5, 15, 10));
    return pixmap;
}

QPixmap unionFlag() {
    QPixmap pixmap = canvas(16, 11);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue(0x01, 0x21, 0x69);
    const QColor red(0xc8, 0x10, 0x2e);
    p.fillRect(QRectF(0, 0, 16, 11), blue);
    p.setPen(QPen(Qt::white, 2.6));
    p.drawLine(QPointF(0, 0), QPointF(16, 11));
    p.drawLine(QPointF(16, 0), QPointF(0, 11));
    p.setPen(QPen(red, 1));
    p.drawLine(QPointF(0, 0), QPointF(16, 11));
    p.drawLine(QPointF(16, 0), QPointF(0, 11));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(6, 0, 4, 11), Qt::white);
    p.fillRect(QRectF(0, 3.5, 16, 4), Qt::white);
    p.fillRect(QRectF(7, 0, 2, 11), red);
    p.fillRect(QRectF(0, 4.5, 16, 2), red);
    return pixmap;
}
} // namespace

QIcon commandIcon(Command command) {
    return QIcon(drawCommand(command));
}

QIcon flag(const QString& name) {
    const QColor white(0xff, 0xff, 0xff);
    if (name == QLatin1String("Russian") || name == QLatin1String("Russia"))
        return QIcon(stripes(white, QColor(0x00, 0x39, 0xa6), QColor(0xd5, 0x2b, 0x1e), false));
    if (name == QLatin1String("Bulgarian") || name == QLatin1String("Bulgaria"))
        return QIcon(stripes(white, QColor(0x00, 0x96, 0x6e), QColor(0xd6, 0x26, 0x12), false));
    if (name == QLatin1String("French"))
        return QIcon(stripes(QColor(0x00, 0x23, 0x95), white, QColor(0xed, 0x29, 0x39), true));
    if (name == QLatin1String("Ukraine"))
        return QIcon(twoStripes(QColor(0x00, 0x57, 0xb7), QColor(0xff, 0xd7, 0x00)));
    if (name == QLatin1String("English"))
        return QIcon(unionFlag());
    return QIcon();
}
} // namespace MenuPictures
