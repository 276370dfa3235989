#include "TfrmBase.h"

#include "Banner.h"
#include "HelpWindow.h"
#include "MainMenu.h"
#include "IndicatorGrid.h"
#include "MaskedDateEdit.h"
#include "RateDownloadCommand.h"
#include "TfrmAdd_Edit1.h"
#include "TfrmAdd_Edit2.h"
#include "TfrmAdd_Edit3.h"
#include "TfrmAdd_Edit4.h"
#include "TfrmAdd_Edit5.h"
#include "CalcConversionPage.h"
#include "CaptionDoubleClick.h"
#include "TfrmCalc.h"
#include "TfrmSet.h"
#include "shell/AppPaths.h"
#include "ui/HelpContents.h"
#include "ui/SkinSupport.h"
#include "ui/TAboutForm.h"
#include "ui/WebSites.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/NumberText.h"
#include "common/Prompts.h"
#include "common/Settings.h"
#include "import/ImportCommand.h"
#include "net/ConnectionSettings.h"
#include "store/UpdateSource.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace {
const QString kNoData = QStringLiteral("(нет данных)");
const QString kNominalCaption = QStringLiteral("Номинал валюты: ");
const QString kCurrentRecord = QStringLiteral("Текущая запись ");
const QString kAddedWord = QStringLiteral("добавлена");
constexpr int kAbsoluteIndexRole = Qt::UserRole + 1;
constexpr int kMrotGridHeight = 238;
constexpr int kFullGridHeight = 298;
// The left column is wider than drawn for a narrow dialog font: «из файла "КонсультантПлюс"» needs the room in
// DejaVu Sans and Noto Sans; the grids' column gives it up.
constexpr int kLeftWidth = 194;
constexpr int kMiddleX = 202;
constexpr int kMiddleWidth = 212;

// The tree marks the entry under the mouse; the style alone does not in every theme.
class HoverDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if ((option.state & QStyle::State_MouseOver) && !(option.state & QStyle::State_Selected)) {
            QColor hover = option.palette.color(QPalette::Active, QPalette::Highlight);
            hover.setAlpha(48);
            painter->fillRect(option.rect, hover);
        }
        QStyledItemDelegate::paint(painter, option, index);
    }
};

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width = -1) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    if (width > 0) {
        label->setGeometry(x, y, width, 16);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop); // level with the caption beside it
    } else {
        const QFontMetrics metrics(label->font());
        label->setGeometry(x, y, metrics.horizontalAdvance(text) + 1, std::max(16, metrics.height()));
    }
    return label;
}

QFrame* makeSeparator(QWidget* parent, int x, int y, int width) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(x, y, width, 2);
    return line;
}

// The layout is drawn for a small dialog font; a wide default font would run labels into their values.
QFont dialogFont(QFont font) {
    const QStringList families = QFontDatabase::families();
    bool found = false;
    for (const char* family : {"Tahoma", "Arial", "Liberation Sans"}) {
        if (families.contains(QLatin1String(family))) {
            font.setFamily(QLatin1String(family));
            found = true;
            break;
        }
    }
    if (!found)
        font.setStretch(QFont::SemiCondensed);
    font.setPixelSize(11);
    return font;
}

// While alive, changes of the tables do not refresh the views; the code that holds it refreshes them itself.
class QuietViews {
public:
    explicit QuietViews(int& depth) : m_depth(depth) { ++m_depth; }
    ~QuietViews() { --m_depth; }
    QuietViews(const QuietViews&) = delete;
    QuietViews& operator=(const QuietViews&) = delete;

private:
    int& m_depth;
};

// Keeps a scan over many records from announcing each step to the grid.
class SuspendedDisplay {
public:
    explicit SuspendedDisplay(TableObject& t) : m_table(t) { m_table.disableControls(); }
    ~SuspendedDisplay() { m_table.enableControls(); }
    SuspendedDisplay(const SuspendedDisplay&) = delete;
    SuspendedDisplay& operator=(const SuspendedDisplay&) = delete;

private:
    TableObject& m_table;
};

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

TfrmBase::TfrmBase(Database& db, Settings& settings, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                   QStringList arguments, QWidget* parent)
    : QWidget(parent), m_db(db), m_settings(settings), m_prompts(prompts), m_clock(clock), m_regional(regional),
      m_arguments(std::move(arguments)), m_store(db, m_regional, clock),
      m_runDialog([](QDialog& dialog) { return dialog.exec(); }), m_skins(std::make_unique<SkinSupport>()) {
    setObjectName(QStringLiteral("frmBase"));
    setWindowTitle(QStringLiteral("Tarvel"));
    // Fixed single border: minimise, no maximise, no resizing.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientWidth, kClientHeight);
    // The application's font, not only the window's: under a skin's style sheet a widget takes the
    // application font rather than its parent's, so a font set on the window alone would not survive a skin.
    const QFont font = dialogFont(QApplication::font());
    QApplication::setFont(font);
    setFont(font);

    buildControls();
    const QuietViews quiet(m_quiet);
    for (TableObject* t : {&m_store.tKurs, &m_store.tStavka, &m_store.tInfl, &m_store.tPrice}) {
        auto changed = [this, t] { recordChanged(*t); };
        connect(t, &TableObject::cursorMoved, this, changed);
        connect(t, &TableObject::resetDone, this, changed);
        connect(t, &TableObject::rowInserted, this, changed);
        connect(t, &TableObject::rowRemoved, this, changed);
        connect(t, &TableObject::rowChanged, this, changed);
    }

    // The registered skins, then "No skin".
    m_skins->listSkins(m_menu->skinCombo());
    // First start writes the defaults; every start reads the layout choice, the language and the country.
    m_settings.writeFirstStartDefaults();
    if (m_settings.advertising() > 0)
        useLayoutWithoutBanner();
    m_menu->showSettings(m_settings);
    m_skins->applySkin(m_settings.skin());
    m_catalogue.load(Localize::catalogPath(QFileInfo(AppPaths::langDir()).path(), m_settings.lang().value_or(QString())));
    LoadLang();

    try {
        m_store.tKurs.pointAt(QStringLiteral("USD"));
        m_store.makeActive(m_store.tKurs);
    } catch (const AppError& e) {
        m_prompts.message(e.text());
    }
    selectEntry(kDollar);
    ShowRecordDates();
    m_startDirectory = QDir::currentPath();
    guarded([this] { ApplyConnectionSettings(m_settings, m_http, m_startDirectory); });
    rbClick();
    ValCombo->clear();
    for (int row = 0; row < int(Catalog::otherCurrencies().size()); ++row)
        ValCombo->addItem(Catalog::otherCurrencyName(row));
    ValCombo->setCurrentIndex(0);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    // The window's own dialogs closing make it the active window again: see eventFilter.
    qApp->installEventFilter(this);
}

