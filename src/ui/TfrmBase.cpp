#include "TfrmBase.h"

#include "Banner.h"
#include "IndicatorGrid.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/Settings.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

TfrmBase::TfrmBase(Database& db, Settings& settings, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                   QStringList arguments, QWidget* parent)
    : QWidget(parent), m_db(db), m_settings(settings), m_prompts(prompts), m_clock(clock), m_regional(regional),
      m_arguments(std::move(arguments)), m_store(db, m_regional, clock) {
    setObjectName(QStringLiteral("frmBase"));
    setWindowTitle(QStringLiteral("Tarvel"));
    // Fixed single border: minimise, no maximise, no resizing.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientWidth, kClientHeight);

    buildControls();

    // First start writes the defaults; every start reads the layout choice.
    m_settings.writeFirstStartDefaults();
    if (m_settings.advertising() > 0)
        useLayoutWithoutBanner();

    m_store.makeActive(m_store.tKurs);
    m_startDirectory = QDir::currentPath();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

TfrmBase::~TfrmBase() = default;

void TfrmBase::buildControls() {
    m_banner = new Banner(this);
    m_banner->setObjectName(QStringLiteral("Image1"));
    m_banner->setGeometry(3, 22, 645, 96);

    grKurs = new IndicatorGrid(m_store.tKurs,
                               {{Col::CurDate, QStringLiteral("Дата"), -1, true}, {2, QStringLiteral("Курс"), 75, true}},
                               m_prompts, this);
    grKurs->setObjectName(QStringLiteral("grKurs"));
    grKurs->setGeometry(193, 148, 221, 298);
}

void TfrmBase::useLayoutWithoutBanner() {
    m_bannerShown = false;
    m_banner->hide();
    static const char* const moved[] = {"List", "pan",  "nbTabl", "grKurs", "grMROT_Refin", "grOther", "grInfl",
                                        "grPrice", "gb1", "gb2", "gb3", "gb4", "gb5", "btnClose"};
    for (const char* name : moved) {
        if (QWidget* w = findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly))
            w->move(w->x(), w->y() - kBannerHeight);
    }
    setFixedSize(kClientWidth, kClientHeight - kBannerHeight);
}
