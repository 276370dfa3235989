#include "TfrmBase.h"

#include "ActivationWatcher.h"
#include "Banner.h"
#include "CalcConversionPage.h"
#include "CaptionDoubleClick.h"
#include "ExpressPanel.h"
#include "IndicatorGrid.h"
#include "InformationPanel.h"
#include "MainMenu.h"
#include "MainWindowLayout.h"
#include "MaskedDateEdit.h"
#include "QuickSearch.h"
#include "RateDownloadCommand.h"
#include "SeriesNavigator.h"
#include "ShellCommands.h"
#include "TfrmAdd_Edit1.h"
#include "TfrmAdd_Edit2.h"
#include "TfrmAdd_Edit3.h"
#include "TfrmAdd_Edit4.h"
#include "TfrmAdd_Edit5.h"
#include "TfrmCalc.h"
#include "UpdateModePages.h"
#include "ui/SkinSupport.h"
#include "ui/WebSites.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/NumberText.h"
#include "common/Prompts.h"
#include "common/Settings.h"
#include "import/ImportCommand.h"
#include "net/ConnectionSettings.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>

namespace {
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

} // namespace

TfrmBase::TfrmBase(Database& db, Settings& settings, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                   QStringList arguments, QWidget* parent)
    : QWidget(parent), m_db(db), m_settings(settings), m_prompts(prompts), m_clock(clock), m_regional(regional),
      m_arguments(std::move(arguments)), m_store(db, m_regional, clock),
      m_runDialog([](QDialog& dialog) { return dialog.exec(); }),
      m_shell(std::make_unique<ShellCommands>(this, settings, prompts, m_regional, m_http, m_runDialog)) {
    setObjectName(QStringLiteral("frmBase"));
    setWindowTitle(QStringLiteral("Tarvel"));
    // Fixed single border: minimise, no maximise, no resizing.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientWidth, kClientHeight);
    // The application's font, not only the window's: under a skin's style sheet a widget takes the
    // application font rather than its parent's, so a font set on the window alone would not survive a skin.
    const QFont font = MainWindowLayout::dialogFont(QApplication::font());
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
    m_shell->skins().listSkins(m_menu->skinCombo());
    // First start writes the defaults; every start reads the layout choice, the language and the country.
    m_settings.writeFirstStartDefaults();
    if (m_settings.advertising() > 0)
        useLayoutWithoutBanner();
    m_menu->showSettings(m_settings);
    m_shell->skins().applySkin(m_settings.skin());
    m_shell->loadCatalogue();
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
    QComboBox* const valCombo = m_navigator->ValCombo;
    valCombo->clear();
    for (int row = 0; row < int(Catalog::otherCurrencies().size()); ++row)
        valCombo->addItem(Catalog::otherCurrencyName(row));
    valCombo->setCurrentIndex(0);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    // The window's own dialogs closing make it the active window again.
    new ActivationWatcher(this, [this] { FormActivate(); });
}

void TfrmBase::openCalculations(int tab) {
    if (!m_calc)
        m_calc = new TfrmCalc(m_db, m_settings, m_prompts, m_clock, m_regional, this);
    m_calc->showTab(tab);
    m_calc->show();
    m_calc->raise();
    m_calc->activateWindow();
}

TfrmBase::~TfrmBase() = default;

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

    m_navigator = std::make_unique<SeriesNavigator>(this, m_store, m_prompts);
    m_info = std::make_unique<InformationPanel>(this);
    m_search = std::make_unique<QuickSearch>(this, m_regional, m_clock);
    m_express = std::make_unique<ExpressPanel>(this, m_regional);
    m_modes = std::make_unique<UpdateModePages>(this, m_regional);

    btnClose = new QPushButton(QStringLiteral("Закрыть"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(573, 571, 75, 26);
    connectControls();
}

void TfrmBase::connectControls() {
    SeriesNavigator& nav = *m_navigator;
    connect(nav.List, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
        if (current)
            ListChange();
    });
    connect(nav.cb1Items, &QButtonGroup::idClicked, this, [this](int) { cb1Click(); });
    // Only the user's pick: setting the row from the program does not run the handler.
    connect(nav.ValCombo, &QComboBox::activated, this, [this](int) { ValComboChange(); });
    connect(nav.grKurs, &IndicatorGrid::cellClicked, this, &TfrmBase::grKursCellClick);
    connect(nav.grOther, &IndicatorGrid::cellClicked, this, &TfrmBase::grOtherCellClick);
    connect(nav.grMROT_Refin, &IndicatorGrid::cellClicked, this, &TfrmBase::grMROT_RefinCellClick);
    connect(nav.grKurs, &IndicatorGrid::gridDoubleClicked, this, &TfrmBase::grKursDblClick);
    connect(nav.grOther, &IndicatorGrid::gridDoubleClicked, this, &TfrmBase::grOtherDblClick);
    connect(nav.grMROT_Refin, &IndicatorGrid::gridDoubleClicked, this, &TfrmBase::grMROT_RefinDblClick);
    // The index series act like the others: a double click is "Изменить".
    connect(nav.grInfl, &IndicatorGrid::gridDoubleClicked, this, [this] { btnAddClick(m_modes->btnEdit); });
    connect(nav.grPrice, &IndicatorGrid::gridDoubleClicked, this, [this] { btnAddClick(m_modes->btnEdit); });

    connect(m_search->button(), &QPushButton::clicked, this, &TfrmBase::btnSearchClick);

    // Enter recalculates; leaving a field does not.
    connect(m_express->field1(), &QLineEdit::returnPressed, this, &TfrmBase::val1Exit);
    connect(m_express->field2(), &QLineEdit::returnPressed, this, &TfrmBase::val2Exit);
    CaptionDoubleClick::install(m_express->box(), [this] {
        const std::optional<Series> series = selectedSeries();
        const bool currency = series && SeriesTable::of(*series).express == ExpressKind::Currency;
        openCalculations(series == Series::Refin ? TfrmCalc::kInterest
                         : currency              ? TfrmCalc::kConversion
                                                 : TfrmCalc::kChart);
        if (currency && !currencyLabel().isEmpty())
            m_calc->conversionPage()->setCurrency(currencyLabel());
    });

    UpdateModePages& modes = *m_modes;
    connect(modes.btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(m_modes->btnAdd); });
    connect(modes.btnEdit, &QPushButton::clicked, this, [this] { btnAddClick(m_modes->btnEdit); });
    connect(modes.btnDel, &QPushButton::clicked, this, &TfrmBase::btnDelClick);
    connect(modes.btnUpd, &QPushButton::clicked, this, &TfrmBase::btnUpdClick);
    connect(modes.btnGet, &QPushButton::clicked, this, &TfrmBase::btnGetClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmBase::btnCloseClick);
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

