#pragma once

#include "shell/Localize.h"
#include "common/RegionalSettings.h"
#include "net/HttpClient.h"
#include "store/IndicatorStore.h"
#include "store/RecordMerge.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class Banner;
class TfrmCalc;
class HelpWindow;
class MainMenu;
class SkinSupport;
class Clock;
class Database;
class IndicatorGrid;
class MaskedDateEdit;
class Prompts;
class Settings;
class QButtonGroup;
class QComboBox;
class QDateEdit;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The main window: one series at a time, its grid, and the boxes around it.
class TfrmBase : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 651;
    static constexpr int kClientHeight = 536;
    static constexpr int kBannerHeight = 98; // what the layout without the banner saves

    // Absolute indices of the navigation tree, counted over the whole tree from 0.
    enum Entry {
        kCurrencies = 0,
        kDollar = 1,
        kEuro = 2,
        kOther = 3,
        kMrot = 4,
        kRefin = 5,
        kInflation = 6,
        kPrice = 7,
        kEntryCount = 8
    };
    // nbTabl pages and the DEM row of the currency list, shown first among the other currencies.
    enum TablPage { kPageCurrencies = 0, kPageMrotRefin = 1, kPageInflation = 2, kPagePrice = 3, kPageOther = 4 };
    static constexpr int kDemRow = 13;

    TfrmBase(Database& db, Settings& settings, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
             QStringList arguments, QWidget* parent = nullptr);
    ~TfrmBase() override;

    IndicatorStore& store() { return m_store; }
    TableObject& activeTable() const { return m_store.active(); }
    ChangeCounters& counters() { return m_counters; }
    bool bannerShown() const { return m_bannerShown; }
    QString startDirectory() const { return m_startDirectory; }
    const RegionalSettings& regional() const { return m_regional; }
    bool addMode() const { return m_addMode; }
    HttpClient& httpClient() { return m_http; }
    MainMenu* menu() const { return m_menu; }
    SkinSupport& skins() { return *m_skins; }
    const Localize& catalogue() const { return m_catalogue; }
    // The program's own help window, once F1 or "Содержание" has opened it.
    HelpWindow* helpWindow() const { return m_help; }

    // The absolute index of the selected tree entry; -1 when none is selected.
    int selectedIndex() const;
    // Selects the entry of an absolute index; selecting another entry than the selected one runs ListChange.
    void selectEntry(int index);
    // MROT variant: 0 "уплаты госпошлины" (RAZMER), 1 "регулирования оплаты труда" (RAZMER2).
    int cb1ItemIndex() const;
    void setCb1ItemIndex(int index);

    // Runs a modal dialog; tests replace it to drive a dialog without a modal loop.
    using DialogRunner = std::function<int(QDialog&)>;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

