#include "MainWindowLayout.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>

#include <algorithm>

namespace MainWindowLayout {
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    if (width > 0) {
        label->setGeometry(x, y, width, 16);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop); // level with the caption beside it
    } else {
        const QFontMetrics metrics(label->font());
        label->setGeometry(x, y, metrics.horizontalAdvance(text) + 1, std::max(16, metrics.height()));
    }
    return label;
}

// The layout is drawn for a small dialog font; a wide default font would run labels into their values.
QFont dialogFont(QFont font) {
    const QStringList families = QFontDatabase::families();
    bool found = false;
    for (const char* family : {"Tahoma", "Arial", "Liberation Sans"}) {
        if (families.contains(QLatin1String(family))) {
            font.setFamily(QLatin1String(family));
            found = true;
            break;
        }
    }
    if (!found)
        font.setStretch(QFont::SemiCondensed);
    font.setPixelSize(11);
    return font;
}

QFrame* makeSeparator(QWidget* parent, int x, int y, int width) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(x, y, width, 2);
    return line;
}
} // namespace MainWindowLayout