void TfrmBase::openCalculations(int tab) {
    if (!m_calc)
        m_calc = new TfrmCalc(m_db, m_settings, m_prompts, m_clock, m_regional, this);
    m_calc->showTab(tab);
    m_calc->show();
    m_calc->raise();
    m_calc->activateWindow();
}

TfrmBase::~TfrmBase() {
    qApp->removeEventFilter(this);
    m_skins->releaseLibrary();
}

template <typename F> void TfrmBase::guarded(F&& body) {
    try {
        body();
    } catch (const AppError& e) {
        m_prompts.message(e.text());
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Controls

void TfrmBase::buildControls() {
    m_menu = new MainMenu(this);
    m_menu->setGeometry(0, 0, kClientWidth, MainMenu::kHeight);
    connect(m_menu, &MainMenu::connectionSettingsRequested, this, &TfrmBase::N28Click);
    connect(m_menu, &MainMenu::exitRequested, this, &TfrmBase::btnCloseClick);
    connect(m_menu, &MainMenu::contentsRequested, this, &TfrmBase::N9Click);
    connect(m_menu, &MainMenu::webPageRequested, this, &TfrmBase::Internet1Click);
    connect(m_menu, &MainMenu::aboutRequested, this, &TfrmBase::N26Click);
    connect(m_menu, &MainMenu::calculationRequested, this, &TfrmBase::openCalculations);
    connect(m_menu, &MainMenu::languageChosen, this, &TfrmBase::dxBarImgCmbInterfaceChange);
    connect(m_menu, &MainMenu::countryChosen, this, &TfrmBase::dxBarImgCmbCountryChange);
    connect(m_menu, &MainMenu::skinChosen, this, &TfrmBase::dxBarCmbSkinChange);

    m_banner = new Banner(this);
    m_banner->setObjectName(QStringLiteral("Image1"));
    m_banner->setGeometry(3, 22, 645, 96);
    connect(m_banner, &Banner::clicked, this, &TfrmBase::Image1Click);
    connect(m_banner, &Banner::doubleClicked, this, &TfrmBase::Image1DblClick);

    buildTree();

    pan = new QWidget(this);
    pan->setObjectName(QStringLiteral("pan"));
    pan->setGeometry(kMiddleX, 121, 647 - kMiddleX, 21);
    pan->setAutoFillBackground(true);
    QPalette panPalette = pan->palette();
    panPalette.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    pan->setPalette(panPalette);
    Cap = new QLabel(pan);
    Cap->setObjectName(QStringLiteral("Cap"));
    QFont bold = Cap->font();
    bold.setBold(true);
    Cap->setFont(bold);
    Cap->setGeometry(4, 3, pan->width() - 8, std::max(15, Cap->fontMetrics().height()));

    buildTablPages();

    // The grids lie over the notebook; the one shown covers it where they overlap.
    const auto dateColumn = IndicatorTableModel::Column{Col::CurDate, QStringLiteral("Дата"), -1, true};
    grKurs = new IndicatorGrid(m_store.tKurs, {dateColumn, {2, QStringLiteral("Курс"), 75, true}}, m_prompts, this);
    grKurs->setObjectName(QStringLiteral("grKurs"));
    grKurs->setGeometry(kMiddleX, 148, kMiddleWidth, kFullGridHeight);

    grMROT_Refin =
        new IndicatorGrid(m_store.tStavka, {dateColumn, {1, QStringLiteral("Размер"), 75, true}}, m_prompts, this);
    grMROT_Refin->setObjectName(QStringLiteral("grMROT_Refin"));
    grMROT_Refin->setGeometry(kMiddleX, 148, kMiddleWidth, kFullGridHeight);

    grInfl = new IndicatorGrid(m_store.tInfl,
                               {{1, QStringLiteral("Квартал"), -1, false}, {2, QStringLiteral("Индекс"), 75, true}},
                               m_prompts, this);
    grInfl->setObjectName(QStringLiteral("grInfl"));
    grInfl->setGeometry(kMiddleX, 148, kMiddleWidth, kFullGridHeight);

    grPrice = new IndicatorGrid(
        m_store.tPrice, {{1, QStringLiteral("Месяц"), -1, false}, {2, QStringLiteral("% к пред. мес."), 85, true}},
        m_prompts, this);
    grPrice->setObjectName(QStringLiteral("grPrice"));
    grPrice->setGeometry(kMiddleX, 148, kMiddleWidth, kFullGridHeight);

    grOther = new IndicatorGrid(m_store.tKurs, {dateColumn, {2, QStringLiteral("Курс"), 75, true}}, m_prompts, this);
    grOther->setObjectName(QStringLiteral("grOther"));
    grOther->setGeometry(kMiddleX, 178, kMiddleWidth, 268);

    // The date or period takes what the value column leaves.
    for (IndicatorGrid* g : {grKurs, grMROT_Refin, grInfl, grPrice, grOther})
        g->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

    grMROT_Refin->hide();
    grInfl->hide();
    grPrice->hide();
    grOther->hide();

    connect(grKurs, &IndicatorGrid::cellClicked, this, &TfrmBase::grKursCellClick);
    connect(grOther, &IndicatorGrid::cellClicked, this, &TfrmBase::grOtherCellClick);
    connect(grMROT_Refin, &IndicatorGrid::cellClicked, this, &TfrmBase::grMROT_RefinCellClick);
    connect(grKurs, &IndicatorGrid::gridDoubleClicked, this, &TfrmBase::grKursDblClick);
    connect(grOther, &IndicatorGrid::gridDoubleClicked, this, &TfrmBase::grOtherDblClick);
    connect(grMROT_Refin, &IndicatorGrid::gridDoubleClicked, this, &TfrmBase::grMROT_RefinDblClick);
    // The index series act like the others: a double click is "Изменить".
    connect(grInfl, &IndicatorGrid::gridDoubleClicked, this, [this] { btnAddClick(btnEdit); });
    connect(grPrice, &IndicatorGrid::gridDoubleClicked, this, [this] { btnAddClick(btnEdit); });

    buildInfoPanel();
    buildSearchBox();
    buildExpressBox();
    buildUpdateModeBox();

    btnClose = new QPushButton(QStringLiteral("Закрыть"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(573, 571, 75, 26);
    connect(btnClose, &QPushButton::clicked, this, &TfrmBase::btnCloseClick);
}

void TfrmBase::buildTree() {
    List = new QTreeWidget(this);
    List->setObjectName(QStringLiteral("List"));
    List->setGeometry(3, 121, kLeftWidth, 208);
    List->setHeaderHidden(true);
    List->setColumnCount(1);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setAllColumnsShowFocus(true);
    List->setMouseTracking(true);
    List->viewport()->setAttribute(Qt::WA_Hover);
    List->setItemDelegate(new HoverDelegate(List));
    List->setIndentation(14);
    // The selection stays as visible when the focus is elsewhere.
    QPalette p = List->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    List->setPalette(p);

    int absolute = 0;
    auto add = [&absolute](QTreeWidgetItem* item, const QString& text) {
        item->setText(0, text);
        item->setData(0, kAbsoluteIndexRole, absolute++);
        return item;
    };
    auto* currencies = add(new QTreeWidgetItem(List), QStringLiteral("Курсы валют"));
    add(new QTreeWidgetItem(currencies), QStringLiteral("Доллар США"));
    add(new QTreeWidgetItem(currencies), QStringLiteral("ЕВРО"));
    add(new QTreeWidgetItem(currencies), QStringLiteral("Другие"));
    add(new QTreeWidgetItem(List), QStringLiteral("МРОТ"));
    add(new QTreeWidgetItem(List), QStringLiteral("Ставка рефинансирования"));
    add(new QTreeWidgetItem(List), QStringLiteral("Индекс инфляции"));
    add(new QTreeWidgetItem(List), QStringLiteral("Индекс потребительских цен"));
    List->expandAll();

    connect(List, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
        if (current)
            ListChange();
    });
}

void TfrmBase::buildTablPages() {
    nbTabl = new QStackedWidget(this);
    nbTabl->setObjectName(QStringLiteral("nbTabl"));
    nbTabl->setGeometry(kMiddleX, 148, kMiddleWidth, 298);
    const char* const pageNames[] = {"Курсы валют", "МРОТ_Refin", "Индекс инфляции", "Индекс потреб. цен",
                                     "курсы др. валют"};
    for (const char* name : pageNames) {
        auto* page = new QWidget(nbTabl);
        page->setObjectName(QString::fromUtf8(name));
        nbTabl->addWidget(page);
    }

    QWidget* mrotPage = nbTabl->widget(kPageMrotRefin);
    cb1 = new QGroupBox(QStringLiteral(" В целях "), mrotPage);
    cb1->setObjectName(QStringLiteral("cb1"));
    cb1->setGeometry(0, 243, kMiddleWidth, 55);
    m_cb1Items = new QButtonGroup(cb1);
    const QString items[] = {QStringLiteral("уплаты госпошлины"), QStringLiteral("регулирования оплаты труда")};
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(items[i], cb1);
        item->setObjectName(QStringLiteral("cb1Item%1").arg(i));
        item->setGeometry(8, 16 + 18 * i, kMiddleWidth - 16, 17);
        m_cb1Items->addButton(item, i);
    }
    m_cb1Items->button(0)->setChecked(true);
    connect(m_cb1Items, &QButtonGroup::idClicked, this, [this](int) { cb1Click(); });

    QWidget* otherPage = nbTabl->widget(kPageOther);
    makeLabel(otherPage, "Label1", QStringLiteral("Валюта:"), 4, 4);
    ValCombo = new QComboBox(otherPage);
    ValCombo->setObjectName(QStringLiteral("ValCombo"));
    ValCombo->setEditable(false);
    ValCombo->setGeometry(52, 0, kMiddleWidth - 52, 22);
    ValCombo->setMaxVisibleItems(16);
    // Only the user's pick: setting the row from the program does not run the handler.
    connect(ValCombo, &QComboBox::activated, this, [this](int) { ValComboChange(); });

    nbTabl->setCurrentIndex(kPageOther);
}

void TfrmBase::buildUpdateModeBox() {
    gb1 = new QGroupBox(QStringLiteral(" Способ обновления данных "), this);
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
    // Checking a mode from the program runs the handler as a click does.
    for (QRadioButton* rb : buttons) {
        connect(rb, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                rbClick();
        });
    }

    gb2 = new QGroupBox(this);
    gb2->setObjectName(QStringLiteral("gb2"));
    gb2->setGeometry(3, 450, 411, 84);
    nbAppl = new QStackedWidget(gb2);
    nbAppl->setObjectName(QStringLiteral("nbAppl"));
    nbAppl->setGeometry(4, 10, 400, 70);

    auto* manual = new QWidget(nbAppl);
    manual->setObjectName(QStringLiteral("Manual"));
    auto* manualIcon = new QLabel(manual);
    manualIcon->setObjectName(QStringLiteral("imManual"));
    manualIcon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(32, 32));
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
    connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(btnAdd); });
    connect(btnEdit, &QPushButton::clicked, this, [this] { btnAddClick(btnEdit); });
    connect(btnDel, &QPushButton::clicked, this, &TfrmBase::btnDelClick);
    nbAppl->addWidget(manual);

    auto* files = new QWidget(nbAppl);
    files->setObjectName(QStringLiteral("KonsGarant"));
    im1 = makeLogo(files, "im1", QStringLiteral("ГАРАНТ"), QStringLiteral("#2e7d32"));
    im2 = makeLogo(files, "im2", QStringLiteral("КонсультантПлюс"), QStringLiteral("#c62828"));
    btnUpd = new QPushButton(QStringLiteral("Добавить в базу"), files);
    btnUpd->setObjectName(QStringLiteral("btnUpd"));
    btnUpd->setGeometry(240, 22, 140, 26);
    connect(btnUpd, &QPushButton::clicked, this, &TfrmBase::btnUpdClick);
    nbAppl->addWidget(files);

    auto* internet = new QWidget(nbAppl);
    internet->setObjectName(QStringLiteral("Internet"));
    auto* internetIcon = new QLabel(internet);
    internetIcon->setObjectName(QStringLiteral("imInternet"));
    internetIcon->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));
    internetIcon->setGeometry(10, 19, 32, 32);
    makeLabel(internet, "Label2", QStringLiteral("С даты"), 62, 10);
    makeLabel(internet, "Label3", QStringLiteral("По дату"), 152, 10);
    Date1 = new MaskedDateEdit(m_regional, 2, internet);
    Date1->setObjectName(QStringLiteral("Date1"));
    Date1->setGeometry(62, 27, 80, 22);
    Date2 = new MaskedDateEdit(m_regional, 2, internet);
    Date2->setObjectName(QStringLiteral("Date2"));
    Date2->setGeometry(152, 27, 80, 22);
    btnGet = new QPushButton(QStringLiteral("Получить данные"), internet);
    btnGet->setObjectName(QStringLiteral("btnGet"));
    btnGet->setGeometry(250, 24, 130, 26);
    connect(btnGet, &QPushButton::clicked, this, &TfrmBase::btnGetClick);
    nbAppl->addWidget(internet);
}