std::optional<Series> TfrmBase::selectedSeries() const {
    return m_navigator->seriesOfEntry(selectedIndex());
}

std::optional<Series> TfrmBase::chosenSeries() const {
    if (selectedIndex() == SeriesNavigator::kGroupEntry)
        return std::nullopt;
    return selectedSeries();
}

void TfrmBase::doListChange() {
    const QuietViews quiet(m_quiet);
    if (!m_startDirectory.isEmpty())
        QDir::setCurrent(m_startDirectory);
    SeriesNavigator& nav = *m_navigator;
    nav.Cap->setText(nav.selectedText());
    m_modes->Date2->setDate(m_clock.today().addDays(1));
    m_express->box()->show();
    m_express->roublesLabel()->show();

    if (const std::optional<Series> series = selectedSeries()) {
        const SeriesInfo& s = SeriesTable::of(*series);
        nav.showSeries(s);
        m_modes->allowModesOf(s);
        if (s.express != ExpressKind::None && !s.roublesWord)
            m_express->roublesLabel()->hide();
        if (s.express == ExpressKind::None)
            m_express->box()->hide();
        TableObject& table = m_store.tableFor(s.layout);
        // The index tables keep the one table each.
        if (s.layout == Layout::Currency || s.layout == Layout::Wage)
            table.pointAt(SeriesTable::tableOf(*series, kDemRow));
        m_store.makeActive(table);
        if (*series == Series::OtherCurrency)
            nav.ValCombo->setCurrentIndex(kDemRow);
        if (s.express == ExpressKind::Currency)
            CalcKursExpress(false);
        else if (s.express == ExpressKind::Multiple)
            CalcStavkaExpress(false);
    }

    m_counters.reset();
    const QDate newest = activeTable().asDate(u"CURDATE");
    m_modes->Date1->setDate(newest.isValid() ? newest.addDays(1) : m_clock.today());
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
    const std::optional<Series> series = selectedSeries();
    try {
        const ExpressKind kind = series ? SeriesTable::of(*series).express : ExpressKind::None;
        if (kind == ExpressKind::Currency)
            doCalcKursExpress(false);
        else if (kind == ExpressKind::Multiple)
            doCalcStavkaExpress(false);
    } catch (const AppError&) {
        // The fields keep what they hold; Enter shows why.
    }
    m_refreshing = false;
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
    MaskedDateEdit* const date1 = m_modes->Date1;
    date1->setDate(newest.isValid() ? newest.addDays(1) : today);
    m_modes->Date2->setDate(today);
    const QDate from = date1->date(today.year());
    const QDate to = m_modes->Date2->date(today.year());
    if (!(to > from))
        date1->setDate(to.addDays(-1));

    m_search->searchDate()->setDate(today);
    if (m_arguments.size() == 2) {
        m_search->searchDate()->setDate(readDate(m_arguments[1], m_regional, today.year()));
        btnSearchClick();
    }
}

void TfrmBase::cb1Click() {
    guarded([this] {
        m_navigator->applyCb1Column();
        activeTable().endPending();
    });
    CalcStavkaExpress(false);
}

