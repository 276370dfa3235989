#pragma once

#include <QWidget>

// The banner above the window's controls: the program's own artwork, drawn from its name.
class Banner : public QWidget {
    Q_OBJECT
public:
    explicit Banner(QWidget* parent = nullptr);

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The release that ends a double click is part of it, not a click of its own.
    bool m_inDoubleClick = false;
};