void TfrmBase::buildInfoPanel() {
    gb3 = new QGroupBox(QStringLiteral(" Информация "), this);
    gb3->setObjectName(QStringLiteral("gb3"));
    gb3->setGeometry(423, 148, 224, 225);
    constexpr int kRight = 221; // the values end here, clear of the frame
    // A value stands where it was drawn, or further right when its caption needs the room.
    auto valueAfter = [](QLabel* caption, int drawnX) { return std::max(drawnX, caption->geometry().right() + 5); };
    auto valueLabel = [&](const char* name, QLabel* caption, int drawnX, int y) {
        const int x = valueAfter(caption, drawnX);
        return makeLabel(gb3, name, kNoData, x, y, kRight - x);
    };

    // The shipped-record line is longer than the box: it takes the line of l4, which it hides.
    l50 = makeLabel(gb3, "l50", kCurrentRecord + kAddedWord, 10, 21, kRight - 10);
    l50->setWordWrap(true);
    l50->setFixedHeight(32);
    l4 = makeLabel(gb3, "l4", kNoData, 15, 37, kRight - 15);
    QLabel* l51 = makeLabel(gb3, "l51", QStringLiteral("Дата добавления записи:"), 10, 55);
    l6 = valueLabel("l6", l51, 145, 55);
    l5 = makeLabel(gb3, "l5", kNominalCaption + kNoData, 10, 73, kRight - 10);
    makeSeparator(gb3, 16, 92, 193);

    // The counts take up to six digits. Where a caption leaves no room for its count, the count goes on a line
    // of its own under the caption, right-aligned, and the lines below the first separator close up to fit.
    const QStringList countCaptions{QStringLiteral("Общее количество записей:"),
                                    QStringLiteral("Количество добавленных записей:"),
                                    QStringLiteral("Количество измененных записей:")};
    const QFontMetrics metrics(gb3->font());
    auto textWidth = [&](const QString& text) { return metrics.horizontalAdvance(text) + 1; };
    const int countWidth = textWidth(QStringLiteral("999999")) + 1;
    const int countX = std::min(193, kRight - countWidth); // drawn at 193, 30 wide: too narrow for six digits
    bool ownLine[3];
    bool compact = false;
    for (int i = 0; i < 3; ++i) {
        ownLine[i] = 10 + textWidth(countCaptions[i]) + 4 > countX;
        compact = compact || ownLine[i];
    }

    QLabel* l52 = makeLabel(gb3, "l52", QStringLiteral("Первая запись:"), 10, compact ? 99 : 102);
    QLabel* l53 = makeLabel(gb3, "l53", QStringLiteral("Последняя запись:"), 10, compact ? 116 : 122);
    const int datesX = std::max(valueAfter(l52, 130), valueAfter(l53, 130));
    l7 = makeLabel(gb3, "l7", kNoData, datesX, l52->y(), kRight - datesX);
    l8 = makeLabel(gb3, "l8", kNoData, datesX, l53->y(), kRight - datesX);
    makeSeparator(gb3, 16, compact ? 136 : 147, 193);

    const char* const captionNames[] = {"l54", "l55", "l56"};
    const char* const countNames[] = {"l1", "l2", "l3"};
    QLabel** counts[] = {&l1, &l2, &l3};
    int y = compact ? 141 : 157;
    for (int i = 0; i < 3; ++i) {
        makeLabel(gb3, captionNames[i], countCaptions[i], 10, y);
        if (!ownLine[i]) {
            *counts[i] = makeLabel(gb3, countNames[i], QStringLiteral("0"), countX, y, kRight - countX);
            y += compact ? 16 : 20;
        } else {
            *counts[i] = makeLabel(gb3, countNames[i], QStringLiteral("0"), countX, y + 15, kRight - countX);
            y += 30;
        }
    }
}

