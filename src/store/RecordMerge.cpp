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
class ProfilePolicy : public MergePolicy {
public:
    ProfilePolicy(const ImportedRecord& record, const ImporterProfile& profile, const Clock& clock)
        : m_record(record), m_profile(profile), m_clock(clock), m_compared(QLatin1String(profile.comparedColumn)) {}
    bool sameAsStored(const TableObject& t) const override { return t.asFixed4(m_compared) == m_record.value; }
    UpdateSource keptSource() const override { return m_profile.source; }
    bool agreeToReplace(MergeContext& context, int storedUpd) const override {
        return ReplaceQuestion(context, m_record.date, context.table.displayText(m_compared), m_record.value,
                               storedUpd);
    }
    void write(TableObject& t, bool inserting) const override {
        t.setFixed4(m_compared, m_record.value);
        if (m_profile.writesValue2)
            t.setFixed4(u"RAZMER2", m_record.value2);
        t.setInteger(u"UPD", int(m_profile.source));
        t.setDate(u"DT", m_clock.today());
        if (inserting && m_profile.currency)
            t.setInteger(u"NOMINAL", 1);
    }

private:
    const ImportedRecord& m_record;
    const ImporterProfile& m_profile;
    const Clock& m_clock;
    const QString m_compared;
};

template <typename Write> void writeAndPost(TableObject& t, Write&& write) {
    try {
        write();
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
}
} // namespace

void MergeImportedRecord(QDate date, const MergePolicy& policy, MergeContext& context) {
    TableObject& t = context.table;
    const int match = t.findDate(date);
    if (match < 0) {
        t.insert();
        writeAndPost(t, [&] {
            t.setDate(u"CURDATE", date);
            policy.write(t, true);
        });
        ++context.counters.added;
        return;
    }
    t.moveTo(match);
    if (policy.sameAsStored(t))
        return;
    const QVariant storedUpd = t.value(u"UPD");
    if (storedUpd.isValid() && storedUpd.toInt() == int(policy.keptSource()))
        return;
    if (!policy.agreeToReplace(context, storedUpd.isValid() ? storedUpd.toInt() : -1))
        return;
    t.edit();
    writeAndPost(t, [&] { policy.write(t, false); });
    ++context.counters.changed;
}

void MergeImportedRecord(const ImportedRecord& record, const ImporterProfile& profile, MergeContext& context) {
    const ProfilePolicy policy(record, profile, context.clock);
    MergeImportedRecord(record.date, policy, context);
}
