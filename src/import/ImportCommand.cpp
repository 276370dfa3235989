#include "ImportCommand.h"

#include "ImportRun.h"
#include "LineReader.h"
#include "SeriesImport.h"
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
                             const RegionalSettings& regional, QString startDirectory)
    : m_store(store), m_counters(counters), m_prompts(prompts), m_clock(clock), m_regional(regional),
      m_startDirectory(std::move(startDirectory)) {}

const QString& ImportCommand::fileFilter() {
    static const QString filter = QStringLiteral("Text files (*.txt)|*.txt");
    return filter;
}

ImportOutcome ImportCommand::btnUpdClick(Series series, UpdateMode mode) {
    ImportOutcome outcome;
    TableObject& grid = m_store.active();
    {
        // The grid does not follow the cursor while the records are merged.
        QuietControls quiet(grid);
        try {
            m_counters.reset();
            if (!m_startDirectory.isEmpty())
                QDir::setCurrent(m_startDirectory);
            const QString fileName = m_prompts.openFile(fileFilter(), m_startDirectory);
            if (!fileName.isEmpty())
                outcome = run(series, mode, fileName);
        } catch (...) {
            // Only the dialogs themselves can get here; the reason is still worth a line of its own.
            outcome.kind = ImportOutcome::Kind::Failure;
            outcome.reason = currentReason();
            try {
                m_prompts.message(ImportFailureText(m_counters, 0, outcome.reason));
            } catch (...) {
            }
        }
    }
    try {
        m_store.active().endPending();
    } catch (...) {
        m_prompts.message(currentReason());
    }
    return outcome;
}

ImportOutcome ImportCommand::run(Series series, UpdateMode mode, const QString& fileName) {
    ImportOutcome outcome;
    const SeriesImport* recognition = SeriesImports::of(series);
    const bool fromFile = mode == UpdateMode::ConsultantPlus || mode == UpdateMode::Garant;
    TableObject* dataset = nullptr;
    if (recognition)
        dataset = SeriesTable::of(series).layout == Layout::Wage ? &m_store.tStavka : &m_store.tKurs;
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
            const SeriesImportSource& source =
                mode == UpdateMode::ConsultantPlus ? recognition->consultant : recognition->garant;
            try {
                RunRecognition(importRun, source.signature, source.parser);
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