void TfrmBase::buildSearchBox() {
    gb4 = new QGroupBox(QStringLiteral(" Быстрый поиск по дате "), this);
    gb4->setObjectName(QStringLiteral("gb4"));
    gb4->setGeometry(423, 379, 224, 67);
    SearchDate = new QDateEdit(gb4);
    SearchDate->setObjectName(QStringLiteral("SearchDate"));
    SearchDate->setDisplayFormat(m_regional.shortDateFormat);
    SearchDate->setCalendarPopup(true);
    SearchDate->setDate(m_clock.today());
    SearchDate->setGeometry(10, 27, 110, 24);
    btnSearch = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("Найти"), gb4);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    btnSearch->setGeometry(130, 26, 84, 26);
    connect(btnSearch, &QPushButton::clicked, this, &TfrmBase::btnSearchClick);
}

void TfrmBase::buildExpressBox() {
    gb5 = new QGroupBox(QStringLiteral(" Экспресс-расчет "), this);
    gb5->setObjectName(QStringLiteral("gb5"));
    gb5->setGeometry(423, 450, 224, 84);
    val1 = new QLineEdit(QStringLiteral("1"), gb5);
    val1->setObjectName(QStringLiteral("val1"));
    val1->setGeometry(10, 30, 70, 22);
    Skl = makeLabel(gb5, "Skl", QStringLiteral("USD"), 84, 30, 26);
    Skl->setFixedHeight(22);
    Skl->setAlignment(Qt::AlignLeft | Qt::AlignVCenter); // level with the text of the fields
    Label20 = new QLabel(QStringLiteral("="), gb5);
    Label20->setObjectName(QStringLiteral("Label20"));
    QFont large = Label20->font();
    large.setBold(true);
    large.setPixelSize(16);
    Label20->setFont(large);
    Label20->setGeometry(111, 29, 14, std::max(22, Label20->fontMetrics().height()));
    val2 = new QLineEdit(gb5);
    val2->setObjectName(QStringLiteral("val2"));
    val2->setGeometry(126, 30, 88, 22);
    Skl2 = makeLabel(gb5, "Skl2", QStringLiteral("рублей"), 126, 57, 88);
    // Enter recalculates; leaving a field does not.
    connect(val1, &QLineEdit::returnPressed, this, &TfrmBase::val1Exit);
    connect(val2, &QLineEdit::returnPressed, this, &TfrmBase::val2Exit);
    CaptionDoubleClick::install(gb5, [this] {
        const int entry = selectedIndex();
        const bool currency = entry >= kCurrencies && entry <= kOther;
        openCalculations(entry == kRefin ? TfrmCalc::kInterest : currency ? TfrmCalc::kConversion : TfrmCalc::kChart);
        if (currency && !currencyLabel().isEmpty())
            m_calc->conversionPage()->setCurrency(currencyLabel());
    });
}

