#include "ImportCommand.h"

#include "ImportParsers.h"
#include "ImportRun.h"
#include "LineReader.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "store/Database.h"
#include "store/IndicatorStore.h"
#include "store/RecordMerge.h"
#include "store/TableObject.h"

#include <QDir>

#include <optional>

namespace {
void parseGarantDollar(ImportRun& run) {
    ParseGarantRates(run, GarantRateColumn::Dollar);
}
void parseGarantEuro(ImportRun& run) {
    ParseGarantRates(run, GarantRateColumn::Euro);
}

// The recognition table: per tree node its dataset, and per file source the signature and the parser.
struct Recognition {
    int node;
    bool wage;              // tStavka, else tKurs
    const char* openedName; // the dataset is reopened unless its table name is exactly this
    const char* reopenName; // the table it is reopened on
    const char16_t* consultantSignature;
    void (*consultantParser)(ImportRun&);
    const char16_t* garantSignature;
    void (*garantParser)(ImportRun&);
};

const Recognition kRecognition[] = {
    {1, false, "USD", "USD", u"1 Доллар США", ParseConsultantDollar, u"КУРСЫ ДОЛЛАРА США,", parseGarantDollar},
    {2, false, "EUR", "EUR", u"1 ЕВРО", ParseConsultantEuro, u"КУРСЫ ДОЛЛАРА США,", parseGarantEuro},
    // The navigation opens the MROT table as "mrot": an MROT import always reopens it, which puts the cursor
    // on the newest record.
    {4, true, "Mrot", "MROT", u"Сумма минимального", ParseConsultantMrot, u"размер оплаты труда", ParseGarantMrot},
    {5, true, "refin", "REFIN", u"(%, годовых)", ParseConsultantRefin, u"учетной ставки", ParseGarantRefin},
};

const Recognition* recognitionOf(int node) {
    // The group node "Курсы валют" shows the dollar series, and imports into it.
    if (node == 0)
        node = 1;
    for (const Recognition& r : kRecognition) {
        if (r.node == node)
            return &r;
    }
    return nullptr;
}

const QString kNothingChangedWrongFile =
    QStringLiteral("Изменений в текущей таблице не произведено.\nВозможно Вы выбрали неверный файл.");
const QString kNothingChangedError =
    QStringLiteral("Изменений в текущей таблице не произведено.\nВозможно произошла ошибка.");

QString countLines(const ChangeCounters& counters) {
    const QString changed = counters.changed > 0 ? QStringLiteral("Изменено записей: ") +
                                                       QString::number(counters.changed) + QLatin1Char('.')
                                                 : QStringLiteral("Имеющиеся записи не были изменены.");
    const QString added =
        counters.added > 0 ? QStringLiteral("Добавлено записей: ") + QString::number(counters.added) + QLatin1Char('.')
                           : QStringLiteral("Новых записей добавлено не было.");
    return changed + QLatin1Char('\n') + added;
}
} // namespace

QString ImportReportText(const ChangeCounters& counters) {
    if (counters.added == 0 && counters.changed == 0)
        return kNothingChangedWrongFile;
    return countLines(counters);
}

QString ImportFailureText(const ChangeCounters& counters, int failedLine) {
    QString text = counters.added > 0 || counters.changed > 0 ? countLines(counters) : kNothingChangedError;
    if (failedLine > 0)
        text += QStringLiteral("\nИмпорт прерван: ошибка в строке ") + QString::number(failedLine) + QLatin1Char('.');
    return text;
}

ImportCommand::ImportCommand(IndicatorStore& store, ChangeCounters& counters, Prompts& prompts, const Clock& clock,
                             const RegionalSettings& regional, QString startDirectory, Window window)
    : m_store(store), m_counters(counters), m_prompts(prompts), m_clock(clock), m_regional(regional),
      m_startDirectory(std::move(startDirectory)), m_window(std::move(window)) {}

const QString& ImportCommand::fileFilter() {
    static const QString filter = QStringLiteral("Text files (*.txt)|*.txt");
    return filter;
}

