#include "TfrmCalc.h"

#include "CalcChartPage.h"
#include "CalcConversionPage.h"
#include "CalcInflationPage.h"
#include "CalcInterestPage.h"
#include "SeriesChart.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/Settings.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QString kCsvFilter = QStringLiteral("Таблица CSV (*.csv)|*.csv|Документ HTML (*.html)|*.html");
const QString kPdfFilter = QStringLiteral("Документ PDF (*.pdf)|*.pdf");

void writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(QStringLiteral("Не удалось записать файл ") + QDir::toNativeSeparators(path) +
                       QStringLiteral(": ") + file.errorString());
}
} // namespace

TfrmCalc::TfrmCalc(Database& db, Settings& settings, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_db(db), m_settings(settings), m_prompts(prompts), m_clock(clock),
      m_regional(regional), m_runDialog([](QDialog& dialog) { return dialog.exec(); }) {
    setObjectName(QStringLiteral("frmCalc"));
    setWindowTitle(QStringLiteral("Расчёты"));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabsCalc"));
    m_interest = new CalcInterestPage(m_db, m_prompts, m_clock, m_regional, m_tabs);
    m_conversion = new CalcConversionPage(m_db, m_prompts, m_clock, m_regional, m_tabs);
    m_inflation = new CalcInflationPage(m_db, m_prompts, m_clock, m_regional, m_tabs);
    m_chart = new CalcChartPage(m_db, m_prompts, m_clock, m_regional, m_tabs);
    m_tabs->addTab(m_interest, QStringLiteral("Проценты"));
    m_tabs->addTab(m_conversion, QStringLiteral("Пересчёт валюты"));
    m_tabs->addTab(m_inflation, QStringLiteral("Инфляция"));
    m_tabs->addTab(m_chart, QStringLiteral("График ряда"));

    auto* copy = new QPushButton(QStringLiteral("Копировать"), this);
    copy->setObjectName(QStringLiteral("btnCopy"));
    copy->setToolTip(QStringLiteral("Таблица и вывод — в буфер обмена (вставляется в текстовый редактор как таблица)"));
    auto* save = new QPushButton(QStringLiteral("Сохранить…"), this);
    save->setObjectName(QStringLiteral("btnSave"));
    save->setToolTip(QStringLiteral("Сохранить в файл CSV или HTML"));
    auto* print = new QPushButton(QStringLiteral("Печать…"), this);
    print->setObjectName(QStringLiteral("btnPrint"));
    auto* pdf = new QPushButton(QStringLiteral("PDF…"), this);
    pdf->setObjectName(QStringLiteral("btnPdf"));
    pdf->setToolTip(QStringLiteral("Сохранить страницу в файл PDF"));
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName(QStringLiteral("btnCalcClose"));
    connect(copy, &QPushButton::clicked, this, &TfrmCalc::copyClick);
    connect(save, &QPushButton::clicked, this, &TfrmCalc::saveClick);
    connect(print, &QPushButton::clicked, this, &TfrmCalc::printClick);
    connect(pdf, &QPushButton::clicked, this, &TfrmCalc::pdfClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addWidget(print);
    buttons->addWidget(pdf);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    m_interest->loadInputs(m_settings);
    m_conversion->loadInputs(m_settings);
    m_inflation->loadInputs(m_settings);
    m_chart->loadInputs(m_settings);
    const int w = m_settings.number(Settings::Key::CalcWidth, 0);
    const int h = m_settings.number(Settings::Key::CalcHeight, 0);
    QSize size = sizeHint().expandedTo(QSize(760, 560));
    if (w > 0 && h > 0)
        size = QSize(w, h);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size.expandedTo(minimumSizeHint()));
    showTab(m_settings.number(Settings::Key::CalcTab, kInterest));
    // A window of its own, yet it closes with the main window: otherwise the program would not end.
    if (parent)
        parent->installEventFilter(this);
}

bool TfrmCalc::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Close && isVisible())
        close();
    return QWidget::eventFilter(watched, event);
}

TfrmCalc::~TfrmCalc() = default;

