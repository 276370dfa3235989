#include "MainWindowLayout.h"

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

QFrame* makeSeparator(QWidget* parent, int x, int y, int width) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(x, y, width, 2);
    return line;
}
} // namespace MainWindowLayout
