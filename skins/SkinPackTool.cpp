// Packs a style sheet as the skin "UserSkin" and draws the skin's wall picture:
//   tarvel-skinpack sheet.qss skin.pkg wall.jpg top-colour bottom-colour
#include "shell/SkinPackage.h"

#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: tarvel-skinpack sheet.qss skin.pkg wall.jpg top-colour bottom-colour\n");
        return 2;
    }
    QFile sheet(args[1]);
    if (!sheet.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    const QString styleSheet = QString::fromUtf8(sheet.readAll());
    QFile package(args[2]);
    if (!package.open(QIODevice::WriteOnly) ||
        package.write(SkinPackage::write({{QStringLiteral("UserSkin"), styleSheet}})) < 0 || !package.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[2]));
        return 1;
    }

    QImage wall(320, 200, QImage::Format_RGB32);
    QPainter p(&wall);
    QLinearGradient gradient(0, 0, 0, wall.height());
    gradient.setColorAt(0, QColor::fromString(args[4]));
    gradient.setColorAt(1, QColor::fromString(args[5]));
    p.fillRect(wall.rect(), gradient);
    p.end();
    if (!wall.save(args[3], "JPEG", 85)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[3]));
        return 1;
    }
    return 0;
}
