#pragma once

#include <QObject>

class QWidget;

// For the start-up benchmark only: once a window has been painted for the first time, prints
// "first-paint <peak resident bytes>" on stdout and quits the application.
class FirstPaintReport : public QObject {
public:
    static void install(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    bool m_seen = false;
};