void TfrmBase::useLayoutWithoutBanner() {
    m_bannerShown = false;
    m_banner->hide();
    static const char* const moved[] = {"List",    "pan", "nbTabl", "grKurs", "grMROT_Refin", "grOther", "grInfl",
                                        "grPrice", "gb1", "gb2",    "gb3",    "gb4",          "gb5",     "btnClose"};
    for (const char* name : moved) {
        if (QWidget* w = findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly))
            w->move(w->x(), w->y() - kBannerHeight);
    }
    setFixedSize(kClientWidth, kClientHeight - kBannerHeight);
}

// ---------------------------------------------------------------------------------------------------------------
// Navigation

QTreeWidgetItem* TfrmBase::entryItem(int index) const {
    for (QTreeWidgetItemIterator it(List); *it; ++it) {
        if ((*it)->data(0, kAbsoluteIndexRole).toInt() == index)
            return *it;
    }
    return nullptr;
}

int TfrmBase::selectedIndex() const {
    const QTreeWidgetItem* item = List->currentItem();
    return item ? item->data(0, kAbsoluteIndexRole).toInt() : -1;
}

void TfrmBase::selectEntry(int index) {
    QTreeWidgetItem* item = entryItem(index);
    if (item && item != List->currentItem())
        List->setCurrentItem(item);
}

int TfrmBase::cb1ItemIndex() const {
    return m_cb1Items->checkedId();
}

void TfrmBase::setCb1ItemIndex(int index) {
    if (QAbstractButton* b = m_cb1Items->button(index))
        b->setChecked(true);
}

void TfrmBase::showGrid(IndicatorGrid* grid) {
    for (IndicatorGrid* g : {grKurs, grMROT_Refin, grInfl, grPrice, grOther})
        g->setVisible(g == grid);
}

void TfrmBase::setModesEnabled(bool rb2On, bool rb3On, bool rb4On) {
    rb2->setEnabled(rb2On);
    rb3->setEnabled(rb3On);
    rb4->setEnabled(rb4On);
}

void TfrmBase::ListChange() {
    guarded([this] { doListChange(); });
}