ImportOutcome ImportCommand::btnUpdClick(int nodeIndex, UpdateMode mode) {
    ImportOutcome outcome;
    TableObject& grid = m_store.active();
    // The grid does not follow the cursor while the records are merged.
    grid.disableControls();
    try {
        m_counters.reset();
        if (!m_startDirectory.isEmpty())
            QDir::setCurrent(m_startDirectory);
        const QString fileName = m_prompts.openFile(fileFilter(), m_startDirectory);
        if (!fileName.isEmpty())
            outcome = run(nodeIndex, mode, fileName);
    } catch (...) {
        // Only the dialogs themselves can get here; there is nothing left to report through them.
        outcome.kind = ImportOutcome::Kind::Failure;
    }
    grid.enableControls();
    try {
        m_store.active().endPending();
        if (m_window.refreshInformation)
            m_window.refreshInformation();
    } catch (const AppError& e) {
        m_prompts.message(e.text());
    } catch (...) {
    }
    return outcome;
}

ImportOutcome ImportCommand::run(int nodeIndex, UpdateMode mode, const QString& fileName) {
    ImportOutcome outcome;
    const Recognition* recognition = recognitionOf(nodeIndex);
    const bool fromFile = mode == UpdateMode::ConsultantPlus || mode == UpdateMode::Garant;
    TableObject* dataset = recognition ? (recognition->wage ? &m_store.tStavka : &m_store.tKurs) : nullptr;
    std::optional<CommandTransaction> transaction;
    bool failed = false;
    bool fileRead = false;
    int failedLine = 0;

    try {
        if (recognition && fromFile) {
            if (dataset->tableName() != QLatin1String(recognition->openedName)) {
                dataset->close();
                dataset->setTableName(QLatin1String(recognition->reopenName));
                dataset->open();
            }
            LineReader reader = LineReader::fromFile(fileName);
            transaction.emplace(m_store.database());
            MergeContext context{*dataset, m_counters, m_prompts, m_clock, m_regional};
            ImportRun importRun(reader, m_regional, m_clock.today().year(),
                                [&context](const ImportedRecord& record, const ImporterProfile& profile) {
                                    MergeImportedRecord(record, profile, context);
                                });
            const bool consultant = mode == UpdateMode::ConsultantPlus;
            try {
                RunRecognition(importRun, consultant ? recognition->consultantSignature : recognition->garantSignature,
                               consultant ? recognition->consultantParser : recognition->garantParser);
            } catch (...) {
                outcome.dosMode = importRun.dosMode;
                failedLine = reader.lineNumber();
                throw;
            }
            outcome.dosMode = importRun.dosMode;
            fileRead = true;
        }
    } catch (...) {
        failed = true;
    }

    // The MROT grid shows the column that cb1 chooses, also after a failed import.
    if (nodeIndex == 4 && m_window.cb1Click) {
        try {
            m_window.cb1Click();
        } catch (...) {
            failed = true;
        }
    }

    try {
        // A record that the merge did not finish is not stored.
        if (failed && dataset)
            dataset->cancel();
        m_store.active().endPending();
    } catch (...) {
        failed = true;
    }
    if (transaction) {
        try {
            transaction->commit();
        } catch (...) {
            // Nothing of this run reached the file: show the series as it is stored.
            try {
                m_store.database().exec("ROLLBACK");
            } catch (...) {
            }
            try {
                dataset->close();
                dataset->open();
            } catch (...) {
            }
            m_counters.reset();
            failed = true;
        }
    }

    if (!fileRead)
        failed = true; // no importer for the node, or no file source checked, or the file unreadable
    outcome.kind = failed ? ImportOutcome::Kind::Failure : ImportOutcome::Kind::Report;
    outcome.failedLine = failedLine;
    outcome.text = failed ? ImportFailureText(m_counters, failedLine) : ImportReportText(m_counters);
    m_prompts.message(outcome.text);
    return outcome;
}
