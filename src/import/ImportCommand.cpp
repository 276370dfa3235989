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

#include <exception>
#include <new>
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

QString ImportFailureText(const ChangeCounters& counters, int failedLine, const QString& reason) {
    QString text = counters.added > 0 || counters.changed > 0 ? countLines(counters) : kNothingChangedError;
    if (failedLine > 0)
        text += QStringLiteral("\nИмпорт прерван: ошибка в строке ") + QString::number(failedLine) + QLatin1Char('.');
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

namespace {
// The reason of the failure being handled, for the report; call only inside a catch block.
QString currentReason() {
    try {
        throw;
    } catch (const AppError& e) {
        return e.text();
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Не хватило памяти.");
    } catch (const std::exception& e) {
        return QStringLiteral("Непредвиденная ошибка: %1.").arg(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return QStringLiteral("Непредвиденная ошибка без описания.");
    }
}

void addReason(QString& reasons, const QString& reason) {
    if (reason.isEmpty() || reasons.contains(reason))
        return;
    if (!reasons.isEmpty())
        reasons += QLatin1Char('\n');
    reasons += reason;
}
} // namespace

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
        // Only the dialogs themselves can get here; the reason is still worth a line of its own.
        outcome.kind = ImportOutcome::Kind::Failure;
        outcome.reason = currentReason();
        try {
            m_prompts.message(ImportFailureText(m_counters, 0, outcome.reason));
        } catch (...) {
        }
    }
    grid.enableControls();
    try {
        m_store.active().endPending();
        if (m_window.refreshInformation)
            m_window.refreshInformation();
    } catch (...) {
        m_prompts.message(currentReason());
    }
    return outcome;
}

ImportOutcome ImportCommand::run(int nodeIndex, UpdateMode mode, const QString& fileName) {
    ImportOutcome outcome;
    const Recognition* recognition = recognitionOf(nodeIndex);
    const bool fromFile = mode == UpdateMode::ConsultantPlus || mode == UpdateMode::Garant;
    TableObject* dataset = recognition ? (recognition->wage ? &m_store.tStavka : &m_store.tKurs) : nullptr;
    std::optional<Database::Transaction> transaction;
    bool failed = false;
    bool fileRead = false;
    int failedLine = 0;
    QString reasons;

    try {
        if (recognition && fromFile) {
            if (dataset->tableName() != QLatin1String(recognition->openedName)) {
                dataset->close();
                dataset->setTableName(QLatin1String(recognition->reopenName));
                dataset->open();
            }
            std::optional<LineReader> opened;
            try {
                opened.emplace(LineReader::fromFile(fileName));
            } catch (const AppError&) {
                throw AppError(QStringLiteral("Не удалось открыть файл «%1».").arg(QDir::toNativeSeparators(fileName)));
            }
            LineReader& reader = *opened;
            try {
                transaction.emplace(m_store.database());
            } catch (const DatabaseError& e) {
                throw DatabaseError::explained(QStringLiteral("Импорт не начат"),
                                               QStringLiteral("в таблицу ничего не записано"), e);
            }
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
        } else if (!recognition) {
            addReason(reasons, QStringLiteral("Для выбранного ряда импорт из файла не предусмотрен."));
        } else {
            addReason(reasons, QStringLiteral("Не выбран источник файла: «КонсультантПлюс» или «Гарант»."));
        }
    } catch (...) {
        failed = true;
        addReason(reasons, currentReason());
    }

    // The MROT grid shows the column that cb1 chooses, also after a failed import.
    if (nodeIndex == 4 && m_window.cb1Click) {
        try {
            m_window.cb1Click();
        } catch (...) {
            failed = true;
            addReason(reasons, currentReason());
        }
    }

    try {
        // A record that the merge did not finish is not stored.
        if (failed && dataset)
            dataset->cancel();
        m_store.active().endPending();
    } catch (...) {
        failed = true;
        addReason(reasons, currentReason());
    }
    if (transaction) {
        try {
            transaction->commit();
        } catch (...) {
            const QString why = currentReason();
            try {
                throw;
            } catch (const DatabaseError& e) {
                addReason(reasons, DatabaseError::explained(QStringLiteral("Импортированные записи не сохранены"),
                                                            QStringLiteral("в таблицу ничего не записано"), e)
                                       .text());
            } catch (...) {
                addReason(reasons, why);
            }
            // Nothing of this run reached the file: show the series as it is stored.
            transaction.reset();
            try {
                dataset->close();
                dataset->open();
            } catch (...) {
                addReason(reasons, currentReason());
            }
            m_counters.reset();
            failed = true;
        }
    }

    if (!fileRead)
        failed = true; // no importer for the node, or no file source checked, or the file unreadable
    outcome.kind = failed ? ImportOutcome::Kind::Failure : ImportOutcome::Kind::Report;
    outcome.failedLine = failedLine;
    outcome.reason = failed ? reasons : QString();
    outcome.text = failed ? ImportFailureText(m_counters, failedLine, reasons) : ImportReportText(m_counters);
    m_prompts.message(outcome.text);
    return outcome;
}