void TfrmBase::doListChange() {
    const QuietViews quiet(m_quiet);
    if (!m_startDirectory.isEmpty())
        QDir::setCurrent(m_startDirectory);
    const int index = selectedIndex();
    if (const QTreeWidgetItem* item = List->currentItem())
        Cap->setText(item->text(0));
    Date2->setDate(m_clock.today().addDays(1));
    gb5->show();
    Skl2->show();

    switch (index) {
    case kCurrencies:
    case kDollar:
    case kEuro:
        Cap->setText(index == kEuro ? QStringLiteral("Курсы валют - ЕВРО")
                                    : QStringLiteral("Курсы валют - Доллар США"));
        nbTabl->setCurrentIndex(kPageCurrencies);
        setModesEnabled(true, true, true);
        showGrid(grKurs);
        m_store.tKurs.pointAt(index == kEuro ? QStringLiteral("EUR") : QStringLiteral("USD"));
        m_store.makeActive(m_store.tKurs);
        CalcKursExpress(false);
        break;
    case kOther:
        Cap->setText(QStringLiteral("Курсы валют - Немецкая марка"));
        nbTabl->setCurrentIndex(kPageOther);
        if (rb2->isChecked() || rb3->isChecked())
            rb4->setChecked(true);
        setModesEnabled(false, false, true);
        showGrid(grOther);
        ValCombo->show();
        m_store.tKurs.pointAt(QString::fromLatin1(Catalog::otherCurrencies()[kDemRow].table));
        m_store.makeActive(m_store.tKurs);
        ValCombo->setCurrentIndex(kDemRow);
        CalcKursExpress(false);
        break;
    case kMrot:
    case kRefin:
        if (index == kMrot)
            Cap->setText(QStringLiteral("Минимальный размер оплаты труда"));
        nbTabl->setCurrentIndex(kPageMrotRefin);
        grMROT_Refin->resize(grMROT_Refin->width(), index == kMrot ? kMrotGridHeight : kFullGridHeight);
        showGrid(grMROT_Refin);
        if (rb4->isChecked())
            rb2->setChecked(true);
        setModesEnabled(true, true, false);
        if (index == kRefin)
            Skl2->hide();
        m_store.tStavka.pointAt(index == kMrot ? QStringLiteral("mrot") : QStringLiteral("refin"));
        m_store.makeActive(m_store.tStavka);
        CalcStavkaExpress(false);
        break;
    case kInflation:
    case kPrice:
        // Kept by hand only; an amount is not converted at an index.
        nbTabl->setCurrentIndex(index == kInflation ? kPageInflation : kPagePrice);
        showGrid(index == kInflation ? grInfl : grPrice);
        rb1->setChecked(true);
        setModesEnabled(false, false, false);
        gb5->hide();
        m_store.makeActive(index == kInflation ? m_store.tInfl : m_store.tPrice);
        break;
    default:
        break;
    }

    m_counters.reset();
    const QDate newest = activeTable().asDate(u"CURDATE");
    Date1->setDate(newest.isValid() ? newest.addDays(1) : m_clock.today());
    ShowRecordDates();
    ShowRecordDetails();
}

void TfrmBase::recordChanged(TableObject& table) {
    if (m_quiet == 0 && &table == &activeTable())
        refreshRecordViews();
}

void TfrmBase::refreshRecordViews() {
    if (m_refreshing)
        return;
    m_refreshing = true;
    ShowRecordDates();
    ShowRecordDetails();
    // Not asked for by the user: a figure that cannot be worked out now is left out, without a message.
    const int index = selectedIndex();
    try {
        if (index >= kCurrencies && index <= kOther)
            doCalcKursExpress(false);
        else if (index == kMrot || index == kRefin)
            doCalcStavkaExpress(false);
    } catch (const AppError&) {
        // The fields keep what they hold; Enter shows why.
    }
    m_refreshing = false;
}

void TfrmBase::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // Showing the window is its first activation; run it once the window is up.
    QMetaObject::invokeMethod(this, &TfrmBase::FormActivate, Qt::QueuedConnection);
}

bool TfrmBase::eventFilter(QObject* watched, QEvent* event) {
    // The main window becomes active again when one of its own dialogs closes. Message boxes and the file
    // dialog do not count: a message shown by the activation itself would otherwise come back for ever.
    if (event->type() == QEvent::Hide && watched != this && watched->isWidgetType()) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && !qobject_cast<QMessageBox*>(dialog) &&
            !qobject_cast<QFileDialog*>(dialog) && dialog->parentWidget() && dialog->parentWidget()->window() == this) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (isVisible() && !QApplication::activeModalWidget())
                        FormActivate();
                },
                Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmBase::FormActivate() {
    guarded([this] { doFormActivate(); });
}

void TfrmBase::doFormActivate() {
    const QString p1 = m_arguments.value(0);
    if (p1 == u"refin")
        selectEntry(kRefin);
    else if (p1 == u"mrot")
        selectEntry(kMrot);
    if (p1 == u"eur")
        selectEntry(kEuro);

    ShowRecordDates();
    const QDate today = m_clock.today();
    const QDate newest = activeTable().asDate(u"CURDATE");
    Date1->setDate(newest.isValid() ? newest.addDays(1) : today);
    Date2->setDate(today);
    const QDate from = Date1->date(today.year());
    const QDate to = Date2->date(today.year());
    if (!(to > from))
        Date1->setDate(to.addDays(-1));

    SearchDate->setDate(today);
    if (m_arguments.size() == 2) {
        SearchDate->setDate(readDate(m_arguments[1], m_regional, today.year()));
        btnSearchClick();
    }
}

