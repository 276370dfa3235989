#include "RecordMerge.h"

#include "TableObject.h"
#include "common/Clock.h"
#include "common/NumberText.h"
#include "common/Prompts.h"
#include "common/RegionalSettings.h"

QString ReplaceQuestionText(QDate date, const QString& storedValueText, Fixed4 incoming, int storedUpd,
                            const RegionalSettings& regional) {
    return QStringLiteral("Импортируемые данные и данные в таблице не совпадают. \nНа ") + regional.formatDate(date) +
           QStringLiteral(" в таблице значение - ") + storedValueText +
           QStringLiteral(", а в импортируемой записи - ") + formatGeneral(incoming.toDouble(), regional) +
           QStringLiteral(". ") + QLatin1Char('\n') + SourceSentence(storedUpd) + QLatin1Char('\n') +
           QStringLiteral("Вы хотите заменить значение в таблице на импортируемое?");
}

bool ReplaceQuestion(Prompts& prompts, QDate date, const QString& storedValueText, Fixed4 incoming, int storedUpd,
                     const RegionalSettings& regional) {
    return prompts.question(ReplaceQuestionText(date, storedValueText, incoming, storedUpd, regional));
}

bool ReplaceQuestion(MergeContext& context, QDate date, const QString& storedValueText, Fixed4 incoming,
                     int storedUpd) {
    if (context.answerForAll)
        return *context.answerForAll;
    switch (context.prompts.questionForAll(
        ReplaceQuestionText(date, storedValueText, incoming, storedUpd, context.regional))) {
    case Prompts::Answer::Yes:
        return true;
    case Prompts::Answer::No:
        return false;
    case Prompts::Answer::YesToAll:
        context.answerForAll = true;
        return true;
    case Prompts::Answer::NoToAll:
        context.answerForAll = false;
        return false;
    }
    return false;
}

namespace {
void writeValues(TableObject& t, const ImportedRecord& record, const ImporterProfile& profile, const Clock& clock) {
    const QString compared = QLatin1String(profile.comparedColumn);
    t.setFixed4(compared, record.value);
    if (profile.writesValue2)
        t.setFixed4(u"RAZMER2", record.value2);
    t.setInteger(u"UPD", int(profile.source));
    t.setDate(u"DT", clock.today());
}
} // namespace

void MergeImportedRecord(const ImportedRecord& record, const ImporterProfile& profile, MergeContext& context) {
    TableObject& t = context.table;
    const int match = t.findDate(record.date);
    if (match < 0) {
        t.insert();
        t.setDate(u"CURDATE", record.date);
        writeValues(t, record, profile, context.clock);
        if (profile.currency)
            t.setInteger(u"NOMINAL", 1);
        t.post();
        ++context.counters.added;
        return;
    }
    t.moveTo(match);
    const QString compared = QLatin1String(profile.comparedColumn);
    if (t.asFixed4(compared) == record.value)
        return;
    const QVariant storedUpd = t.value(u"UPD");
    if (storedUpd.isValid() && storedUpd.toInt() == int(profile.source))
        return;
    const int upd = storedUpd.isValid() ? storedUpd.toInt() : -1;
    if (!ReplaceQuestion(context, record.date, t.displayText(compared), record.value, upd))
        return;
    t.edit();
    writeValues(t, record, profile, context.clock);
    t.post();
    ++context.counters.changed;
}
