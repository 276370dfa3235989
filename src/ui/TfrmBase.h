#pragma once

#include "InformationPanel.h"
#include "SeriesNavigator.h"
#include "ShellCommands.h"
#include "UpdateModePages.h"
#include "ui/WebSites.h"
#include "common/AppError.h"
#include "common/Prompts.h"
#include "common/RegionalSettings.h"
#include "net/HttpClient.h"
#include "store/IndicatorStore.h"
#include "store/RecordMerge.h"
#include "store/Series.h"

#include <QPushButton>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class Banner;
class ExpressPanel;
class InformationPanel;
class QuickSearch;
class SeriesNavigator;
class TfrmCalc;
class UpdateModePages;
class HelpWindow;
class MainMenu;
class SkinSupport;
class Clock;
class Database;
class Prompts;
class Settings;
class QDialog;

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
    // The DEM row of the currency list, shown first among the other currencies.
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
    SkinSupport& skins() { return m_shell->skins(); }
    const Localize& catalogue() const { return m_shell->catalogue(); }
    // The program's own help window, once F1 or "Содержание" has opened it.
    HelpWindow* helpWindow() const { return m_shell->helpWindow(); }

    // The absolute index of the selected tree entry; -1 when none is selected.
    int selectedIndex() const { return m_navigator->selectedIndex(); }
    // The series the selected entry shows (the group entry shows the dollar); nothing when none is selected.
    std::optional<Series> selectedSeries() const;
    // Selects the entry of an absolute index; selecting another entry than the selected one runs ListChange.
    void selectEntry(int index) { m_navigator->selectEntry(index); }
    // MROT variant: 0 "уплаты госпошлины" (RAZMER), 1 "регулирования оплаты труда" (RAZMER2).
    int cb1ItemIndex() const { return m_navigator->cb1ItemIndex(); }
    void setCb1ItemIndex(int index) { m_navigator->setCb1ItemIndex(index); }

    // Runs a modal dialog; tests replace it to drive a dialog without a modal loop.
    using DialogRunner = std::function<int(QDialog&)>;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

public slots:
    void ListChange() {
        guarded([this] { doListChange(); });
    }
    void FormActivate() {
        guarded([this] { doFormActivate(); });
    }
    void rbClick() { m_modes->rbClick(); }
    void cb1Click();
    void ValComboChange() {
        guarded([this] { doValComboChange(); });
    }
    void grKursCellClick();
    void grOtherCellClick() { grKursCellClick(); }
    void grMROT_RefinCellClick();
    void grKursDblClick() { btnAddClick(m_modes->btnEdit); }
    void grOtherDblClick() { btnAddClick(m_modes->btnEdit); }
    void grMROT_RefinDblClick() { btnAddClick(m_modes->btnEdit); }
    void btnCloseClick() { close(); }
    void ShowRecordDates() {
        guarded([this] { m_info->showRecordDates(activeTable()); });
    }
    void ShowRecordDetails();
    void btnSearchClick();
    void CalcKursExpress(bool fromVal2) {
        guarded([this, fromVal2] { doCalcKursExpress(fromVal2); });
    }
    void CalcStavkaExpress(bool fromVal2) {
        guarded([this, fromVal2] { doCalcStavkaExpress(fromVal2); });
    }
    void val1Exit() { expressOnEnter(false); }
    void val2Exit() { expressOnEnter(true); }
    // `sender` is btnAdd (Tag 1, add mode) or btnEdit (Tag 2, edit mode).
    void btnAddClick(QObject* sender) {
        guarded([this, sender] { doBtnAddClick(sender); });
    }
    void btnDelClick() {
        guarded([this] { doBtnDelClick(); });
    }
    void btnUpdClick();
    void btnGetClick();
    // "Настройки соединения" (F9).
    void N28Click();
    // "Содержание" (F1), "Страница в Internet", "О программе...", the banner's clicks.
    void N9Click() { m_shell->contents(); }
    void Internet1Click() { WebSites::open(WebSites::kMakerSite); }
    void N26Click() { m_shell->about(); }
    void Image1Click() { WebSites::open(WebSites::kProgramsSite); }
    void Image1DblClick() { WebSites::open(WebSites::kProgramsSite); }
    // The menu's three combos, when the user picks an item.
    void dxBarImgCmbInterfaceChange(const QString& language);
    void dxBarImgCmbCountryChange(const QString& country) { m_shell->chooseCountry(country); }
    void dxBarCmbSkinChange(const QString& skin) { m_shell->chooseSkin(skin); }
    // Applies a loaded language catalogue to the windows; every window keeps its built-in Russian texts.
    void LoadLang() {}
    // The calculations window on one of its tabs, made on first use.
    void openCalculations(int tab);
    TfrmCalc* calculations() const { return m_calc; }

private:
    void buildControls();
    void connectControls();
    void useLayoutWithoutBanner();

    // The handlers' bodies: they throw AppError, the slots show it.
    void doListChange();
    void doFormActivate();
    void doValComboChange();
    void doCalcKursExpress(bool fromVal2);
    void doCalcStavkaExpress(bool fromVal2);
    void doBtnAddClick(QObject* sender);
    void doBtnDelClick();
    template <typename F> void guarded(F&& body) {
        try {
            body();
        } catch (const AppError& e) {
            m_prompts.message(e.text());
        }
    }

    // The series of the selected entry other than the group entry, which has no search, express box on Enter
    // or record dialog of its own.
    std::optional<Series> chosenSeries() const;
    void expressOnEnter(bool fromVal2);
    QString currencyLabel() const; // Skl for the series on screen; empty when it has none
    // The information panel and the express calculation describe the current record of the ActiveTable.
    void recordChanged(TableObject& table);
    void refreshRecordViews();

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
    int m_quiet = 0;
    bool m_refreshing = false;
    DialogRunner m_runDialog;
    HttpClient m_http;
    std::unique_ptr<ShellCommands> m_shell;
    TfrmCalc* m_calc = nullptr; // a window of its own, closed with this one

    MainMenu* m_menu = nullptr;
    Banner* m_banner = nullptr;
    std::unique_ptr<SeriesNavigator> m_navigator;
    std::unique_ptr<UpdateModePages> m_modes;
    std::unique_ptr<InformationPanel> m_info;
    std::unique_ptr<QuickSearch> m_search;
    std::unique_ptr<ExpressPanel> m_express;
    QPushButton* btnClose = nullptr;
};