void TfrmBase::rbClick() {
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

void TfrmBase::cb1Click() {
    guarded([this] {
        // The wage layout: RAZMER is column 1, RAZMER2 column 2.
        grMROT_Refin->indicatorModel().setColumnSource(1, cb1ItemIndex() == 1 ? 2 : 1);
        activeTable().endPending();
    });
    CalcStavkaExpress(false);
}

void TfrmBase::ValComboChange() {
    guarded([this] { doValComboChange(); });
}

void TfrmBase::doValComboChange() {
    const QuietViews quiet(m_quiet);
    const int row = ValCombo->currentIndex();
    if (row < 0 || row >= int(Catalog::otherCurrencies().size()))
        return;
    Cap->setText(QStringLiteral("Курсы валют - ") + ValCombo->currentText());
    nbTabl->setCurrentIndex(kPageOther);
    setModesEnabled(true, true, true);
    showGrid(grOther);
    m_store.tKurs.pointAt(QString::fromLatin1(Catalog::otherCurrencies()[size_t(row)].table));
    m_store.makeActive(m_store.tKurs);
    CalcKursExpress(false);
    ShowRecordDates();
    ShowRecordDetails();
}

void TfrmBase::grKursCellClick() {
    const int index = selectedIndex();
    if (index >= kDollar && index <= kOther)
        CalcKursExpress(false);
}

void TfrmBase::grOtherCellClick() {
    grKursCellClick();
}

void TfrmBase::grMROT_RefinCellClick() {
    const int index = selectedIndex();
    if (index == kMrot || index == kRefin)
        CalcStavkaExpress(false);
}

void TfrmBase::grKursDblClick() {
    btnAddClick(btnEdit);
}

void TfrmBase::grOtherDblClick() {
    btnAddClick(btnEdit);
}

void TfrmBase::grMROT_RefinDblClick() {
    btnAddClick(btnEdit);
}

void TfrmBase::btnCloseClick() {
    close();
}

// ---------------------------------------------------------------------------------------------------------------
// Information panel

void TfrmBase::ShowRecordDates() {
    guarded([this] { doShowRecordDates(); });
}

void TfrmBase::doShowRecordDates() {
    TableObject& t = activeTable();
    if (!t.isOpen() || t.isEmpty()) {
        l7->setText(kNoData);
        l8->setText(kNoData);
        return;
    }
    // Read from the rows: the current record stays where the user put it.
    const int n = t.recordCount();
    l7->setText(t.formatValue(Col::CurDate, t.row(n - 1).values[Col::CurDate]));
    l8->setText(t.formatValue(Col::CurDate, t.row(0).values[Col::CurDate]));
}

void TfrmBase::ShowRecordDetails() {
    guarded([this] { doShowRecordDetails(); });
}

void TfrmBase::doShowRecordDetails() {
    TableObject& t = activeTable();
    if (!t.isOpen())
        t.open();
    l1->setText(QString::number(t.recordCount()));
    l2->setText(QString::number(m_counters.added));
    l3->setText(QString::number(m_counters.changed));
    if (t.recordCount() == 0) {
        l50->setText(kCurrentRecord + kAddedWord);
        l4->show();
        l4->setText(kNoData);
        l5->setText(kNominalCaption + kNoData);
        l6->setText(kNoData);
        return;
    }
    const QVariant upd = t.value(Col::Upd);
    const bool shipped = upd.isValid() && upd.toInt() == int(UpdateSource::Shipped);
    // A shipped record reads as one line: "Текущая запись поставлена с программой".
    l50->setText(shipped ? kCurrentRecord + SourceShortWording(upd.toInt()) : kCurrentRecord + kAddedWord);
    l4->setVisible(!shipped);
    if (!upd.isValid())
        l4->setText(kNoData); // a record that carries no source says so
    else if (upd.toInt() >= 0 && upd.toInt() <= 3)
        l4->setText(SourceShortWording(upd.toInt()));
    l6->setText(t.displayText(Col::Dt));
    if (&t == &m_store.tKurs) {
        l5->show();
        l5->setText(kNominalCaption + t.displayText(u"NOMINAL"));
    } else {
        l5->hide();
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Quick search

void TfrmBase::btnSearchClick() {
    guarded([this] { doBtnSearchClick(); });
}

void TfrmBase::doBtnSearchClick() {
    IndicatorGrid* grid = nullptr;
    switch (selectedIndex()) {
    case kDollar:
    case kEuro:
        grid = grKurs;
        break;
    case kOther:
        grid = grOther;
        break;
    case kMrot:
    case kRefin:
        grid = grMROT_Refin;
        break;
    default:
        return;
    }
    TableObject& t = activeTable();
    const QDate wanted = SearchDate->date();
    bool found = false;
    {
        SuspendedDisplay suspended(t);
        for (t.first(); !t.eof(); t.next()) {
            if (t.asDate(u"CURDATE") == wanted) {
                found = true;
                break;
            }
        }
        if (!found)
            t.first();
    }
    if (found) {
        grid->syncToCursor();
        grid->setFocus();
        return;
    }
    m_prompts.information(QStringLiteral("Запись не найдена"));
}

// ---------------------------------------------------------------------------------------------------------------
// Express calculation

void TfrmBase::setExpressCaption() {
    gb5->setTitle(QStringLiteral("Экспресс-расчет на ") + activeTable().displayText(Col::CurDate));
}

void TfrmBase::declineRoubles() {
    const QString text = val2->text();
    const auto amount = parseDecimal(text, m_regional.decimalSeparator);
    if (!amount)
        throw AppError(notFloatMessage(text));
    Skl2->setText(RoubleWord(*amount));
}

void TfrmBase::showResult(QLineEdit* field, double value) {
    // An infinity or NaN is no figure: the fields keep what they hold.
    if (!std::isfinite(value))
        throw AppError(QStringLiteral("Результат слишком велик для расчёта."));
    const QString text = formatGeneral(value, m_regional);
    field->setText(text);
    // A long figure is shown from its first digit; the whole of it is in the tooltip.
    field->setCursorPosition(0);
    field->setToolTip(text);
}

QString TfrmBase::currencyLabel() const {
    // The code of the series on screen, whichever way it came there.
    if (&activeTable() == &m_store.tKurs)
        return m_store.tKurs.tableName().toUpper();
    return QString();
}

void TfrmBase::CalcKursExpress(bool fromVal2) {
    guarded([this, fromVal2] { doCalcKursExpress(fromVal2); });
}

void TfrmBase::doCalcKursExpress(bool fromVal2) {
    setExpressCaption();
    TableObject& t = activeTable();
    const double rate = t.asFloat(u"KURS");
    const int nominal = t.asInteger(u"NOMINAL");
    const QString label = currencyLabel();
    if (!label.isEmpty())
        Skl->setText(label);
    Skl->show();
    if (rate != 0.0) {
        if (!fromVal2) {
            const double amount = readFloat(val1->text(), m_regional);
            // A rate without its nominal converts to nothing rather than to an infinity.
            showResult(val2, nominal != 0 ? amount * rate / nominal : 0.0);
        } else {
            const double roubles = readFloat(val2->text(), m_regional);
            showResult(val1, roubles * nominal / rate);
        }
    } else {
        showResult(fromVal2 ? val1 : val2, 0.0);
    }
    declineRoubles();
}

void TfrmBase::CalcStavkaExpress(bool fromVal2) {
    guarded([this, fromVal2] { doCalcStavkaExpress(fromVal2); });
}

void TfrmBase::doCalcStavkaExpress(bool fromVal2) {
    setExpressCaption();
    // The value the grid shows in its second column: RAZMER, or RAZMER2 for the labour-pay variant.
    TableObject& t = m_store.tStavka;
    const QVariant shown = t.value(grMROT_Refin->indicatorModel().columns()[1].column);
    const double value = shown.isValid() ? shown.toDouble() : 0.0;
    Skl->hide();
    if (value != 0.0) {
        if (!fromVal2)
            showResult(val2, readFloat(val1->text(), m_regional) * value);
        else
            showResult(val1, readFloat(val2->text(), m_regional) / value);
    } else {
        showResult(fromVal2 ? val1 : val2, 0.0);
    }
    declineRoubles();
}

void TfrmBase::val1Exit() {
    const int index = selectedIndex();
    if (index >= kDollar && index <= kOther)
        CalcKursExpress(false);
    else if (index == kMrot || index == kRefin)
        CalcStavkaExpress(false);
}

void TfrmBase::val2Exit() {
    const int index = selectedIndex();
    if (index >= kDollar && index <= kOther)
        CalcKursExpress(true);
    else if (index == kMrot || index == kRefin)
        CalcStavkaExpress(true);
}

// ---------------------------------------------------------------------------------------------------------------
// Manual editing

void TfrmBase::btnAddClick(QObject* sender) {
    guarded([this, sender] { doBtnAddClick(sender); });
}

void TfrmBase::doBtnAddClick(QObject* sender) {
    m_addMode = sender && sender->property("Tag").toInt() == 1;
    const RecordDialogContext context{activeTable(), m_counters, m_prompts, m_clock, m_regional, m_addMode};
    std::unique_ptr<QDialog> dialog;
    switch (selectedIndex()) {
    case kDollar:
    case kEuro:
    case kOther:
        dialog = std::make_unique<TfrmAdd_Edit1>(context, this);
        break;
    case kMrot:
        dialog = std::make_unique<TfrmAdd_Edit5>(context, this);
        break;
    case kRefin:
        dialog = std::make_unique<TfrmAdd_Edit2>(context, this);
        break;
    case kInflation:
        dialog = std::make_unique<TfrmAdd_Edit3>(context, this);
        break;
    case kPrice:
        dialog = std::make_unique<TfrmAdd_Edit4>(context, this);
        break;
    default:
        return;
    }
    {
        const QuietViews quiet(m_quiet);
        m_runDialog(*dialog);
    }
    refreshRecordViews();
}

void TfrmBase::btnDelClick() {
    guarded([this] { doBtnDelClick(); });
}

void TfrmBase::doBtnDelClick() {
    TableObject& t = activeTable();
    if (!t.isOpen() || t.isEmpty())
        return;
    if (!m_prompts.question(QStringLiteral("Вы действительно хотите удалить текущую запись?")))
        return;
    {
        const QuietViews quiet(m_quiet);
        t.remove();
        t.close();
        t.open();
    }
    refreshRecordViews();
}

void TfrmBase::btnUpdClick() {
    const UpdateMode mode = rb2->isChecked()   ? UpdateMode::ConsultantPlus
                            : rb3->isChecked() ? UpdateMode::Garant
                            : rb1->isChecked() ? UpdateMode::Manual
                                               : UpdateMode::Internet;
    ImportCommand command(m_store, m_counters, m_prompts, m_clock, m_regional, m_startDirectory,
                          {[this] { cb1Click(); },
                           [this] { refreshRecordViews(); }});
    {
        const QuietViews quiet(m_quiet);
        command.btnUpdClick(selectedIndex(), mode);
    }
    refreshRecordViews();
}

void TfrmBase::btnGetClick() {
    RateDownloadCommand command(this, m_store, m_prompts, m_clock, m_regional, m_http,
                                [this] { refreshRecordViews(); });
    {
        const QuietViews quiet(m_quiet);
        command.run({selectedIndex(), Date1->maskedText(), Date2->maskedText(), ValCombo->currentIndex()});
    }
    refreshRecordViews();
}

void TfrmBase::N28Click() {
    guarded([this] { TfrmSet::execute(m_settings, m_http, m_prompts, this); });
}

void TfrmBase::N9Click() {
    if (!HelpContents::viewerRegistered()) {
        if (!m_help)
            m_help = new HelpWindow(HelpContents::pagesDir(), this);
        m_help->showPage();
        m_help->show();
        m_help->raise();
        m_help->activateWindow();
        return;
    }
    // The help is looked for in the working directory; an installed copy keeps it in its shared folder.
    if (QFileInfo::exists(HelpContents::helpFileUrl().toLocalFile()))
        HelpContents::open();
    else
        HelpContents::open(AppPaths::helpFile());
}

void TfrmBase::Internet1Click() {
    WebSites::open(WebSites::kMakerSite);
}

void TfrmBase::Image1Click() {
    WebSites::open(WebSites::kProgramsSite);
}

void TfrmBase::Image1DblClick() {
    WebSites::open(WebSites::kProgramsSite);
}

void TfrmBase::N26Click() {
    TAboutForm box(m_regional, this);
    m_runDialog(box);
}

void TfrmBase::dxBarImgCmbInterfaceChange(const QString& language) {
    m_catalogue.chooseLanguage(m_settings, QFileInfo(AppPaths::langDir()).path(), language);
    LoadLang();
}

void TfrmBase::dxBarImgCmbCountryChange(const QString& country) {
    Localize::chooseCountry(m_settings, country);
}

void TfrmBase::dxBarCmbSkinChange(const QString& skin) {
    m_skins->chooseSkin(m_settings, skin);
}