public slots:
    void ListChange();
    void FormActivate();
    void rbClick();
    void cb1Click();
    void ValComboChange();
    void grKursCellClick();
    void grOtherCellClick();
    void grMROT_RefinCellClick();
    void grKursDblClick();
    void grOtherDblClick();
    void grMROT_RefinDblClick();
    void btnCloseClick();
    void ShowRecordDates();
    void ShowRecordDetails();
    void btnSearchClick();
    void CalcKursExpress(bool fromVal2);
    void CalcStavkaExpress(bool fromVal2);
    void val1Exit();
    void val2Exit();
    // `sender` is btnAdd (Tag 1, add mode) or btnEdit (Tag 2, edit mode).
    void btnAddClick(QObject* sender);
    void btnDelClick();
    void btnUpdClick();
    void btnGetClick();
    // "Настройки соединения" (F9).
    void N28Click();
    // "Содержание" (F1), "Страница в Internet", "О программе...", the banner's clicks.
    void N9Click();
    void Internet1Click();
    void N26Click();
    void Image1Click();
    void Image1DblClick();
    // The menu's three combos, when the user picks an item.
    void dxBarImgCmbInterfaceChange(const QString& language);
    void dxBarImgCmbCountryChange(const QString& country);
    void dxBarCmbSkinChange(const QString& skin);
    // Applies a loaded language catalogue to the windows; every window keeps its built-in Russian texts.
    void LoadLang() {}
    // The calculations window on one of its tabs, made on first use.
    void openCalculations(int tab);
    TfrmCalc* calculations() const { return m_calc; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildTree();
    void buildTablPages();
    void buildUpdateModeBox();
    void buildInfoPanel();
    void buildSearchBox();
    void buildExpressBox();
    void useLayoutWithoutBanner();

    // The handlers' bodies: they throw AppError, the slots show it.
    void doListChange();
    void doFormActivate();
    void doValComboChange();
    void doShowRecordDates();
    void doShowRecordDetails();
    void doBtnSearchClick();
    void doCalcKursExpress(bool fromVal2);
    void doCalcStavkaExpress(bool fromVal2);
    void doBtnAddClick(QObject* sender);
    void doBtnDelClick();
    template <typename F> void guarded(F&& body);

    void showGrid(IndicatorGrid* grid);
    void setModesEnabled(bool rb2On, bool rb3On, bool rb4On);
    void setExpressCaption();
    void declineRoubles();
    QString currencyLabel() const; // Skl for the series on screen; empty when it has none
    // Writes a result into a field from its first digit; refuses a value that is not a finite number.
    void showResult(QLineEdit* field, double value);
    // The information panel and the express calculation describe the current record of the ActiveTable.
    void recordChanged(TableObject& table);
    void refreshRecordViews();
    QTreeWidgetItem* entryItem(int index) const;

    Database& m_db;
    Settings& m_settings;
    Prompts& m_prompts;
    Clock& m_clock;
    RegionalSettings m_regional;
    QStringList m_arguments;
    IndicatorStore m_store;
    ChangeCounters m_counters;
    QString m_startDirectory;
    bool m_bannerShown = true;
    bool m_addMode = false;
    bool m_shownOnce = false;
    int m_quiet = 0;
    bool m_refreshing = false;
    DialogRunner m_runDialog;
    HttpClient m_http;
    std::unique_ptr<SkinSupport> m_skins;
    Localize m_catalogue;
    TfrmCalc* m_calc = nullptr; // a window of its own, closed with this one

    MainMenu* m_menu = nullptr;
    Banner* m_banner = nullptr;
    HelpWindow* m_help = nullptr;
    QTreeWidget* List = nullptr;
    QWidget* pan = nullptr;
    QLabel* Cap = nullptr;
    QStackedWidget* nbTabl = nullptr;
    QGroupBox* cb1 = nullptr;
    QButtonGroup* m_cb1Items = nullptr;
    QComboBox* ValCombo = nullptr;
    IndicatorGrid* grKurs = nullptr;
    IndicatorGrid* grMROT_Refin = nullptr;
    IndicatorGrid* grInfl = nullptr;
    IndicatorGrid* grPrice = nullptr;
    IndicatorGrid* grOther = nullptr;

    QGroupBox* gb1 = nullptr;
    QRadioButton* rb1 = nullptr;
    QRadioButton* rb2 = nullptr;
    QRadioButton* rb3 = nullptr;
    QRadioButton* rb4 = nullptr;
    QGroupBox* gb2 = nullptr;
    QStackedWidget* nbAppl = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnDel = nullptr;
    QLabel* im1 = nullptr;
    QLabel* im2 = nullptr;
    QPushButton* btnUpd = nullptr;
    MaskedDateEdit* Date1 = nullptr;
    MaskedDateEdit* Date2 = nullptr;
    QPushButton* btnGet = nullptr;

    QGroupBox* gb3 = nullptr;
    QLabel* l1 = nullptr;
    QLabel* l2 = nullptr;
    QLabel* l3 = nullptr;
    QLabel* l4 = nullptr;
    QLabel* l5 = nullptr;
    QLabel* l6 = nullptr;
    QLabel* l7 = nullptr;
    QLabel* l8 = nullptr;
    QLabel* l50 = nullptr;

    QGroupBox* gb4 = nullptr;
    QDateEdit* SearchDate = nullptr;
    QPushButton* btnSearch = nullptr;

    QGroupBox* gb5 = nullptr;
    QLineEdit* val1 = nullptr;
    QLabel* Skl = nullptr;
    QLabel* Label20 = nullptr;
    QLineEdit* val2 = nullptr;
    QLabel* Skl2 = nullptr;

    QPushButton* btnClose = nullptr;
};
