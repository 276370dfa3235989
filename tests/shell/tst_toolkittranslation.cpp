#include "shell/ToolkitTranslation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

// The toolkit's own dialogs speak Russian when the regional settings are Russian.
class TestToolkitTranslation : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void byRegionalSettings_data();
    void byRegionalSettings();
};

void TestToolkitTranslation::cleanup() {
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

void TestToolkitTranslation::byRegionalSettings_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("russian");
    QTest::newRow("ru_RU") << "ru_RU" << true;
    QTest::newRow("C") << "C" << true;
    QTest::newRow("en_US") << "en_US" << false;
    QTest::newRow("de_DE") << "de_DE" << false;
}

void TestToolkitTranslation::byRegionalSettings() {
    QFETCH(QString, locale);
    QFETCH(bool, russian);
    QCOMPARE(InstallToolkitTranslation(*qApp, QLocale(locale)), russian);
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(),
             russian ? QStringLiteral("Отмена") : QStringLiteral("Cancel"));
    QCOMPARE(buttons.button(QDialogButtonBox::Open)->text(),
             russian ? QStringLiteral("Открыть") : QStringLiteral("Open"));

    // The program's own file dialog, as the import opens it.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    QVERIFY2(labels.contains(russian ? QStringLiteral("&Имя файла:") : QStringLiteral("File &name:")),
             qPrintable(labels.join('|')));
}

QTEST_MAIN(TestToolkitTranslation)
#include "tst_toolkittranslation.moc"