void TfrmBase::doValComboChange() {
    const QuietViews quiet(m_quiet);
    SeriesNavigator& nav = *m_navigator;
    const int row = nav.ValCombo->currentIndex();
    if (row < 0 || row >= int(Catalog::otherCurrencies().size()))
        return;
    nav.showPickedCurrency();
    m_modes->allowAllModes();
    m_store.tKurs.pointAt(SeriesTable::tableOf(Series::OtherCurrency, row));
    m_store.makeActive(m_store.tKurs);
    CalcKursExpress(false);
    ShowRecordDates();
    ShowRecordDetails();
}

void TfrmBase::grKursCellClick() {
    const std::optional<Series> series = chosenSeries();
    if (series && SeriesTable::of(*series).express == ExpressKind::Currency)
        CalcKursExpress(false);
}

void TfrmBase::grMROT_RefinCellClick() {
    const std::optional<Series> series = chosenSeries();
    if (series && SeriesTable::of(*series).express == ExpressKind::Multiple)
        CalcStavkaExpress(false);
}

// ---------------------------------------------------------------------------------------------------------------
// Information panel, quick search, express calculation

void TfrmBase::ShowRecordDetails() {
    guarded([this] { m_info->showRecordDetails(activeTable(), m_counters, &activeTable() == &m_store.tKurs); });
}

void TfrmBase::btnSearchClick() {
    guarded([this] {
        const std::optional<Series> series = chosenSeries();
        if (!series || !SeriesTable::of(*series).quickSearch)
            return;
        m_search->search(activeTable(), *m_navigator->grid(SeriesTable::of(*series).grid), m_prompts);
    });
}

QString TfrmBase::currencyLabel() const {
    // The code of the series on screen, whichever way it came there.
    if (&activeTable() == &m_store.tKurs)
        return m_store.tKurs.tableName().toUpper();
    return QString();
}

void TfrmBase::doCalcKursExpress(bool fromVal2) {
    m_express->calcCurrency(activeTable(), currencyLabel(), fromVal2);
}

void TfrmBase::doCalcStavkaExpress(bool fromVal2) {
    // The value the grid shows in its second column: RAZMER, or RAZMER2 for the labour-pay variant.
    const QVariant shown = m_store.tStavka.value(m_navigator->grMROT_Refin->indicatorModel().columns()[1].column);
    m_express->calcMultiple(activeTable(), shown.isValid() ? shown.toDouble() : 0.0, fromVal2);
}

void TfrmBase::expressOnEnter(bool fromVal2) {
    const std::optional<Series> series = chosenSeries();
    const ExpressKind kind = series ? SeriesTable::of(*series).express : ExpressKind::None;
    if (kind == ExpressKind::Currency)
        CalcKursExpress(fromVal2);
    else if (kind == ExpressKind::Multiple)
        CalcStavkaExpress(fromVal2);
}

// ---------------------------------------------------------------------------------------------------------------
// Update commands

void TfrmBase::doBtnAddClick(QObject* sender) {
    m_addMode = sender && sender->property("Tag").toInt() == 1;
    const std::optional<Series> series = chosenSeries();
    if (!series)
        return;
    const RecordDialogContext context{activeTable(), m_counters, m_prompts, m_clock, m_regional, m_addMode};
    std::unique_ptr<QDialog> dialog;
    switch (SeriesTable::of(*series).dialog) {
    case RecordDialogKind::Currency:
        dialog = std::make_unique<TfrmAdd_Edit1>(context, this);
        break;
    case RecordDialogKind::Mrot:
        dialog = std::make_unique<TfrmAdd_Edit5>(context, this);
        break;
    case RecordDialogKind::Refin:
        dialog = std::make_unique<TfrmAdd_Edit2>(context, this);
        break;
    case RecordDialogKind::Inflation:
        dialog = std::make_unique<TfrmAdd_Edit3>(context, this);
        break;
    case RecordDialogKind::Price:
        dialog = std::make_unique<TfrmAdd_Edit4>(context, this);
        break;
    }
    {
        const QuietViews quiet(m_quiet);
        m_runDialog(*dialog);
    }
    refreshRecordViews();
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
    const std::optional<Series> series = selectedSeries();
    if (!series)
        return;
    ImportCommand command(m_store, m_counters, m_prompts, m_clock, m_regional, m_startDirectory);
    {
        const QuietViews quiet(m_quiet);
        command.btnUpdClick(*series, m_modes->mode());
    }
    // The MROT grid shows the column that cb1 chooses, also after a failed import.
    if (series == Series::Mrot)
        cb1Click();
    refreshRecordViews();
}

void TfrmBase::btnGetClick() {
    RateDownloadCommand command(this, m_store, m_prompts, m_clock, m_regional, m_http,
                                [this] { refreshRecordViews(); });
    {
        const QuietViews quiet(m_quiet);
        command.run({selectedSeries(), m_modes->Date1->maskedText(), m_modes->Date2->maskedText(),
                     m_navigator->ValCombo->currentIndex()});
    }
    refreshRecordViews();
}

void TfrmBase::N28Click() {
    guarded([this] { m_shell->connectionSettings(); });
}

void TfrmBase::dxBarImgCmbInterfaceChange(const QString& language) {
    m_shell->chooseLanguage(language);
    LoadLang();
}
