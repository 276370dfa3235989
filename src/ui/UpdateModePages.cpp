#include "UpdateModePages.h"

#include "MainWindowLayout.h"
#include "MaskedDateEdit.h"
#include "store/Series.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>

using MainWindowLayout::kLeftWidth;
using MainWindowLayout::makeLabel;

namespace {
// A logo of the reference system whose file the import reads, drawn as a name plate.
QLabel* makeLogo(QWidget* parent, const char* name, const QString& text, const QString& colour) {
    auto* logo = new QLabel(text, parent);
    logo->setObjectName(QLatin1String(name));
    logo->setAlignment(Qt::AlignCenter);
    logo->setStyleSheet(QStringLiteral("QLabel { color: white; background: %1; border-radius: 4px;"
                                       " font-weight: bold; font-size: 14px; }")
                            .arg(colour));
    logo->setGeometry(8, 12, 190, 46);
    return logo;
}
} // namespace

UpdateModePages::UpdateModePages(QWidget* window, const RegionalSettings& regional) {
    gb1 = new QGroupBox(QStringLiteral(" Способ обновления данных "), window);
    gb1->setObjectName(QStringLiteral("gb1"));
    gb1->setGeometry(3, 335, kLeftWidth, 111);
    const char* const names[] = {"rb1", "rb2", "rb3", "rb4"};
    const QString captions[] = {QStringLiteral("вручную"), QStringLiteral("из файла \"КонсультантПлюс\""),
                                QStringLiteral("из файла \"Гарант\""), QStringLiteral("через интернет")};
    QRadioButton* buttons[4];
    for (int i = 0; i < 4; ++i) {
        buttons[i] = new QRadioButton(captions[i], gb1);
        buttons[i]->setObjectName(QLatin1String(names[i]));
        buttons[i]->setGeometry(6, 20 + 21 * i, kLeftWidth - 9, 18);
    }
    rb1 = buttons[0];
    rb2 = buttons[1];
    rb3 = buttons[2];
    rb4 = buttons[3];
    rb2->setChecked(true);
    // Checking a mode from the program switches the page as a click does.
    for (QRadioButton* rb : buttons) {
        QObject::connect(rb, &QRadioButton::toggled, rb, [this](bool on) {
            if (on)
                rbClick();
        });
    }

    gb2 = new QGroupBox(window);
    gb2->setObjectName(QStringLiteral("gb2"));
    gb2->setGeometry(3, 450, 411, 84);
    nbAppl = new QStackedWidget(gb2);
    nbAppl->setObjectName(QStringLiteral("nbAppl"));
    nbAppl->setGeometry(4, 10, 400, 70);

    auto* manual = new QWidget(nbAppl);
    manual->setObjectName(QStringLiteral("Manual"));
    auto* manualIcon = new QLabel(manual);
    manualIcon->setObjectName(QStringLiteral("imManual"));
    manualIcon->setPixmap(window->style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(32, 32));
    manualIcon->setGeometry(10, 19, 32, 32);
    btnAdd = new QPushButton(QStringLiteral("Добавить"), manual);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnAdd->setProperty("Tag", 1);
    btnAdd->setGeometry(62, 22, 100, 26);
    btnEdit = new QPushButton(QStringLiteral("Изменить"), manual);
    btnEdit->setObjectName(QStringLiteral("btnEdit"));
    btnEdit->setProperty("Tag", 2);
    btnEdit->setGeometry(172, 22, 100, 26);
    btnDel = new QPushButton(QStringLiteral("Удалить"), manual);
    btnDel->setObjectName(QStringLiteral("btnDel"));
    btnDel->setGeometry(282, 22, 100, 26);
    nbAppl->addWidget(manual);

    auto* files = new QWidget(nbAppl);
    files->setObjectName(QStringLiteral("KonsGarant"));
    im1 = makeLogo(files, "im1", QStringLiteral("ГАРАНТ"), QStringLiteral("#2e7d32"));
    im2 = makeLogo(files, "im2", QStringLiteral("КонсультантПлюс"), QStringLiteral("#c62828"));
    btnUpd = new QPushButton(QStringLiteral("Добавить в базу"), files);
    btnUpd->setObjectName(QStringLiteral("btnUpd"));
    btnUpd->setGeometry(240, 22, 140, 26);
    nbAppl->addWidget(files);

    auto* internet = new QWidget(nbAppl);
    internet->setObjectName(QStringLiteral("Internet"));
    auto* internetIcon = new QLabel(internet);
    internetIcon->setObjectName(QStringLiteral("imInternet"));
    internetIcon->setPixmap(window->style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));
    internetIcon->setGeometry(10, 19, 32, 32);
    makeLabel(internet, "Label2", QStringLiteral("С даты"), 62, 10);
    makeLabel(internet, "Label3", QStringLiteral("По дату"), 152, 10);
    Date1 = new MaskedDateEdit(regional, 2, internet);
    Date1->setObjectName(QStringLiteral("Date1"));
    Date1->setGeometry(62, 27, 80, 22);
    Date2 = new MaskedDateEdit(regional, 2, internet);
    Date2->setObjectName(QStringLiteral("Date2"));
    Date2->setGeometry(152, 27, 80, 22);
    btnGet = new QPushButton(QStringLiteral("Получить данные"), internet);
    btnGet->setObjectName(QStringLiteral("btnGet"));
    btnGet->setGeometry(250, 24, 130, 26);
    nbAppl->addWidget(internet);
}

void UpdateModePages::rbClick() {
    if (rb1->isChecked()) {
        gb2->setTitle(QStringLiteral(" Редактировать данные "));
        nbAppl->setCurrentIndex(0);
    } else if (rb2->isChecked() || rb3->isChecked()) {
        gb2->setTitle(QStringLiteral(" Укажите имя файла для обновления данных "));
        nbAppl->setCurrentIndex(1);
        im2->setVisible(rb2->isChecked());
    } else {
        gb2->setTitle(QStringLiteral(" Обновление данных через интернет "));
        nbAppl->setCurrentIndex(2);
    }
}

UpdateMode UpdateModePages::mode() const {
    return rb2->isChecked()   ? UpdateMode::ConsultantPlus
           : rb3->isChecked() ? UpdateMode::Garant
           : rb1->isChecked() ? UpdateMode::Manual
                              : UpdateMode::Internet;
}

void UpdateModePages::setModesEnabled(bool rb2On, bool rb3On, bool rb4On) {
    rb2->setEnabled(rb2On);
    rb3->setEnabled(rb3On);
    rb4->setEnabled(rb4On);
}

void UpdateModePages::allowModesOf(const SeriesInfo& series) {
    const bool fileChecked = rb2->isChecked() || rb3->isChecked();
    const bool allowed = (rb2->isChecked() && series.consultant) || (rb3->isChecked() && series.garant) ||
                         (rb4->isChecked() && series.internet) || rb1->isChecked();
    // Checking a mode runs rbClick, as a click does.
    if (!allowed) {
        if (fileChecked && series.internet)
            rb4->setChecked(true);
        else if (rb4->isChecked() && series.consultant)
            rb2->setChecked(true);
        else
            rb1->setChecked(true);
    }
    setModesEnabled(series.consultant, series.garant, series.internet);
}

void UpdateModePages::allowAllModes() {
    setModesEnabled(true, true, true);
}
