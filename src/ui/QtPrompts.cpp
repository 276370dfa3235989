#include "QtPrompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
const QString kTitle = QStringLiteral("Tarvel");

int run(QWidget* parent, QMessageBox::Icon icon, const QString& text,
        std::initializer_list<std::pair<QMessageBox::StandardButton, QString>> buttons) {
    QMessageBox box(icon, kTitle, text, QMessageBox::NoButton, parent);
    for (const auto& [button, caption] : buttons)
        box.addButton(button)->setText(caption);
    box.setDefaultButton(buttons.begin()->first);
    return box.exec();
}
} // namespace

void QtPrompts::message(const QString& text) {
    run(m_parent, QMessageBox::NoIcon, text, {{QMessageBox::Ok, QStringLiteral("OK")}});
}

void QtPrompts::information(const QString& text) {
    run(m_parent, QMessageBox::Information, text, {{QMessageBox::Ok, QStringLiteral("OK")}});
}

bool QtPrompts::question(const QString& text) {
    return run(m_parent, QMessageBox::Question, text,
               {{QMessageBox::Yes, QStringLiteral("Да")}, {QMessageBox::No, QStringLiteral("Нет")}}) ==
           QMessageBox::Yes;
}

Prompts::Answer QtPrompts::questionForAll(const QString& text) {
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::NoButton, m_parent);
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* yesToAll = box.addButton(QStringLiteral("Да для всех"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    QPushButton* noToAll = box.addButton(QStringLiteral("Нет для всех"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("btnYes"));
    yesToAll->setObjectName(QStringLiteral("btnYesToAll"));
    no->setObjectName(QStringLiteral("btnNo"));
    noToAll->setObjectName(QStringLiteral("btnNoToAll"));
    box.setDefaultButton(yes);
    box.setEscapeButton(no); // closing the box keeps the stored value
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes)
        return Answer::Yes;
    if (clicked == yesToAll)
        return Answer::YesToAll;
    if (clicked == noToAll)
        return Answer::NoToAll;
    return Answer::No;
}

bool QtPrompts::confirm(const QString& text) {
    return run(m_parent, QMessageBox::Question, text,
               {{QMessageBox::Ok, QStringLiteral("OK")}, {QMessageBox::Cancel, QStringLiteral("Отмена")}}) ==
           QMessageBox::Ok;
}

namespace {
// "Text files (*.txt)|*.txt": description and pattern pairs separated by bars.
QString dialogFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i];
    if (filters.isEmpty())
        filters << filter;
    return filters.join(QStringLiteral(";;"));
}
} // namespace

QString QtPrompts::openFile(const QString& filter, const QString& directory) {
    return QFileDialog::getOpenFileName(m_parent, QString(), directory, dialogFilters(filter));
}

QString QtPrompts::saveFile(const QString& filter, const QString& fileName) {
    return QFileDialog::getSaveFileName(m_parent, QString(), fileName, dialogFilters(filter));
}
