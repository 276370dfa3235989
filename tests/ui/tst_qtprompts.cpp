#include "TestDb.h"
#include "common/Settings.h"
#include "ui/QtPrompts.h"
#include "ui/TfrmBase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QtTest>

Q_DECLARE_METATYPE(Prompts::Answer)

namespace {
// Answers every message box that opens while `run` works: the replace question by the button named `button`,
// any other box by OK. Gives the texts of the questions and of the other boxes.
struct BoxAnswerer {
    QStringList questions, messages;
    QString button;

    void run(const std::function<void()>& work) {
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            if (box->findChild<QAbstractButton*>("btnYesToAll")) {
                questions << box->text();
                if (button == QLatin1String("escape"))
                    QTest::keyClick(box, Qt::Key_Escape);
                else
                    box->findChild<QAbstractButton*>(button)->click();
            } else {
                messages << box->text();
                box->accept();
            }
        });
        timer.start();
        work();
    }
};

// The real message boxes, with the file chosen in advance.
class FilePrompts : public QtPrompts {
public:
    explicit FilePrompts(QString file) : m_file(std::move(file)) {}
    QString openFile(const QString&, const QString&) override { return m_file; }

private:
    QString m_file;
};
} // namespace

class TestQtPrompts : public QObject {
    Q_OBJECT
private slots:
    void questionForAll_data();
    void questionForAll();
    void windowImportAnswersOnceForAll_data();
    void windowImportAnswersOnceForAll();
};

void TestQtPrompts::questionForAll_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<Prompts::Answer>("answer");
    QTest::newRow("Да") << "btnYes" << Prompts::Answer::Yes;
    QTest::newRow("Да для всех") << "btnYesToAll" << Prompts::Answer::YesToAll;
    QTest::newRow("Нет") << "btnNo" << Prompts::Answer::No;
    QTest::newRow("Нет для всех") << "btnNoToAll" << Prompts::Answer::NoToAll;
    QTest::newRow("closed") << "escape" << Prompts::Answer::No;
}

void TestQtPrompts::questionForAll() {
    QFETCH(QString, button);
    QFETCH(Prompts::Answer, answer);
    QtPrompts prompts;
    BoxAnswerer answerer;
    answerer.button = button;
    QStringList captions;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            for (QAbstractButton* b : box->buttons())
                captions << b->text();
        }
    });
    Prompts::Answer given = Prompts::Answer::Yes;
    answerer.run([&] { given = prompts.questionForAll(QStringLiteral("Заменить?")); });
    QCOMPARE(given, answer);
    QCOMPARE(answerer.questions, QStringList{"Заменить?"});
    captions.sort();
    QCOMPARE(captions, (QStringList{"Да", "Да для всех", "Нет", "Нет для всех"}));
}

void TestQtPrompts::windowImportAnswersOnceForAll_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("finalUpd");
    QTest::newRow("Да для всех") << "btnYesToAll" << 1 << "Изменено записей: 3.\nНовых записей добавлено не было." << 1;
    QTest::newRow("Нет для всех") << "btnNoToAll" << 1
                                  << "Изменений в текущей таблице не произведено.\nВозможно Вы выбрали неверный файл."
                                  << 4;
    QTest::newRow("Да, one by one") << "btnYes" << 3 << "Изменено записей: 3.\nНовых записей добавлено не было." << 1;
}

void TestQtPrompts::windowImportAnswersOnceForAll() {
    QFETCH(QString, button);
    QFETCH(int, questions);
    QFETCH(QString, report);
    QFETCH(int, finalUpd);
    TestDb db;
    // Three shipped values that the export gives otherwise.
    db.add("USD", QDate(2009, 1, 13), 1, 29.0, 4);
    db.add("USD", QDate(2009, 1, 10), 1, 29.0, 4);
    db.add("USD", QDate(2008, 9, 1), 1, 24.0, 4);
    QTemporaryDir config;
    Settings settings(config.filePath("Vendrick.ini"));
    Clock clock;
    clock.setToday(testToday());
    QTemporaryDir exportDir;
    const QString file = exportDir.filePath("usd.txt");
    {
        // In windows-1251: the Cyrillic letters of these lines lie in one block of it.
        const QString text =
            QStringLiteral("Дата                   1 Доллар США\r\n\r\nс 13 января 2009 г.    29,4545\r\n"
                           "с 10 января 2009 г.    29,3804\r\nс 01 сентября 2008 г.  24,4165\r\n");
        QByteArray cp1251;
        for (QChar c : text) {
            const ushort u = c.unicode();
            cp1251.append(u >= 0x0410 && u <= 0x044F ? char(0xC0 + (u - 0x0410)) : char(u));
        }
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(cp1251);
    }
    FilePrompts prompts(file);
    TfrmBase window(db.db(), settings, prompts, clock, RegionalSettings::russian(), {});
    prompts.setParent(&window);
    window.show();
    window.selectEntry(TfrmBase::kDollar);
    BoxAnswerer answerer;
    answerer.button = button;
    answerer.run([&] { window.btnUpdClick(); });
    QCOMPARE(answerer.questions.size(), questions);
    QVERIFY(answerer.questions[0].contains("Значение в таблице было поставлено с программой."));
    QCOMPARE(answerer.messages, QStringList{report});
    window.activeTable().first();
    QCOMPARE(window.activeTable().asInteger(u"UPD"), finalUpd);
}

QTEST_MAIN(TestQtPrompts)
#include "tst_qtprompts.moc"
