#pragma once

#include <QFrame>

class QLabel;

// The wait window of the rate download: a small frame without a title bar, centred on its owner.
class TfrmGet : public QFrame {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 344;
    static constexpr int kClientHeight = 68;
    static QString waitingText();
    static QString processingText();

    explicit TfrmGet(QWidget* owner);

    QString text() const;
    // Shows the window with the waiting text, centred on the owner.
    void showWaiting();
    // Switches to the processing text and paints it before the caller goes on.
    void showProcessing();

private:
    QLabel* Image1 = nullptr;
    QLabel* l1 = nullptr;
};
