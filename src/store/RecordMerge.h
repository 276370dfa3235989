#pragma once

#include "Fixed4.h"
#include "UpdateSource.h"

#include <QDate>
#include <QString>

#include <optional>

class TableObject;
class Prompts;
class Clock;
struct RegionalSettings;

struct ImportedRecord {
    QDate date;
    Fixed4 value;
    Fixed4 value2; // the ConsultantPlus MROT parser only
};

// How one parser merges: the source it writes, the compared column, what it writes.
struct ImporterProfile {
    const char* parser;
    UpdateSource source;
    const char* comparedColumn; // KURS or RAZMER
    bool currency;              // NOMINAL := 1 on insert
    bool writesValue2;          // RAZMER2 := Value2
};

namespace Profiles {
inline constexpr ImporterProfile ConsultantDollar{"ParseConsultantDollar", UpdateSource::ConsultantPlus, "KURS", true,
                                                  false};
inline constexpr ImporterProfile ConsultantEuro{"ParseConsultantEuro", UpdateSource::ConsultantPlus, "KURS", true,
                                                false};
inline constexpr ImporterProfile GarantRates{"ParseGarantRates", UpdateSource::Garant, "KURS", true, false};
inline constexpr ImporterProfile ConsultantMrot{"ParseConsultantMrot", UpdateSource::ConsultantPlus, "RAZMER", false,
                                                true};
inline constexpr ImporterProfile GarantMrot{"ParseGarantMrot", UpdateSource::Garant, "RAZMER", false, false};
inline constexpr ImporterProfile ConsultantRefin{"ParseConsultantRefin", UpdateSource::ConsultantPlus, "RAZMER", false,
                                                 false};
inline constexpr ImporterProfile GarantRefin{"ParseGarantRefin", UpdateSource::Garant, "RAZMER", false, false};
} // namespace Profiles

// Records added and changed by the last import or by the record dialogs.
struct ChangeCounters {
    int added = 0;   // AddedCount
    int changed = 0; // ChangedCount
    void reset() { added = changed = 0; }
};

// What a merge works with: the ActiveTable and the people and clocks around it. One context lives for one
// import, so that an answer given for all the questions of the import holds to its end.
struct MergeContext {
    TableObject& table;
    ChangeCounters& counters;
    Prompts& prompts;
    const Clock& clock;
    const RegionalSettings& regional;
    std::optional<bool> answerForAll = std::nullopt; // «Да для всех» / «Нет для всех» given
};

// The text of the replacement question; an empty stored value shows as empty text.
QString ReplaceQuestionText(QDate date, const QString& storedValueText, Fixed4 incoming, int storedUpd,
                            const RegionalSettings& regional);
bool ReplaceQuestion(Prompts& prompts, QDate date, const QString& storedValueText, Fixed4 incoming, int storedUpd,
                     const RegionalSettings& regional);
// The question of an import: asks unless an answer for all was given, and keeps such an answer in the context.
bool ReplaceQuestion(MergeContext& context, QDate date, const QString& storedValueText, Fixed4 incoming, int storedUpd);

// What a merge compares, keeps, asks and writes: the import's profiles and the record dialogs differ only here.
class MergePolicy {
public:
    virtual ~MergePolicy() = default;
    // The current record holds the incoming value already: nothing to do.
    virtual bool sameAsStored(const TableObject& table) const = 0;
    // A stored record of this source is left as it is, without a question.
    virtual UpdateSource keptSource() const = 0;
    // Asked before a stored record is replaced; storedUpd is -1 when the record has no source.
    virtual bool agreeToReplace(MergeContext& context, int storedUpd) const = 0;
    // Sets the pending record's columns but CURDATE; a replacement keeps the stored date.
    virtual void write(TableObject& table, bool inserting) const = 0;
};

// Adds the record, leaves the stored one, or replaces its value after the user agrees. The date is looked up
// in the whole series, whatever the policy: a second record of one date would leave the day without a rate.
// A failed write leaves nothing half-written in the table.
void MergeImportedRecord(QDate date, const MergePolicy& policy, MergeContext& context);
// The same with the policy of an import profile.
void MergeImportedRecord(const ImportedRecord& record, const ImporterProfile& profile, MergeContext& context);
