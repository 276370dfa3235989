#include "TfrmGet.h"

#include <QLabel>
#include <QStyle>

QString TfrmGet::waitingText() {
    return QStringLiteral("Загрузка данных. Подождите, пожалуйста...");
}

QString TfrmGet::processingText() {
    return QStringLiteral("Идет обработка полученных данных...");
}

TfrmGet::TfrmGet(QWidget* owner) : QFrame(owner, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmGet"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFixedSize(kClientWidth + 2 * lineWidth(), kClientHeight + 2 * lineWidth());

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(10, 19, 32, 32);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));

    l1 = new QLabel(waitingText(), this);
    l1->setObjectName(QStringLiteral("l1"));
    l1->setGeometry(50, 26, kClientWidth - 52, 17);
}

QString TfrmGet::text() const {
    return l1->text();
}

void TfrmGet::showWaiting() {
    l1->setText(waitingText());
    if (QWidget* owner = parentWidget()) {
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        move(centre - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    repaint();
}

void TfrmGet::showProcessing() {
    l1->setText(processingText());
    repaint();
}
