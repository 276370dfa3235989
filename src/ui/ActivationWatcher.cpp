#include "ActivationWatcher.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>

ActivationWatcher::ActivationWatcher(QWidget* window, std::function<void()> activate)
    : QObject(window), m_window(window), m_activate(std::move(activate)) {
    qApp->installEventFilter(this);
}

ActivationWatcher::~ActivationWatcher() {
    qApp->removeEventFilter(this);
}

bool ActivationWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched == m_window && !m_shownOnce) {
        m_shownOnce = true;
        // Showing the window is its first activation; run it once the window is up.
        QMetaObject::invokeMethod(
            this, [this] { m_activate(); }, Qt::QueuedConnection);
    } else if (event->type() == QEvent::Hide && watched != m_window && watched->isWidgetType()) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && !qobject_cast<QMessageBox*>(dialog) &&
            !qobject_cast<QFileDialog*>(dialog) && dialog->parentWidget() &&
            dialog->parentWidget()->window() == m_window) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (m_window->isVisible() && !QApplication::activeModalWidget())
                        m_activate();
                },
                Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}
