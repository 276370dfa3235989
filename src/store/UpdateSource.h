#pragma once

#include <QString>

// The source mark of column UPD.
enum class UpdateSource { Manual = 0, ConsultantPlus = 1, Garant = 2, Internet = 3 };

// The sentence that tells where a stored value came from; empty for any other UPD value.
QString SourceSentence(int upd);
// The short wording that completes "Текущая запись добавлена"; empty for any other UPD value.
QString SourceShortWording(int upd);