template <typename F> void TfrmCalc::guarded(F&& body) {
    try {
        body();
    } catch (const AppError& e) {
        m_prompts.message(e.text());
    }
}

void TfrmCalc::showTab(int tab) {
    if (tab >= 0 && tab < m_tabs->count())
        m_tabs->setCurrentIndex(tab);
}

int TfrmCalc::currentTab() const {
    return m_tabs->currentIndex();
}

CalcReport TfrmCalc::currentReport() const {
    switch (currentTab()) {
    case kInterest:
        return m_interest->report();
    case kConversion:
        return m_conversion->report();
    case kInflation:
        return m_inflation->report();
    case kChart:
        return m_chart->report();
    default:
        return {};
    }
}

bool TfrmCalc::haveResult() {
    if (!currentReport().isEmpty())
        return true;
    m_prompts.message(m_tabs->currentWidget() == m_chart ? QStringLiteral("Сначала постройте график.")
                                                         : QStringLiteral("Сначала выполните расчёт."));
    return false;
}

void TfrmCalc::copyClick() {
    if (!haveResult())
        return;
    QMimeData* data = CalcExport::toMimeData(currentReport(), m_regional);
    if (m_tabs->currentWidget() == m_chart)
        data->setImageData(m_chart->chart()->grab().toImage());
    QApplication::clipboard()->setMimeData(data);
}

void TfrmCalc::saveClick() {
    guarded([this] {
        if (!haveResult())
            return;
        QString path = m_prompts.saveFile(kCsvFilter, QStringLiteral("Расчёт.csv"));
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".csv");
        if (QFileInfo(path).suffix().compare(QStringLiteral("html"), Qt::CaseInsensitive) == 0 ||
            QFileInfo(path).suffix().compare(QStringLiteral("htm"), Qt::CaseInsensitive) == 0)
            saveHtml(path);
        else
            saveCsv(path);
    });
}

void TfrmCalc::saveCsv(const QString& path) const {
    writeFile(path, CalcExport::toCsv(currentReport(), m_regional));
}

void TfrmCalc::saveHtml(const QString& path) const {
    writeFile(path, CalcExport::toHtml(currentReport(), m_regional).toUtf8());
}

void TfrmCalc::printTo(QPagedPaintDevice& device) const {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 15, 15, 15),
                                     QPageLayout::Millimeter));
    if (m_tabs->currentWidget() == m_chart)
        m_chart->print(device);
    else
        CalcExport::print(currentReport(), m_regional, device);
}

void TfrmCalc::printClick() {
    guarded([this] {
        if (!haveResult())
            return;
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog preview(&printer, this);
        preview.setWindowTitle(QStringLiteral("Предварительный просмотр"));
        connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { printTo(*p); });
        m_runDialog(preview);
    });
}

void TfrmCalc::pdfClick() {
    guarded([this] {
        if (!haveResult())
            return;
        QString path = m_prompts.saveFile(kPdfFilter, QStringLiteral("Расчёт.pdf"));
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".pdf");
        savePdf(path);
    });
}

void TfrmCalc::savePdf(const QString& path) const {
    {
        QPdfWriter writer(path);
        writer.setTitle(currentReport().title);
        writer.setCreator(QStringLiteral("Tarvel"));
        writer.setResolution(300);
        printTo(writer);
    }
    if (QFileInfo(path).size() <= 0)
        throw AppError(QStringLiteral("Не удалось записать файл ") + QDir::toNativeSeparators(path));
}

void TfrmCalc::saveInputs() {
    m_settings.setValues({{Settings::Key::CalcWidth, width()},
                          {Settings::Key::CalcHeight, height()},
                          {Settings::Key::CalcTab, currentTab()}});
    m_interest->saveInputs(m_settings);
    m_conversion->saveInputs(m_settings);
    m_inflation->saveInputs(m_settings);
    m_chart->saveInputs(m_settings);
}

void TfrmCalc::closeEvent(QCloseEvent* event) {
    saveInputs();
    QWidget::closeEvent(event);
}
