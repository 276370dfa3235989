#include "CaptionDoubleClick.h"

#include <QGroupBox>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionGroupBox>

void CaptionDoubleClick::install(QGroupBox* box, std::function<void()> action) {
    box->installEventFilter(new CaptionDoubleClick(box, std::move(action)));
}

CaptionDoubleClick::CaptionDoubleClick(QGroupBox* box, std::function<void()> action)
    : QObject(box), m_box(box), m_action(std::move(action)) {}

bool CaptionDoubleClick::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_box && event->type() == QEvent::MouseButtonDblClick) {
        QStyleOptionGroupBox option;
        option.initFrom(m_box);
        option.text = m_box->title();
        option.textAlignment = m_box->alignment();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect label = m_box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, m_box);
        // The caption's own band: the label, and the frame line either side of it.
        const QRect band(0, 0, m_box->width(), std::max(label.bottom() + 1, m_box->fontMetrics().height()));
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && band.contains(mouse->position().toPoint())) {
            m_action();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
