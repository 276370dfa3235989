#include "WindowFixture.h"
#include "ui/SkinSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QSettings>
#include <QStyle>
#include <QTreeWidget>

#include <optional>

// Skins change colours and frames only: after any number of changes the window's fonts and sizes are those
// of a fresh start, and every label has the room its text needs.
class TestWindowLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() {
        f.reset();
        if (m_font)
            QApplication::setFont(*m_font);
        m_font.reset();
        SkinSupport().applySkin(SkinSupport::noSkinName());
    }
    void changesLeaveAFreshStart_data();
    void changesLeaveAFreshStart();
    void textsHaveRoom_data();
    void textsHaveRoom();

private:
    // Font and size of every text control of the window, by name.
    static QMap<QString, QString> measure(QWidget& window);
    std::unique_ptr<WindowFixture> f;
    QTemporaryDir m_home;
    std::optional<QFont> m_font; // the application font before a case that set its own
};

void TestWindowLayout::initTestCase() {
    // The program's own skins, installed and registered as tools/install-skins.sh does.
    const QString folder = m_home.filePath("share/Quorvane/Skins");
    QVERIFY(QDir().mkpath(folder));
    for (const char* name : {"tarvel-light.rcc", "tarvel-dark.rcc"})
        QVERIFY(QFile::copy(QStringLiteral(TARVEL_SKINS_DIR "/") + name, folder + '/' + name));
    qputenv("XDG_DATA_DIRS", m_home.filePath("share").toUtf8());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_home.filePath("config"));
    QSettings key(QSettings::IniFormat, QSettings::UserScope, "Quorvane", "Skins");
    key.setValue("Light", "tarvel-light.rcc");
    key.setValue("Dark", "tarvel-dark.rcc");
    key.sync();
    QCOMPARE(SkinSupport().registeredSkins(), (QStringList{"Dark", "Light"}));
}

QMap<QString, QString> TestWindowLayout::measure(QWidget& window) {
    QMap<QString, QString> out;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
            continue;
        const QFont font = w->font();
        QString m = QStringLiteral("%1: %2 %3px %4pt w%5 at %6,%7 %8x%9")
                        .arg(w->objectName(), font.family())
                        .arg(font.pixelSize())
                        .arg(font.pointSizeF())
                        .arg(font.weight())
                        .arg(w->x())
                        .arg(w->y())
                        .arg(w->width())
                        .arg(w->height());
        // A layout or the menu bar may give a skin's paddings room; the window's own geometry is fixed.
        if ((w->parentWidget() && w->parentWidget()->layout()) || qobject_cast<QMenuBar*>(w))
            m = m.section(QStringLiteral(" at "), 0, 0);
        // What a label needs is its text in its font; a skin's paddings may change what a button asks for.
        if (qobject_cast<QLabel*>(w))
            m += QStringLiteral(" hint %1x%2").arg(w->sizeHint().width()).arg(w->sizeHint().height());
        out[w->objectName()] = m;
    }
    return out;
}

void TestWindowLayout::changesLeaveAFreshStart_data() {
    QTest::addColumn<QStringList>("changes");
    QTest::newRow("dark, light") << QStringList{"Dark", "Light"};
    QTest::newRow("dark, no skin") << QStringList{"Dark", "No skin"};
    QTest::newRow("light, dark, light, no skin") << QStringList{"Light", "Dark", "Light", "No skin"};
    QTest::newRow("no skin, dark") << QStringList{"No skin", "Dark"};
}

void TestWindowLayout::changesLeaveAFreshStart() {
    QFETCH(QStringList, changes);
    // A fresh start without a skin.
    f->settings.setText(Settings::Key::Skin, SkinSupport::noSkinName());
    QMap<QString, QString> fresh;
    {
        auto w = f->makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        fresh = measure(*w);
    }
    auto w = f->makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    for (const QString& skin : changes) {
        w->dxBarCmbSkinChange(skin);
        QCOMPARE(w->skins().skinned(), skin != SkinSupport::noSkinName());
        QTest::qWait(0); // whatever the style leaves to the event loop
        const QMap<QString, QString> after = measure(*w);
        QCOMPARE(after.keys(), fresh.keys());
        QStringList differ;
        for (auto it = fresh.begin(); it != fresh.end(); ++it)
            if (after.value(it.key()) != it.value())
                differ << it.value() + " / " + after.value(it.key());
        for (const QString& d : differ)
            qWarning("%s: %s", qPrintable(skin), qPrintable(d));
        QCOMPARE(differ, QStringList());
    }
}

