#pragma once

#include <QObject>

#include <functional>

class QGroupBox;

// Runs an action when the caption of a group box is double-clicked; installed on the box, owned by it.
class CaptionDoubleClick : public QObject {
    Q_OBJECT
public:
    static void install(QGroupBox* box, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CaptionDoubleClick(QGroupBox* box, std::function<void()> action);
    QGroupBox* m_box;
    std::function<void()> m_action;
};
