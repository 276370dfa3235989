#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Tells a window's activation handler when to run: once the window is first shown, and again whenever one of
// the window's own dialogs closes while no other modal window is up. Message boxes and file dialogs do not
// count: a message shown by the activation itself would otherwise bring it back for ever.
class ActivationWatcher : public QObject {
    Q_OBJECT
public:
    ActivationWatcher(QWidget* window, std::function<void()> activate);
    ~ActivationWatcher() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    std::function<void()> m_activate;
    bool m_shownOnce = false;
};
