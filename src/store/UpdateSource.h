#pragma once

#include <QString>

// The source mark of column UPD.
enum class UpdateSource { Manual = 0, ConsultantPlus = 1, Garant = 2, Internet = 3, Shipped = 4 };

// The sentence that tells where a stored value came from; empty for any other UPD value.
QString SourceSentence(int upd);
// The short wording that completes "Текущая запись добавлена" (for UPD 4 it is the whole predicate,
// "поставлена с программой"); empty for any other UPD value.
QString SourceShortWording(int upd);