void TestWindowLayout::textsHaveRoom_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("banner");
    for (const char* family : {"DejaVu Sans", "Noto Sans"}) {
        QTest::addRow("%s", family) << QString::fromLatin1(family) << true;
        QTest::addRow("%s, no banner", family) << QString::fromLatin1(family) << false;
    }
}

void TestWindowLayout::textsHaveRoom() {
    QFETCH(QString, family);
    QFETCH(bool, banner);
    if (!QFontDatabase::families().contains(family))
        QSKIP("font not installed");
    m_font = QApplication::font();
    QFont font(family);
    font.setPointSize(10);
    QApplication::setFont(font);
    if (!banner)
        f->settings.setText(Settings::Key::Advertising, "1");
    auto w = f->makeWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // The longest texts the panel shows.
    const QMap<QString, QString> widest{{"l50", "Текущая запись поставлена с программой"},
                                        {"l4", "из системы \"КонсультантПлюс\""},
                                        {"l5", "Номинал валюты: 100000"},
                                        {"l6", "28.12.2026"},
                                        {"l7", "28.12.2026"},
                                        {"l8", "28.12.2026"},
                                        {"l1", "999999"},
                                        {"l2", "999999"},
                                        {"l3", "999999"},
                                        {"Skl", "USD"},
                                        {"Skl2", "рублей"}};
    for (auto it = widest.begin(); it != widest.end(); ++it)
        control<QLabel>(w.get(), it.key().toLatin1())->setText(it.value());
    QStringList cut;
    auto textWidth = [](QWidget* c) {
        if (auto* label = qobject_cast<QLabel*>(c))
            return label->fontMetrics().horizontalAdvance(label->text());
        auto* button = qobject_cast<QAbstractButton*>(c);
        // A push button's own margins are the style's; its text needs a few pixels either side.
        return qobject_cast<QRadioButton*>(c) ? button->sizeHint().width()
                                              : button->fontMetrics().horizontalAdvance(button->text()) + 8;
    };
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (c->objectName().isEmpty() || c->objectName().startsWith("qt_"))
            continue;
        auto* label = qobject_cast<QLabel*>(c);
        auto* button = qobject_cast<QAbstractButton*>(c);
        if ((!label || !label->pixmap().isNull()) && !button)
            continue;
        // The whole text inside the control, and the control inside its box.
        if (label && label->wordWrap()) {
            if (label->heightForWidth(label->width()) > label->height())
                cut << QStringLiteral("%1 %2x%3 wraps to %4")
                           .arg(c->objectName())
                           .arg(c->width())
                           .arg(c->height())
                           .arg(label->heightForWidth(label->width()));
        } else if (textWidth(c) > c->width() || c->fontMetrics().height() > c->height())
            cut << QStringLiteral("%1 %2x%3 needs %4x%5")
                       .arg(c->objectName())
                       .arg(c->width())
                       .arg(c->height())
                       .arg(textWidth(c))
                       .arg(c->fontMetrics().height());
        if (QWidget* box = c->parentWidget(); qobject_cast<QGroupBox*>(box) && c->geometry().right() > box->width() - 3)
            cut << QStringLiteral("%1 reaches the frame of %2").arg(c->objectName(), box->objectName());
    }
    // A caption and its value keep apart.
    const std::pair<const char*, const char*> pairs[] = {{"l51", "l6"}, {"l52", "l7"}, {"l53", "l8"},
                                                         {"l54", "l1"}, {"l55", "l2"}, {"l56", "l3"}};
    for (const auto& [caption, value] : pairs) {
        auto* c = control<QLabel>(w.get(), caption);
        auto* v = control<QLabel>(w.get(), value);
        if (c->y() == v->y() && c->x() + textWidth(c) + 4 > v->x())
            cut << QStringLiteral("%1 runs into %2").arg(QLatin1String(caption), QLatin1String(value));
    }
    auto* tree = control<QTreeWidget>(w.get(), "List");
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const QRect r = tree->visualItemRect(*it);
        const int needed = r.left() + tree->fontMetrics().horizontalAdvance((*it)->text(0)) + 4;
        if (needed > tree->viewport()->width())
            cut << QStringLiteral("tree entry %1 needs %2 of %3")
                       .arg((*it)->text(0))
                       .arg(needed)
                       .arg(tree->viewport()->width());
    }
    for (const QString& c : cut)
        qWarning("%s", qPrintable(c));
    QCOMPARE(cut, QStringList());
}

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
